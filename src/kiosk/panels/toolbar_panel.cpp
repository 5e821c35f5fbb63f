#include "kiosk/panels/toolbar_panel.h"

#include <QFile>
#include <QFrame>
#include <QMouseEvent>
#include <cmath>

#include "common/keyboard/keyboard_key.h"
#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/panel_button.h"
#include "kiosk/panels/toolbar_button_look.h"
#include "kiosk/panels/toolbar_glyphs.h"
#include "widgets/tiled_bitmap.h"
#include "widgets/key_button.h"
#include "widgets/keyboard_controller.h"
#include "widgets/keyboard_pages.h"

namespace tw {
namespace {

// The form's colour: the keyboard's default light key colour, 00BBGGRR.
constexpr unsigned kFormColour = 13228248;

QColor FromColourValue(unsigned value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

bool FileExists(const std::string& path) { return !path.empty() && QFile::exists(QString::fromStdString(path)); }

QPixmap LoadPicture(const std::string& path) {
  return FileExists(path) ? QPixmap(QString::fromStdString(path)) : QPixmap();
}

// A key's font height in pixels at design size (96 dots per inch).
int DesignFontHeight(int point_size) { return -static_cast<int>(std::lround(point_size * 96.0 / 72.0)); }

void SetFontHeight(QWidget* widget, int height) {
  QFont f = widget->font();
  f.setPixelSize(std::max(1, -height));
  widget->setFont(f);
}

}  // namespace

ToolbarPanel::ToolbarPanel(ToolbarActions& actions, Options options, const ToolbarConfig& config,
                           const std::vector<NamedKeyboardEntry>& keys, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      actions_(actions),
      options_(std::move(options)),
      config_(config) {
  setObjectName("FormBottom");
  setAccessibleName("Tool bar");
  setWindowTitle("FormBottom");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, FromColourValue(kFormColour));
  setPalette(p);
  QFont f(QString::fromUtf8(kKeyFontName.data(), static_cast<int>(kKeyFontName.size())));
  f.setPixelSize(-kToolbarFontHeight);
  setFont(f);
  setGeometry(0, kBottomFormTop, 800, kBottomFormHeight);
  BuildToolbar();
  BuildKeyboard();
  ApplyButtonSettings();
  ApplyKeyboardSettings(keys);
  ScaleForm();
}

ToolbarPanel::~ToolbarPanel() = default;

void ToolbarPanel::BuildToolbar() {
  panel_top_ = new QWidget(this);
  panel_top_->setObjectName("PanelTop");
  panel_top_->setGeometry(0, 0, 800, kToolbarHeight);
  bevel_ = new QFrame(panel_top_);
  bevel_->setObjectName("Bevel");
  bevel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bevel_->setLineWidth(1);
  bevel_->setGeometry(0, 0, 800, kToolbarHeight);
  // The blocks cover the bevel's edge where the side panels meet the tool bar.
  auto block = [this](const char* name, int left, int width) {
    auto* b = new QWidget(panel_top_);
    b->setObjectName(name);
    b->setAutoFillBackground(true);
    QPalette p = b->palette();
    p.setColor(QPalette::Window, p.color(QPalette::Button));
    b->setPalette(p);
    b->setGeometry(left, 0, width, 2);
    b->installEventFilter(this);
    return b;
  };
  block1_ = block("Block1", 1, 23);
  block2_ = block("Block2", 726, 73);
  tiled_ = new TiledBitmap(panel_top_);
  tiled_->setObjectName("TiledBitmap");
  tiled_->setGeometry(0, 0, 800, kToolbarHeight);
  for (QWidget* w : {panel_top_, static_cast<QWidget*>(bevel_), static_cast<QWidget*>(tiled_)}) {
    w->installEventFilter(this);
  }
  // Creation order is stacking order: a later button on the same slot lies on top.
  for (const ToolbarButtonInfo& info : ToolbarButtons()) {
    auto* button = new PanelButton(panel_top_);
    button->setObjectName(QString::fromUtf8(info.name.data(), static_cast<int>(info.name.size())));
    button->setText(QString::fromUtf8(info.caption.data(), static_cast<int>(info.caption.size())));
    button->setGeometry(0, kToolbarButtonTop, 121, kToolbarButtonHeight);
    button->SetSoundPlayer(options_.platform.sounds);
    const ToolbarButtonId id = info.id;
    connect(button, &QAbstractButton::clicked, this, [this, id] { ClickButton(id); });
    buttons_[static_cast<std::size_t>(id)] = button;
  }
  Button(ToolbarButtonId::kBack2)->setEnabled(false);
  Button(ToolbarButtonId::kForward2)->setEnabled(false);
}

void ToolbarPanel::BuildKeyboard() {
  key_controller_ = new KeyboardController(this, options_.platform);
  // The kiosk types into whatever window it has just given the focus to.
  key_controller_->SetAutoHandle(false);
  // The keys are followed only while the kiosk shows its keyboard.
  key_controller_->SetPolling(false);
  key_controller_->OnLockChange = [this](KeyboardController&, LockKey lock) {
    if (lock == LockKey::kCapsLock) ApplyLockColour();
  };
  key_controller_->OnLatchChange = [this](KeyboardController&, KeyType type) {
    if (type != KeyType::kShift && type != KeyType::kAltGr) return;
    const bool shift = type == KeyType::kShift;
    for (const char* name : {shift ? "KShiftLeft" : "KAltGrLeft", shift ? "KShiftRight" : "KAltGrRight"}) {
      if (KeyButton* key = Key(name)) key->update();
    }
  };
  key_controller_->OnMessage = [this](const std::string& caption, const std::string& text) {
    actions_.KeyMessage(caption, text);
  };
  key_controller_->OnException = [this](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      actions_.KeyError(e.what());
    }
  };

