// One key taken for the kiosk from the whole display: grabbed on the root window through
// the program's own connection to the X server, so that it comes to the kiosk whichever
// window (the kiosk's, the embedded page's or the external browser's) has the focus.
// Pressed with no modifier (Caps Lock and Num Lock aside); given back when the object goes.
#pragma once

#include <QAbstractNativeEventFilter>
#include <functional>
#include <string>

namespace tw {

class X11GlobalKey : public QAbstractNativeEventFilter {
 public:
  // `key` is an X key name ("F6"). Nothing is grabbed without an X display, for a name
  // X does not know, or when another program holds the key: grabbed() says so.
  X11GlobalKey(const std::string& key, std::function<void()> pressed);
  ~X11GlobalKey() override;
  X11GlobalKey(const X11GlobalKey&) = delete;
  X11GlobalKey& operator=(const X11GlobalKey&) = delete;

  bool grabbed() const { return keycode_ != 0; }
  // The key's symbol (0 when the name is unknown), for keeping it out of other grabs.
  unsigned long keysym() const { return keysym_; }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  void Grab(bool grab);

  std::function<void()> pressed_;
  unsigned long keysym_ = 0;
  unsigned int keycode_ = 0;
};

}  // namespace tw
