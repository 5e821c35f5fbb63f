// The high-contrast look of the kiosk's own windows, switched for all of them at once: a
// visitor's choice, which ends with the visitor.
#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

namespace tw {

class FrameContrast {
 public:
  // A window (with all it holds) that follows the look.
  void Add(QWidget& window) { windows_.emplace_back(&window); }
  void Set(bool on);
  bool on() const { return on_; }

 private:
  std::vector<QPointer<QWidget>> windows_;
  bool on_ = false;
};

}  // namespace tw
