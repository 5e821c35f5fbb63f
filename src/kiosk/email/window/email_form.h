// The visitors' e-mail window as it is seen: three pages of controls across the top
// (account, message list, writing) and the memo below. It draws what the rules' view
// says and reports every press and edit; it decides nothing itself. Mail text is always
// shown as plain text; only the operator's help files are rich text.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "kiosk/email/rules/email_window_config.h"
#include "kiosk/email/rules/email_window_rules.h"
#include "kiosk/core/frame/scroll_stepper.h"
#include "platform/button_sound.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;
class QTextEdit;

namespace tw {

class PanelButton;
class TiledBitmap;

class EmailForm : public QWidget {
 public:
  struct Events {
    std::function<void(EmailField, std::string)> edited;
    std::function<void(bool)> cc_self;
    std::function<void(std::vector<std::string>)> memo;
    std::function<void(int)> selected;
    std::function<void()> get, new_message, reply, del, send;
    std::function<void(EmailPage)> cancel;
    std::function<void()> focus_taken;
  };

  EmailForm(const EmailWindowConfig& config, ButtonSoundPlayer* sounds, Events events, QWidget* parent = nullptr);

  // The window's place over the browser; the controls keep their scaled sizes, the memo
  // takes the rest.
  void Place(const QRect& bounds);
  void Scale(double screen_scale);
  void Render(const EmailWindowView& view, const EmailButtons& buttons);
  // The side arrows: the memo one line (or one column) on.
  void ScrollText(ScrollDirection direction);

  // The help text of a page: a rich-text file read as simple HTML, another file as plain
  // text; empty when there is no such file.
  static QString HelpHtml(const std::string& file);

  // For tests: the controls; buttons by role: get, new, cancel1, reply, delete, cancel2,
  // send, cancel3.
  QLineEdit* Edit(EmailField field) const;
  QListWidget* List() const { return list_; }
  QTextEdit* Memo() const { return memo_; }
  QStackedWidget* Pages() const { return pages_; }
  PanelButton* Button(const std::string& name) const;

 private:
  PanelButton* MakeButton(QWidget* page, const EmailButtonLook& look, int left, const char* role,
                          const std::function<void()>& press);
  QLineEdit* MakeEdit(QWidget* page, EmailField field, int left, int top, int width);

  Events events_;
  ButtonSoundPlayer* sounds_;
  QStackedWidget* pages_ = nullptr;
  std::array<TiledBitmap*, 3> backgrounds_{};
  QLineEdit* server_ = nullptr;
  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QLineEdit* subject_ = nullptr;
  QCheckBox* cc_self_ = nullptr;
  QListWidget* list_ = nullptr;
  QTextEdit* memo_ = nullptr;
  std::vector<std::pair<std::string, PanelButton*>> buttons_;
  QString help_account_;
  QString help_reading_;
  int notebook_height_ = 57;
  EmailMemo memo_kind_ = EmailMemo::kText;  // what the memo holds now
  bool rendering_ = false;
};

}  // namespace tw
