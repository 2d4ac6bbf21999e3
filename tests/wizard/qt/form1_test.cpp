// Drives the Qt window as a user would: buttons, the language menu, the
// Open dialog and the message boxes, on the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/native_file_system.hpp"
#include "qt/form1.hpp"
#include "qt/qt_services.hpp"

using vantrel::wizard::NativeFileSystem;
using vantrel::wizard::RegistrationLauncher;
using vantrel::wizard::qt::Form1;
using vantrel::wizard::qt::QtDialogs;

namespace {

class RecordingLauncher final : public RegistrationLauncher {
 public:
  std::optional<std::u16string> Start(const std::u16string& parameter) override {
    started.push_back(QString::fromStdU16String(parameter));
    return std::nullopt;
  }
  QStringList started;
};

// Runs `handle` on the next modal window once it is up (checked every 20 ms).
void OnNextModal(std::function<void(QWidget*)> handle) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, handle] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      handle(modal);
    }
  });
  timer->start();
}

struct SeenMessage {
  QString title;
  QString text;
  bool seen = false;
};

// Accepts the next message box, recording its title and text.
void AnswerMessage(SeenMessage& seen) {
  OnNextModal([&seen](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
      modal->close();
      return;
    }
    seen = {box->windowTitle(), box->text(), true};
    box->button(QMessageBox::Ok)->click();
  });
}

struct SeenDialog {
  QString title;
  QString folder;
  QStringList filters;
  bool seen = false;
};

