// vantrel-wizard: prepares a web server for the library (Qt front end).
#include <QApplication>
#include <QDir>

#include "core/native_file_system.hpp"
#include "qt/form1.hpp"
#include "qt/qt_services.hpp"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString programFolder = QDir::toNativeSeparators(QApplication::applicationDirPath());
  vantrel::wizard::qt::QtDialogs dialogs;
  vantrel::wizard::qt::RegsvrLauncher launcher(programFolder);
  vantrel::wizard::NativeFileSystem files;
  vantrel::wizard::qt::Form1 form(dialogs, launcher, files, programFolder);
  dialogs.SetOwner(&form);
  form.show();
  return QApplication::exec();
}
