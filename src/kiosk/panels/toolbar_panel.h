// The bottom frame panel: the tool bar along its top and, below it, the on-screen
// keyboard's two pages, out of sight until the Keyboard button raises the form. The
// window never takes the keyboard focus; presses hand it back to the browser.
#pragma once

#include <QLabel>
#include <QStackedWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/keyboard/keyboard_key.h"
#include "kiosk/core/commands/toolbar_actions.h"
#include "kiosk/core/frame/toolbar_layout.h"
#include "platform/keyboard_platform.h"

class QFrame;

namespace tw {

class PanelButton;
class TiledBitmap;
class KeyButton;
class KeyboardController;
class KeyboardPages;

class ToolbarPanel : public QWidget {
  Q_OBJECT

 public:
  struct Options {
    double screen_scale = 1.0;
    KeyboardPlatform platform;  // typing, lock states and sounds of the keys
  };

  // Lays the tool bar and the keyboard's pages out with their settings (the keys in the
  // keyboard's creation order), scaled. Presses go to `actions`.
  ToolbarPanel(ToolbarActions& actions, Options options, const ToolbarConfig& config,
               const std::vector<NamedKeyboardEntry>& keys, QWidget* parent = nullptr);
  ~ToolbarPanel() override;

  // What a visitor's click on the button does.
  void ClickButton(ToolbarButtonId id) { actions_.Click(id); }

  // The Keyboard button's caption and picture, the side panels' backgrounds are chosen
  // by the keyboard's state (the picture files only when they exist).
  void ShowKeyboardLook(bool shown);

  void SetBackEnabled(bool enabled);
  void SetForwardEnabled(bool enabled);
  void SetStopEnabled(bool enabled);

  // The keyboard pages: 0 "QWERT", 1 "ABCDE".
  void ShowPage(int page);
  int CurrentPage() const;
  // Back to PREFERENCES/DefaultKeyboard (at creation and after idle time).
  void ResetPage();
  void ExitClicked();

  // Parts, for the kiosk and for tests.
  const ToolbarConfig& config() const { return config_; }
  ToolbarActions& actions() { return actions_; }
  PanelButton* Button(ToolbarButtonId id) const { return buttons_[static_cast<std::size_t>(id)]; }
  // Keys in creation order; Key finds one by its name.
  const std::vector<KeyButton*>& Keys() const { return keys_; }
  KeyButton* Key(std::string_view name) const;
  KeyboardController* KeyController() const { return key_controller_; }
  QWidget* PanelTop() const { return panel_top_; }
  QWidget* Block1() const { return block1_; }
  QWidget* Block2() const { return block2_; }
  TiledBitmap* Background() const { return tiled_; }
  QStackedWidget* Notebook() const;
  PanelButton* ExitQwert() const { return exit_qwert_; }
  PanelButton* ExitAbcde() const { return exit_abcde_; }
  QLabel* DebugLabel(int index) const { return labels_[index]; }
  // Picture files for the side panels' backgrounds in the current keyboard state.
  const std::string& LeftPanelPicture() const { return left_picture_; }
  const std::string& RightPanelPicture() const { return right_picture_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildToolbar();
  void BuildKeyboard();
  void ApplyButtonSettings();
  void ApplyKeyboardSettings(const std::vector<NamedKeyboardEntry>& entries);
  void ScaleForm();
  void ApplyLockColour();

  ToolbarActions& actions_;
  Options options_;
  ToolbarConfig config_;
  QWidget* panel_top_ = nullptr;
  QFrame* bevel_ = nullptr;
  QWidget* block1_ = nullptr;
  QWidget* block2_ = nullptr;
  TiledBitmap* tiled_ = nullptr;
  std::array<PanelButton*, kToolbarButtonCount> buttons_{};
  KeyboardPages* notebook_ = nullptr;
  std::array<QWidget*, 2> pages_{};
  KeyboardController* key_controller_ = nullptr;
  std::vector<KeyButton*> keys_;
  PanelButton* exit_qwert_ = nullptr;
  PanelButton* exit_abcde_ = nullptr;
  std::array<QLabel*, 4> labels_{};
  std::string left_picture_;
  std::string right_picture_;
};

}  // namespace tw
