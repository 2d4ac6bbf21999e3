#include "qt/qt_services.hpp"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

namespace vantrel::wizard::qt {
namespace {

QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString NameFilterOf(const DialogRequest& request) {
  QString patterns = ToQString(request.filterPattern);
  if (!request.extraPattern.empty()) patterns += ' ' + ToQString(request.extraPattern);
  return ToQString(request.filterDescription) + " (" + patterns + ")";
}

std::u16string QtDialogs::ChooseFile(const DialogRequest& request) {
  QFileDialog dialog(owner_, ToQString(request.title), ToQString(request.initialFolder));
  dialog.setObjectName("Dialog1");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // Show the description exactly as the language gives it.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setNameFilter(NameFilterOf(request));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return QDir::toNativeSeparators(dialog.selectedFiles().constFirst()).toStdU16String();
}

void QtDialogs::ShowMessage(const std::u16string& title, const std::u16string& text) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text), QMessageBox::Ok, owner_);
  box.setObjectName("Message");
  box.exec();
}

QString RegsvrLauncher::ToolPath() const {
  const QString besideWizard = QDir(programFolder_).filePath("vantrel-regsvr");
  if (QFileInfo(besideWizard).isExecutable()) return besideWizard;
  const QString onPath = QStandardPaths::findExecutable("vantrel-regsvr");
  if (!onPath.isEmpty()) return onPath;
#ifdef VANTREL_REGSVR_BUILD_PATH
  // Run from the build tree: the tool lies in its own build folder.
  if (QFileInfo(VANTREL_REGSVR_BUILD_PATH).isExecutable()) return VANTREL_REGSVR_BUILD_PATH;
#endif
  return "vantrel-regsvr";
}

std::optional<std::u16string> RegsvrLauncher::Start(const std::u16string& parameter) {
  const QString program = ToolPath();
  // The path travels as one argument: no quoting is needed or wanted.
  if (QProcess::startDetached(program, {ToQString(parameter)})) return std::nullopt;
  return u"Cannot start " + program.toStdU16String();
}

}  // namespace vantrel::wizard::qt