  notebook_ = new KeyboardPages(key_controller_, this);
  notebook_->setGeometry(0, kToolbarHeight, 800, 215);
  notebook_->hide();  // until the keyboard is raised (ShowKeyboardLook)
  for (int i = 0; i < 2; ++i) {
    pages_[i] = notebook_->Page(i);
    pages_[i]->installEventFilter(this);
  }
  keys_ = notebook_->Keys();
  for (KeyButton* key : keys_) {
    // The focus goes back to the browser before the key types (on release).
    key->OnMouseDown = [this](KeyButton&, QMouseEvent&) { actions_.ReturnFocus(); };
  }

  auto exit_button = [this](QWidget* page, const char* name, QRect geometry) {
    auto* b = new PanelButton(page);
    b->setObjectName(name);
    b->setText("Exit");
    b->SetNumGlyphs(1);
    b->setGeometry(geometry);
    connect(b, &QAbstractButton::clicked, this, &ToolbarPanel::ExitClicked);
    return b;
  };
  exit_qwert_ = exit_button(pages_[0], "BExitQWERT", QRect(584, 173, 73, 33));
  exit_abcde_ = exit_button(pages_[1], "BExitABCDE", QRect(640, 53, 41, 52));

  const struct {
    const char* name;
    const char* text;
    int left;
    int top;
  } labels[4] = {{"Label1", "Current", 120, 176},
                 {"Label2", "0", 160, 176},
                 {"Label3", "Frame", 120, 192},
                 {"Label4", "Carousel", 160, 192}};
  for (int i = 0; i < 4; ++i) {
    labels_[i] = new QLabel(labels[i].text, pages_[0]);
    labels_[i]->setObjectName(labels[i].name);
    QFont small = font();
    small.setPixelSize(11);
    labels_[i]->setFont(small);
    labels_[i]->move(labels[i].left, labels[i].top);
    labels_[i]->adjustSize();
    labels_[i]->hide();
  }
}

void ToolbarPanel::ApplyButtonSettings() {
  for (const ToolbarButtonInfo& info : ToolbarButtons()) {
    const ToolbarButtonConfig& c = config_.button(info.id);
    PanelButton* button = Button(info.id);
    ShowToolbarButtonSettings(*button, info, c, options_.screen_scale);
    button->SetSound(c.sound);
    button->SetCustomSound(c.custom_sound);
  }
  const QPixmap background = LoadPicture(config_.bottom_graphic);
  if (!background.isNull()) tiled_->SetBitmap(background);
  left_picture_ = FileExists(config_.left_full) ? config_.left_full : std::string();
  right_picture_ = FileExists(config_.right_full) ? config_.right_full : std::string();
  const QPixmap show = LoadPicture(config_.glyph_show);
  if (!show.isNull()) Button(ToolbarButtonId::kKeyboard)->SetGlyph(show);
}

void ToolbarPanel::ApplyKeyboardSettings(const std::vector<NamedKeyboardEntry>& entries) {
  exit_qwert_->setVisible(config_.exit_on);
  exit_abcde_->setVisible(config_.exit_on);
  for (KeyButton* key : keys_) {
    key->SetSound(
        static_cast<KeySound>(config_.keyboard_sound >= 0 && config_.keyboard_sound <= 7 ? config_.keyboard_sound : 0));
    key->SetCustomSound(config_.keyboard_custom_sound);
  }
  // The language file's entries, in creation order.
  notebook_->ApplyEntries(entries);
  for (QLabel* label : labels_) label->setVisible(config_.debug);
  ResetPage();
  ApplyLockColour();
}

void ToolbarPanel::ScaleForm() {
  const double scale = options_.screen_scale;
  setGeometry(ToQRect(Scaled(Rect{0, kBottomFormTop, 800, kBottomFormHeight}, scale)));
  for (QWidget* child : findChildren<QWidget*>()) {
    // The notebook lays its pages out itself.
    if (child == pages_[0] || child == pages_[1]) continue;
    const QRect g = child->geometry();
    child->setGeometry(ToQRect(Scaled(Rect{g.x(), g.y(), g.width(), g.height()}, scale)));
  }
  for (PanelButton* button : findChildren<PanelButton*>()) {
    SetFontHeight(button, ScaledFontHeight(kToolbarFontHeight, scale));
  }
  for (KeyButton* key : keys_) {
    SetFontHeight(key, ScaledFontHeight(DesignFontHeight(key->font().pointSize()), scale));
  }
}

void ToolbarPanel::ShowKeyboardLook(bool shown) {
  // Lowered, the keys lie below the screen's edge: hidden too, so that a screen reader
  // does not offer keys nobody can see.
  notebook_->setVisible(shown);
  PanelButton* keyboard = Button(ToolbarButtonId::kKeyboard);
  const std::string& glyph_file = shown ? config_.glyph_hide : config_.glyph_show;
  const QPixmap picture = LoadPicture(glyph_file);
  if (!picture.isNull()) {
    keyboard->SetGlyph(picture);
  } else if (glyph_file.empty()) {
    keyboard->SetGlyph(BuiltInGlyph(shown ? "Hide" : "Show", Scaled(kToolbarGlyphSize, options_.screen_scale)));
  }
  const std::string& left = shown ? config_.left_half : config_.left_full;
  const std::string& right = shown ? config_.right_half : config_.right_full;
  if (FileExists(left)) left_picture_ = left;
  if (FileExists(right)) right_picture_ = right;
  keyboard->setText(QString::fromStdString(shown ? config_.hide_text : config_.show_text));
}

void ToolbarPanel::SetBackEnabled(bool enabled) { Button(ToolbarButtonId::kBack)->setEnabled(enabled); }
void ToolbarPanel::SetForwardEnabled(bool enabled) { Button(ToolbarButtonId::kForward)->setEnabled(enabled); }
void ToolbarPanel::SetStopEnabled(bool enabled) { Button(ToolbarButtonId::kStop)->setEnabled(enabled); }

void ToolbarPanel::ShowPage(int page) { notebook_->ShowPage(page); }

QStackedWidget* ToolbarPanel::Notebook() const { return notebook_; }

int ToolbarPanel::CurrentPage() const { return notebook_->currentIndex(); }

void ToolbarPanel::ResetPage() { ShowPage(config_.default_keyboard); }

void ToolbarPanel::ExitClicked() { actions_.ExitPressed(); }

KeyButton* ToolbarPanel::Key(std::string_view name) const { return notebook_->Key(name); }

void ToolbarPanel::ApplyLockColour() {
  const QColor colour = key_controller_->Locked(LockKey::kCapsLock) ? QColor(255, 0, 0) : QColor(0, 0, 0);
  for (const char* name : {"KCapsLock", "KShiftLock"}) {
    KeyButton* key = Key(name);
    QPalette p = key->palette();
    p.setColor(QPalette::WindowText, colour);
    key->setPalette(p);
  }
}

void ToolbarPanel::mousePressEvent(QMouseEvent* event) {
  actions_.ReturnFocus();
  QWidget::mousePressEvent(event);
}

bool ToolbarPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) actions_.ReturnFocus();
  return QWidget::eventFilter(watched, event);
}

}  // namespace tw
