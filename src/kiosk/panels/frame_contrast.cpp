#include "kiosk/panels/frame_contrast.h"

#include "widgets/contrast_scheme.h"

namespace tw {

void FrameContrast::Set(bool on) {
  on_ = on;
  for (const QPointer<QWidget>& window : windows_) {
    if (window) SetHighContrast(*window, on);
  }
}

}  // namespace tw
