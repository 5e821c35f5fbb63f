#include "kiosk/app/toolbar_host.h"

#include <QWebEngineView>

#include "kiosk/browser/webengine/browser_window.h"
#include "kiosk/panels/toolbar_panel.h"
#include "kiosk/panels/form_scaling.h"
#include "widgets/keyboard_controller.h"

namespace tw {

KioskToolbarHost::KioskToolbarHost(KioskController& controller, BrowserEngine& engine, BrowserFrame& frame,
                                   std::function<BrowserWindow*()> browser_window)
    : controller_(controller),
      engine_(engine),
      frame_(frame),
      browser_window_(std::move(browser_window)),
      layout_(InitialFrameLayout(controller.screen_scale(), {})) {}

KioskToolbarHost::~KioskToolbarHost() = default;

ToolbarPanel* KioskToolbarHost::CreateBottomForm(KeyboardPlatform platform) {
  const KioskConfig& config = controller_.config();
  ToolbarPanel::Options options;
  options.config_file = controller_.ProgramFile("Tarnwick.ini");
  options.language_file = controller_.ProgramFile("TWLang.ini");
  options.screen_scale = controller_.screen_scale();
  options.platform = platform;
  options.start_url = config.start_url;
  options.help_url = config.help_url;
  options.log_urls = config.log_switches.log_urls;
  options.browser_kind = config.browser_kind;
  form_ = std::make_unique<ToolbarPanel>(*this, options);
  form_->OnError = [this](const std::string& text) { controller_.AppException(text); };
  form_->OnExit = [this] { controller_.RequestExit(); };
  form_->OnKeyMessage = [this](const std::string& caption, const std::string& text) {
    controller_.WriteLog(caption + " - " + text);
  };
  form_->OnKeyException = [this](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      controller_.AppException(e.what());
    }
  };
  form_->FormCreate();
  controller_.ReportSettingErrors(form_->setting_errors());
  ApplyLayout();
  form_->show();
  return form_.get();
}

PanelSizes KioskToolbarHost::CurrentPanelSizes(const PanelSizes& design) const {
  return PanelSizesOf(layout_, design.top_width, design.top_height);
}

void KioskToolbarHost::SetSidePanelCustomURLs(const std::array<bool, kSidePanelCustomCount>& has_url) {
  side_custom_urls_ = has_url;
  if (!layout_.keyboard_shown) layout_.custom_visible = has_url;
  ApplyLayout();
}

void KioskToolbarHost::ApplyLayout() {
  if (form_) form_->setGeometry(ToQRect(layout_.bottom_form));
  if (on_frame_layout) on_frame_layout(layout_);
}

void KioskToolbarHost::GoToURL(const std::string& url, int reason) { controller_.GoToURL(url, reason); }
void KioskToolbarHost::WriteLog(std::string_view text) { controller_.WriteLog(text); }
void KioskToolbarHost::CheckExitPassword(int tag) { controller_.CheckExitPassword(tag); }
void KioskToolbarHost::GoBack() { engine_.GoBack(); }
void KioskToolbarHost::GoForward() { engine_.GoForward(); }
void KioskToolbarHost::StopLoading() { engine_.Stop(); }
void KioskToolbarHost::Refresh() { engine_.Refresh(); }
void KioskToolbarHost::PrintPage() { engine_.Print(); }

// The external browser's control arrives with its own host; until then its commands
// have no window to go to.
void KioskToolbarHost::SendExternalCommand(ExternalBrowserCommand) {}

void KioskToolbarHost::SendKeysToBrowser(const std::string& key_script) {
  if (form_) form_->KeyController()->SendKeys(key_script);
}

// The e-mail window is not part of the kiosk yet: it is never visible, so presses act
// on the browser; opening it, its text print and its message list wait for it.
bool KioskToolbarHost::EmailVisible() const { return false; }
void KioskToolbarHost::HideEmail() {}
void KioskToolbarHost::PrintEmailText() {}
void KioskToolbarHost::OpenEmailWindow() {}
void KioskToolbarHost::SelectEmailMessage(int) {}
void KioskToolbarHost::FocusEmailWindow() {}

void KioskToolbarHost::ReturnFocusToBrowserWindow() {
  if (controller_.config().browser_kind == 0) {
    if (form_) form_->KeyController()->ActivateTarget();
    return;
  }
  BrowserWindow* browser = browser_window_ ? browser_window_() : nullptr;
  if (!browser || !browser->isVisible()) return;
  // The web view keeps the page's focused element: typing goes on where it was.
  browser->activateWindow();
  browser->WebBrowser()->setFocus(Qt::OtherFocusReason);
}

bool KioskToolbarHost::ToggleKeyboard() {
  KioskState& state = controller_.state();
  const double scale = controller_.screen_scale();
  // Showing: the frame shrinks, then the browser fits the smaller hole. Hiding: the
  // browser takes the full hole first, then the frame grows back around it.
  if (!state.keyboard_shown) {
    state.caret_scroll_request = true;
    state.keyboard_shown = true;
    ShowKeyboardLayout(layout_, scale);
    frame_.PlaceBrowserWindow(controller_.PlaceBrowser(frame_.CurrentPanelSizes()));
  } else {
    state.keyboard_shown = false;
    frame_.PlaceBrowserWindow(controller_.PlaceBrowser(frame_.CurrentPanelSizes()));
    HideKeyboardLayout(layout_, scale, side_custom_urls_);
  }
  if (form_) form_->ShowKeyboardLook(state.keyboard_shown);
  ApplyLayout();
  return state.keyboard_shown;
}

}  // namespace tw