// Chooses `file` in the next Open dialog (an empty name cancels it).
void AnswerOpenDialog(SeenDialog& seen, const QString& file) {
  OnNextModal([&seen, file](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) {
      modal->close();
      return;
    }
    seen = {dialog->windowTitle(), QDir::toNativeSeparators(dialog->directory().absolutePath()),
            dialog->nameFilters(), true};
    if (file.isEmpty()) {
      dialog->reject();
    } else {
      // Typed into the name box, as a user would: selectFile() depends on
      // the dialog's file model having loaded the folder.
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      QVERIFY(name);
      name->setText(file);
      static_cast<QDialog*>(dialog)->accept();
    }
  });
}

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> root_;
  QString program_;
  QtDialogs dialogs_;
  RecordingLauncher launcher_;
  NativeFileSystem files_;
  std::unique_ptr<Form1> form_;

  template <typename T>
  T* Find(const char* name) {
    T* found = form_->findChild<T*>(name);
    if (!found) qFatal("missing control %s", name);
    return found;
  }
  QString Path(const QString& relative) const { return root_->filePath(relative); }
  void Touch(const QString& relative) {
    QDir().mkpath(QFileInfo(Path(relative)).path());
    QFile file(Path(relative));
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  void Click(const char* name) { Find<QPushButton>(name)->click(); }
  void ChooseMenu(const char* name) { Find<QAction>(name)->trigger(); }

 private Q_SLOTS:
  void init() {
    root_ = std::make_unique<QTemporaryDir>();
    program_ = Path("setup");
    QDir().mkpath(program_ + "/Web");
    launcher_.started.clear();
    form_ = std::make_unique<Form1>(dialogs_, launcher_, files_, program_);
    dialogs_.SetOwner(form_.get());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() {
    form_.reset();
    root_.reset();
  }

  void startsInEnglishWithTheTwipLayout() {
    QCOMPARE(form_->windowTitle(), QString("Vantrel Setting Wizard"));
    QCOMPARE(QApplication::applicationDisplayName(), QString("Vantrel Setting Wizard"));
    QCOMPARE(Find<QGroupBox>("Frame3")->title(), QString("Step 3"));
    QCOMPARE(Find<QPushButton>("Command2")->text(), QString("Choose ServUDaemon.exe"));
    QCOMPARE(Find<QLabel>("Label1")->text(),
             "Then publish " + program_ + "/Web as a sub directory on your website.");
    QCOMPARE(Find<QLabel>("Label5")->text(),
             QString("Make sure your have installed the Serv-U FTP before install the Vantrel!"));
    QCOMPARE(Find<QPushButton>("Command4")->font().family(), QString("Comic Sans MS"));
    QCOMPARE(Find<QLineEdit>("Text1")->text(), QString());

    const int dpiX = form_->centralWidget()->logicalDpiX();
    const int dpiY = form_->centralWidget()->logicalDpiY();
    QCOMPARE(form_->centralWidget()->width(), (7815 * dpiX + 720) / 1440);
    QCOMPARE(form_->centralWidget()->height(), (3735 * dpiY + 720) / 1440);
    QCOMPARE(Find<QGroupBox>("Frame4")->y(), (2760 * dpiY + 720) / 1440);
    QCOMPARE(Find<QLineEdit>("Text2")->x(), (2760 * dpiX + 720) / 1440);
  }

  void menuCaptionsNeverChange() {
    const QStringList expected = {"English", "简体中文", "繁體中文", "日本語"};
    for (const char* language : {"Japanese", "SCHS", "TCHS", "English"}) {
      ChooseMenu(language);
      QStringList captions;
      for (QAction* action : form_->menuBar()->actions()) captions << action->text();
      QCOMPARE(captions, expected);
    }
  }

  void languageMenuRewritesEveryCaptionAndKeepsTheBoxes() {
    Find<QLineEdit>("Text1")->setText("typed server");
    Find<QLineEdit>("Text2")->setText("typed include");
    ChooseMenu("Japanese");
    QCOMPARE(form_->windowTitle(), QString("Vantrel 設置ウィザード"));
    QCOMPARE(Find<QGroupBox>("Frame1")->title(), QString("ステップ一"));
    QCOMPARE(Find<QPushButton>("Command3")->text(), QString("ServUPath.asp選択"));
    QCOMPARE(Find<QLabel>("Label1")->text(),
             QString("そして") + program_ + QChar(0xFFE5) +
                 "Webディレクトリがホンページの次の親ディレクトリを設置できます，"
                 "そのディレクトリ移動したら設置できます。");
    QCOMPARE(Find<QLabel>("Label5")->font().family(), QString("PGothic"));
    for (const char* name : {"Label1", "Label5"}) {
      auto* label = Find<QLabel>(name);
      QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
    }
    QCOMPARE(Find<QLineEdit>("Text1")->text(), QString("typed server"));
    QCOMPARE(Find<QLineEdit>("Text2")->text(), QString("typed include"));
    ChooseMenu("TCHS");
    QCOMPARE(Find<QPushButton>("Command4")->text(), QString("改寫ServUPath.asp"));
    QCOMPARE(Find<QLineEdit>("Text2")->font().family(), QString("宋体"));
    ChooseMenu("English");
    QCOMPARE(form_->windowTitle(), QString("Vantrel Setting Wizard"));
    QCOMPARE(Find<QPushButton>("Command4")->text(), QString("Rewrite ServUPath.asp"));
  }

  void cancelledLibraryDialogShowsTheMissingMessageInTheCurrentLanguage() {
    ChooseMenu("SCHS");
    SeenDialog dialog;
    SeenMessage message;
    // The dialog comes first; once it is cancelled the message box appears.
    OnNextModal([&](QWidget* modal) {
      auto* fileDialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY(fileDialog);
      dialog = {fileDialog->windowTitle(),
                QDir::toNativeSeparators(fileDialog->directory().absolutePath()),
                fileDialog->nameFilters(), true};
      AnswerMessage(message);
      fileDialog->reject();
    });
    Click("Command1");
    QVERIFY(dialog.seen);
    QCOMPARE(dialog.title, QString("选择 Vantrel.dll"));
    QCOMPARE(dialog.folder, program_);
    QCOMPARE(dialog.filters, QStringList{"ActiveX Dll组件(*.dll) (*.dll *.so)"});
    QVERIFY(message.seen);
    QCOMPARE(message.title, QString("Vantrel 设置向导"));
    QCOMPARE(message.text, QString("组件Vantrel.dll没有找到！"));
    QVERIFY(launcher_.started.isEmpty());
  }

  void chosenLibraryReachesTheToolAsOneArgument() {
    Touch("my libs/libvantrel.so");
    SeenDialog dialog;
    AnswerOpenDialog(dialog, Path("my libs/libvantrel.so"));
    Click("Command1");
    QVERIFY(dialog.seen);
    QCOMPARE(launcher_.started, QStringList{Path("my libs/libvantrel.so")});
  }

  void serverStepFixesTheFileNameAndTheIncludeStepOpensInWeb() {
    Touch("ftp/other.exe");
    SeenDialog server;
    AnswerOpenDialog(server, Path("ftp/other.exe"));
    Click("Command2");
    QCOMPARE(server.title, QString("Choose ServUDaemon.exe"));
    QCOMPARE(server.filters, QStringList{"Execute File(*.exe) (*.exe)"});
    QCOMPARE(Find<QLineEdit>("Text1")->text(), Path("ftp/ServUDaemon.exe"));

    SeenDialog include;
    AnswerOpenDialog(include, {});
    Click("Command3");
    QCOMPARE(include.folder, program_ + "/Web");
    QCOMPARE(Find<QLineEdit>("Text2")->text(), QString("ServUPath.asp"));
  }

  void rewriteWritesTheIncludeFileAndReports() {
    Touch("Serv U/ServUDaemon.exe");
    QFile old(Path("ServUPath.asp"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old content that is longer than the new line, line one\r\nline two\r\n");
    old.close();
    QTest::keyClicks(Find<QLineEdit>("Text1"), Path("Serv U/ServUDaemon.exe"));
    QTest::keyClicks(Find<QLineEdit>("Text2"), Path("ServUPath.asp"));
    SeenMessage message;
    AnswerMessage(message);
    Click("Command4");
    QVERIFY(message.seen);
    QCOMPARE(message.text, QString("Rewrite the ServUPath.asp successful! "));
    QFile written(Path("ServUPath.asp"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(),
             ("<%const ServUPath=\"" + Path("Serv U") + "/\"%>\r\n").toUtf8());
  }

  void registrationToolGetsThePathAsOneArgument() {
    // A stand-in tool beside the wizard that records its arguments, one a line.
    const QString tool = program_ + "/vantrel-regsvr";
    QFile script(tool);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args\"\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    vantrel::wizard::qt::RegsvrLauncher launcher(program_);
    QCOMPARE(launcher.ToolPath(), tool);
    const QString library = Path("my libs/libvantrel.so");
    QCOMPARE(launcher.Start(library.toStdU16String()), std::nullopt);
    QFile args(tool + ".args");
    QTRY_VERIFY_WITH_TIMEOUT(args.exists() && args.size() > 0, 10000);
    QVERIFY(args.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(args.readAll()), library + "\n");
  }

};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
