// The Qt realisations of the Open dialog, the message boxes and the
// registration launcher.
#pragma once

#include <QString>

#include "core/services.hpp"

class QWidget;

namespace vantrel::wizard::qt {

class QtDialogs final : public Dialogs {
 public:
  void SetOwner(QWidget* owner) { owner_ = owner; }
  std::u16string ChooseFile(const DialogRequest& request) override;
  void ShowMessage(const std::u16string& title, const std::u16string& text) override;

 private:
  QWidget* owner_ = nullptr;
};

// Starts `vantrel-regsvr` with the library path as its one argument, and
// does not wait. The tool is looked for next to the wizard, then on PATH.
class RegsvrLauncher final : public RegistrationLauncher {
 public:
  explicit RegsvrLauncher(QString programFolder) : programFolder_(std::move(programFolder)) {}
  std::optional<std::u16string> Start(const std::u16string& parameter) override;
  QString ToolPath() const;

 private:
  QString programFolder_;
};

// The file dialog's name filter: the description as shown, with the
// patterns Qt filters by (shown details are hidden by the dialog).
QString NameFilterOf(const DialogRequest& request);

}  // namespace vantrel::wizard::qt
