// The wizard's window on Qt 6 Widgets: four numbered frames, a menu bar of
// languages, laid out in twips like the Windows window.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>

#include "core/wizard.hpp"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel::wizard::qt {

class Form1 final : public QMainWindow, public Form {
 public:
  Form1(Dialogs& dialogs, RegistrationLauncher& launcher, FileSystem& files,
        const QString& programFolder, QWidget* parent = nullptr);
  ~Form1() override;

  void ShowTexts(const FormTexts& texts) override;
  std::u16string ServerPathText() const override;
  void SetServerPathText(const std::u16string& text) override;
  std::u16string IncludePathText() const override;
  void SetIncludePathText(const std::u16string& text) override;

  Wizard& wizard() { return *wizard_; }

 private:
  void BuildMenu();
  void BuildFrames();
  static void FitLabelText(QLabel* label);

  std::array<QGroupBox*, 4> frames_{};
  std::array<QPushButton*, 4> commands_{};
  QLabel* label1_ = nullptr;
  QLabel* label5_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  std::unique_ptr<Wizard> wizard_;
};

}  // namespace vantrel::wizard::qt
