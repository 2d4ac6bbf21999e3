// vantrel-wizard: prepares a web server for the library (Qt front end).
#include <QApplication>
#include <QDir>

#include <cstdio>
#include <string_view>

#include "core/native_file_system.hpp"
#include "qt/form1.hpp"
#include "qt/qt_services.hpp"

int main(int argc, char** argv) {
  // Answered before any window system is needed.
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    std::printf(
        "Usage: vantrel-wizard\n\n"
        "Prepares a web server for the Vantrel library, in four steps: registers\n"
        "libvantrel.so with vantrel-regsvr, finds the FTP server's ServUDaemon.exe,\n"
        "finds the pages' ServUPath.asp, and writes the FTP server's folder into it.\n\n"
        "Options:\n"
        "  --help     print this help and exit\n"
        "  --version  print the version and exit\n");
    return 0;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("vantrel-wizard %s\n", VANTREL_VERSION);
    return 0;
  }
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
