#include "setup/window/toolbar_preview.h"

#include <QFileInfo>
#include <QFrame>

#include "common/keyboard/keyboard_key.h"
#include "common/config/profile_file.h"
#include "common/config/setting_errors.h"
#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/panel_button.h"
#include "kiosk/panels/toolbar_button_look.h"
#include "widgets/tiled_bitmap.h"

namespace tw {

ToolbarPreview::ToolbarPreview(QWidget* parent) : QWidget(parent), background_(new TiledBitmap(this)) {
  const QRect bar = ToQRect(Scaled(Rect{0, 0, 800, kToolbarHeight}, kScale));
  setFixedSize(bar.size());
  auto* bevel = new QFrame(this);
  bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bevel->setGeometry(bar);
  background_->setGeometry(bar);
  QFont font(QString::fromUtf8(kKeyFontName.data(), static_cast<int>(kKeyFontName.size())));
  font.setPixelSize(-ScaledFontHeight(kToolbarFontHeight, kScale));
  for (const ToolbarButtonInfo& info : ToolbarButtons()) {
    auto* button = new PanelButton(this);
    button->setObjectName(QString::fromUtf8(info.name.data(), static_cast<int>(info.name.size())));
    button->setFont(font);
    buttons_[static_cast<std::size_t>(info.id)] = button;
  }
}

void ToolbarPreview::Show(const SetupConfig& config) {
  SettingErrors errors;  // the validation reports values the kiosk cannot read
  const ToolbarConfig toolbar = ReadToolbarConfig(ProfileFile::InMemory("Tarnwick.ini", config.TarnwickText()), errors);
  background_->SetBitmap(QPixmap(QString::fromStdString(toolbar.bottom_graphic)));
  for (const ToolbarButtonInfo& info : ToolbarButtons()) {
    const ToolbarButtonConfig& settings = toolbar.button(info.id);
    PanelButton* button = buttons_[static_cast<std::size_t>(info.id)];
    ShowToolbarButtonSettings(*button, info, settings, kScale);
    const QRect g = button->geometry();
    button->setGeometry(ToQRect(Scaled(Rect{g.x(), g.y(), g.width(), g.height()}, kScale)));
    QString tip = QString("%1: slot %2").arg(QString::fromStdString(settings.caption)).arg(settings.slot);
    if (!settings.glyph_file.empty() && !QFileInfo(QString::fromStdString(settings.glyph_file)).isReadable()) {
      tip += "\nThe picture " + QString::fromStdString(settings.glyph_file) +
             " cannot be read: the kiosk shows its built-in picture.";
    }
    button->setToolTip(tip);
  }
}

}  // namespace tw
