// Every input event of the kiosk's own windows passes here first: active mode swallows
// left clicks, the right button can be blocked, Alt+F4 never closes a window, and a key
// press is activity.
#pragma once

#include <QObject>

namespace tw {

class ActivityTimer;

class KioskInputFilter : public QObject {
 public:
  // `activity`: the idle count a key press resets, and active mode; `block_right_button`:
  // PREFERENCES/BlockRightButton.
  KioskInputFilter(ActivityTimer& activity, bool block_right_button, QObject* parent = nullptr)
      : QObject(parent), activity_(activity), block_right_button_(block_right_button) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ActivityTimer& activity_;
  bool block_right_button_;
};

}  // namespace tw
