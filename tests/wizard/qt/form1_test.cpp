// Drives the Qt window as a user would, on the offscreen platform: it shows
// the core's texts, and its buttons and language menu reach the core's steps.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
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
  QString folder;
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
    seen = {QDir::toNativeSeparators(dialog->directory().absolutePath()), true};
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
    form_ = std::make_unique<Form1>(dialogs_, launcher_, files_, program_);
    dialogs_.SetOwner(form_.get());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() {
    form_.reset();
    root_.reset();
  }

  // The window shows the core's texts in the chosen language, and each button
  // reaches its step: the Open dialog, the registration tool, the message box.
  void buttonsReachTheCoreStepsInTheChosenLanguage() {
    QCOMPARE(Find<QPushButton>("Command2")->text(), QString("Choose ServUDaemon.exe"));
    ChooseMenu("Japanese");
    QCOMPARE(form_->windowTitle(), QString("Vantrel 設置ウィザード"));
    QCOMPARE(Find<QPushButton>("Command3")->text(), QString("ServUPath.asp選択"));

    Touch("my libs/libvantrel.so");
    SeenDialog library;
    AnswerOpenDialog(library, Path("my libs/libvantrel.so"));
    Click("Command1");
    QCOMPARE(library.folder, program_);
    QCOMPARE(launcher_.started, QStringList{Path("my libs/libvantrel.so")});

    Touch("ftp/other.exe");
    SeenDialog server;
    AnswerOpenDialog(server, Path("ftp/other.exe"));
    Click("Command2");
    QVERIFY(server.seen);
    QCOMPARE(Find<QLineEdit>("Text1")->text(), Path("ftp/ServUDaemon.exe"));

    SeenMessage message;
    AnswerMessage(message);
    Click("Command4");  // the server program does not exist
    QVERIFY(message.seen);
    QCOMPARE(message.title, QString("Vantrel 設置ウィザード"));
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
