#include "qt/form1.hpp"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "core/language_tables.hpp"
#include "core/window_layout.hpp"

namespace vantrel::wizard::qt {
namespace {

using namespace layout;

constexpr int kSmallestFontPoints = 7;

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

class TwipScale {
 public:
  explicit TwipScale(const QWidget& widget)
      : x_(widget.logicalDpiX()), y_(widget.logicalDpiY()) {}
  int X(int twips) const { return Pixels(twips, x_); }
  int Y(int twips) const { return Pixels(twips, y_); }
  QRect Rect(const TwipRect& r) const { return {X(r.left), Y(r.top), X(r.width), Y(r.height)}; }

 private:
  int x_, y_;
};

}  // namespace

Form1::Form1(Dialogs& dialogs, RegistrationLauncher& launcher, FileSystem& files,
             const QString& programFolder, QWidget* parent)
    : QMainWindow(parent) {
  setObjectName("Form1");
  BuildMenu();
  BuildFrames();
  // The wizard applies English while it is built, before the window shows.
  wizard_ = std::make_unique<Wizard>(*this, dialogs, launcher, files,
                                     programFolder.toStdU16String(), PlatformRules::Posix());
  connect(commands_[0], &QPushButton::clicked, this, [this] { wizard_->ChooseLibrary(); });
  connect(commands_[1], &QPushButton::clicked, this, [this] { wizard_->ChooseServer(); });
  connect(commands_[2], &QPushButton::clicked, this, [this] { wizard_->ChooseIncludeFile(); });
  connect(commands_[3], &QPushButton::clicked, this, [this] { wizard_->RewriteIncludeFile(); });
}

Form1::~Form1() = default;

void Form1::BuildMenu() {
  static constexpr std::array<const char*, 4> kNames = {"English", "SCHS", "TCHS", "Japanese"};
  for (std::size_t i = 0; i < kMenuEntries.size(); ++i) {
    QAction* entry = menuBar()->addAction(ToQString(kMenuEntries[i].caption));
    entry->setObjectName(kNames[i]);
    const Language language = kMenuEntries[i].language;
    connect(entry, &QAction::triggered, this, [this, language] { wizard_->Apply(language); });
  }
}

void Form1::BuildFrames() {
  auto* client = new QWidget(this);
  setCentralWidget(client);
  const TwipScale scale(*client);
  client->setFixedSize(scale.X(kClientWidth), scale.Y(kClientHeight));
  for (std::size_t i = 0; i < 4; ++i) {
    frames_[i] = new QGroupBox(client);
    frames_[i]->setObjectName(QString("Frame%1").arg(i + 1));
    frames_[i]->setGeometry(scale.Rect(kFrames[i]));
    commands_[i] = new QPushButton(frames_[i]);
    commands_[i]->setObjectName(QString("Command%1").arg(i + 1));
    commands_[i]->setGeometry(scale.Rect(kCommand));
  }
  auto makeLabel = [&](QGroupBox* frame, const char* name) {
    auto* label = new QLabel(frame);
    label->setObjectName(name);
    label->setGeometry(scale.Rect(kLabel));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
  };
  auto makeTextBox = [&](QGroupBox* frame, const char* name) {
    auto* box = new QLineEdit(frame);
    box->setObjectName(name);
    box->setGeometry(scale.Rect(kTextBox));
    return box;
  };
  label5_ = makeLabel(frames_[0], "Label5");
  text1_ = makeTextBox(frames_[1], "Text1");
  text2_ = makeTextBox(frames_[2], "Text2");
  label1_ = makeLabel(frames_[3], "Label1");
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Form1::ShowTexts(const FormTexts& texts) {
  // Frames, buttons, labels and text boxes take the language's font; the
  // menu bar keeps its own. A missing family falls back to Qt's substitute.
  const QFont font(ToQString(texts.fontName), kFontPoints);
  for (QWidget* widget : std::initializer_list<QWidget*>{
           frames_[0], frames_[1], frames_[2], frames_[3], commands_[0], commands_[1],
           commands_[2], commands_[3], label1_, label5_, text1_, text2_})
    widget->setFont(font);

  const QString title = ToQString(texts.title);
  QApplication::setApplicationDisplayName(title);
  setWindowTitle(title);
  for (std::size_t i = 0; i < 4; ++i) {
    frames_[i]->setTitle(ToQString(texts.frameCaptions[i]));
    commands_[i]->setText(ToQString(texts.commandCaptions[i]));
  }
  label1_->setText(ToQString(texts.label1));
  label5_->setText(ToQString(texts.label5));
  FitLabelText(label1_);
  FitLabelText(label5_);
}

// A label's long text (three lines of Japanese) may need more height than
// the label has at the frame's font size: step the size down until it fits.
void Form1::FitLabelText(QLabel* label) {
  QFont font = label->font();
  while (font.pointSize() > kSmallestFontPoints && label->heightForWidth(label->width()) > label->height()) {
    font.setPointSize(font.pointSize() - 1);
    label->setFont(font);
  }
}

std::u16string Form1::ServerPathText() const { return text1_->text().toStdU16String(); }
void Form1::SetServerPathText(const std::u16string& text) { text1_->setText(ToQString(text)); }
std::u16string Form1::IncludePathText() const { return text2_->text().toStdU16String(); }
void Form1::SetIncludePathText(const std::u16string& text) { text2_->setText(ToQString(text)); }

}  // namespace vantrel::wizard::qt
