#include "kiosk/panels/toolbar_button_look.h"

#include <QPixmap>

#include "common/geometry/scaled_geometry.h"
#include "kiosk/panels/panel_button.h"
#include "kiosk/panels/toolbar_glyphs.h"
#include "widgets/widget_accessibility.h"

namespace tw {

void ShowToolbarButtonSettings(PanelButton& button, const ToolbarButtonInfo& info, const ToolbarButtonConfig& config,
                               double screen_scale) {
  button.setText(QString::fromStdString(config.caption));
  SetSpokenName(button, QString::fromStdString(config.spoken_name));
  button.SetNumGlyphs(config.glyph_count);
  const QPixmap loaded = config.glyph_file.empty() ? QPixmap() : QPixmap(QString::fromStdString(config.glyph_file));
  if (!loaded.isNull()) {
    button.SetGlyph(loaded);
  } else {
    button.SetGlyph(BuiltInGlyph(info.text_key, Scaled(kToolbarGlyphSize, screen_scale)));
    button.SetNumGlyphs(2);
  }
  button.setGeometry(config.left, kToolbarButtonTop, config.width, kToolbarButtonHeight);
  button.setVisible(config.visible);
}

}  // namespace tw
