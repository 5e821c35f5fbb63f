#include "kiosk/panels/arrow_panel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "kiosk/core/commands/kiosk_buttons.h"
#include "kiosk/core/commands/navigation_reason.h"
#include "widgets/widget_accessibility.h"
#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/glyph_button.h"
#include "kiosk/panels/picture_box.h"
#include "kiosk/panels/panel_button.h"
#include "widgets/tiled_bitmap.h"

namespace tw {
namespace {

constexpr int kGlyphSize = 16;  // design pixels of a built-in arrow frame
constexpr std::array<const char*, 4> kArrowNames{"BUp", "BDown", "BLeft", "BRight"};
constexpr std::array<ScrollDirection, 4> kDirections{ScrollDirection::kUp, ScrollDirection::kDown,
                                                     ScrollDirection::kLeft, ScrollDirection::kRight};
constexpr std::array<GlyphPosition, 4> kGlyphPositions{GlyphPosition::kTop, GlyphPosition::kBottom,
                                                       GlyphPosition::kLeft, GlyphPosition::kRight};

int CustomTop(std::size_t i) { return 8 + 48 * static_cast<int>(i); }

}  // namespace

QPixmap ArrowGlyph(ScrollDirection direction, int size) {
  QPixmap strip(2 * size, size);
  strip.fill(Qt::transparent);
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing);
  const int m = size / 5;
  for (int frame = 0; frame < 2; ++frame) {
    const int x = frame * size;
    QPolygon p;
    switch (direction) {
      case ScrollDirection::kUp:
        p << QPoint(x + size / 2, m) << QPoint(x + size - m, size - m) << QPoint(x + m, size - m);
        break;
      case ScrollDirection::kDown:
        p << QPoint(x + m, m) << QPoint(x + size - m, m) << QPoint(x + size / 2, size - m);
        break;
      case ScrollDirection::kLeft:
        p << QPoint(x + m, size / 2) << QPoint(x + size - m, m) << QPoint(x + size - m, size - m);
        break;
      case ScrollDirection::kRight:
        p << QPoint(x + m, m) << QPoint(x + size - m, size / 2) << QPoint(x + m, size - m);
        break;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(frame == 0 ? QColor(0x20, 0x20, 0x20) : QColor(0xa0, 0xa0, 0xa0));
    painter.drawPolygon(p);
  }
  return strip;
}

ArrowPanel::ArrowPanel(PanelEvents& events, const RightPanelConfig& config, double screen_scale, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      events_(events),
      scale_(screen_scale),
      config_(config) {
  setObjectName("FormRight");
  setAccessibleName("Side panel");
  setWindowTitle("FormRight");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  setGeometry(725, 60, 75, 483);
  tiled_ = new TiledBitmap(this);
  tiled_->setObjectName("TiledBitmap");
  tiled_->setAttribute(Qt::WA_TransparentForMouseEvents);
  bevel_ = new QFrame(this);
  bevel_->setObjectName("Bevel");
  bevel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bevel_->setAttribute(Qt::WA_TransparentForMouseEvents);
  for (std::size_t i = 0; i < custom_.size(); ++i) {
    auto* b = new PanelButton(this);
    b->setObjectName(QString("BCustom%1").arg(i + 1));
    b->setGeometry(8, CustomTop(i), 57, 41);
    b->SetNumGlyphs(1);
    b->hide();
    const int n = static_cast<int>(i) + 1;
    connect(b, &QAbstractButton::clicked, this, [this, n] { events_.PageButtonClicked(n); });
    custom_[i] = b;
  }
  for (std::size_t i = 0; i < arrows_.size(); ++i) {
    auto* b = new GlyphButton(kGlyphPositions[i], this);
    b->setObjectName(kArrowNames[i]);
    b->setGeometry(8, 296 + 48 * static_cast<int>(i), 57, 41);
    const ScrollDirection d = kDirections[i];
    b->SetGlyph(ArrowGlyph(d, Scaled(kGlyphSize, scale_)));
    b->SetNumGlyphs(2);
    connect(b, &QAbstractButton::pressed, this, [this, d] { events_.ArrowPressed(d); });
    connect(b, &QAbstractButton::released, this, [this, d] { events_.ArrowReleased(d); });
    connect(b, &QAbstractButton::clicked, this, [this, d] { events_.ArrowClicked(d); });
    arrows_[i] = b;
  }
  ApplySettings();
}

void ArrowPanel::SetSoundPlayer(ButtonSoundPlayer* player) {
  for (PanelButton* b : custom_) b->SetSoundPlayer(player);
  for (PanelButton* b : arrows_) b->SetSoundPlayer(player);
}

void ArrowPanel::ApplySettings() {
  auto apply = [this](PanelButton* b, const SidePanelButtonConfig& c) {
    b->setText(QString::fromStdString(c.caption));
    SetSpokenName(*b, QString::fromStdString(c.spoken_name));
    if (PictureFileExists(c.glyph_file)) {
      b->SetGlyph(QPixmap(QString::fromStdString(c.glyph_file)));
      b->SetNumGlyphs(c.glyph_count);
    }
    b->SetSound(c.sound);
    b->SetCustomSound(c.custom_sound);
  };
  for (std::size_t i = 0; i < custom_.size(); ++i) apply(custom_[i], config_.custom[i]);
  for (std::size_t i = 0; i < arrows_.size(); ++i) {
    apply(arrows_[i], config_.arrows[i]);
    arrows_[i]->setVisible(config_.arrows_visible);
  }
  if (PictureFileExists(config_.background)) tiled_->SetBitmap(QPixmap(QString::fromStdString(config_.background)));
  // Scaled at once; ApplyLayout moves the panel and the arrows with the keyboard later.
  setGeometry(ToQRect(Scaled(Rect{725, 60, 75, 483}, scale_)));
  for (std::size_t i = 0; i < custom_.size(); ++i)
    custom_[i]->setGeometry(ToQRect(Scaled(Rect{8, CustomTop(i), 57, 41}, scale_)));
  for (std::size_t i = 0; i < arrows_.size(); ++i) {
    arrows_[i]->setGeometry(ToQRect(Scaled(Rect{8, 296 + 48 * static_cast<int>(i), 57, 41}, scale_)));
  }
  QFont f = font();
  f.setPixelSize(std::max(1, Scaled(11, scale_)));
  for (PanelButton* b : custom_) b->setFont(f);
  for (PanelButton* b : arrows_) b->setFont(f);
  for (std::size_t i = 0; i < custom_.size(); ++i) custom_[i]->setVisible(!config_.custom[i].url.empty());
  tiled_->setGeometry(0, 0, width(), height());
  bevel_->setGeometry(0, -10, width(), height() + 20);
}

void ArrowPanel::ApplyLayout(const FrameLayout& layout) {
  setGeometry(ToQRect(layout.right_panel));
  tiled_->setGeometry(0, 0, layout.right_panel.width, layout.right_panel.height);
  bevel_->setGeometry(0, -10, layout.right_panel.width, layout.right_panel.height + 20);
  for (std::size_t i = 0; i < arrows_.size(); ++i) arrows_[i]->setGeometry(ToQRect(layout.arrows[i]));
  keyboard_shown_ = layout.keyboard_shown;
  for (std::size_t i = 0; i < custom_.size(); ++i) {
    custom_[i]->setVisible(!keyboard_shown_ && !config_.custom[i].url.empty());
  }
}

void ArrowPanel::SetArrowsEnabled(bool vertical, bool horizontal) {
  Arrow(ScrollDirection::kUp)->setEnabled(vertical);
  Arrow(ScrollDirection::kDown)->setEnabled(vertical);
  Arrow(ScrollDirection::kLeft)->setEnabled(horizontal);
  Arrow(ScrollDirection::kRight)->setEnabled(horizontal);
}

void ArrowPanel::mousePressEvent(QMouseEvent*) { events_.BackgroundPressed(true); }

}  // namespace tw
