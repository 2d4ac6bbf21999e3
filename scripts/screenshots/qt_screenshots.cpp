// Saves a picture of the Qt window in each language (for scripts/screenshots.sh).
// Usage: wizard_qt_screenshots OUTPUT_FOLDER
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTimer>

#include "core/native_file_system.hpp"
#include "qt/form1.hpp"
#include "qt/qt_services.hpp"

namespace {

void Settle(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    qCritical("usage: wizard_qt_screenshots OUTPUT_FOLDER");
    return 2;
  }
  const QDir output(QString::fromLocal8Bit(argv[1]));
  vantrel::wizard::qt::QtDialogs dialogs;
  vantrel::wizard::qt::RegsvrLauncher launcher("/opt/vantrel");
  vantrel::wizard::NativeFileSystem files;
  vantrel::wizard::qt::Form1 form(dialogs, launcher, files, "/opt/vantrel");
  form.findChild<QLineEdit*>("Text1")->setText("/srv/Serv-U/ServUDaemon.exe");
  form.findChild<QLineEdit*>("Text2")->setText("/opt/vantrel/Web/ServUPath.asp");
  form.show();
  for (const char* language : {"English", "SCHS", "TCHS", "Japanese"}) {
    form.findChild<QAction*>(language)->trigger();
    Settle(300);
    const QString file = output.filePath(QString("qt-%1.png").arg(language));
    if (!form.grab().save(file)) {
      qCritical("cannot save %s", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
