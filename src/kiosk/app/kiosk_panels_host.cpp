#include "kiosk/app/kiosk_panels_host.h"

#include <QWebEngineView>
#include <cstdio>

#include "kiosk/app/toolbar_host.h"
#include "kiosk/browser/webengine/browser_window.h"
#include "kiosk/browser/webengine/page_scroller.h"
#include "kiosk/panels/error_dialog.h"
#include "kiosk/panels/toolbar_panel.h"
#include "kiosk/panels/busy_panel.h"
#include "kiosk/panels/arrow_panel.h"
#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/banner_bar.h"
#include "kiosk/panels/picture_box.h"
#include "kiosk/panels/panel_button.h"
#include "widgets/tiled_bitmap.h"
#include "widgets/keyboard_controller.h"

namespace tw {
namespace {

// Pixels of one scroll line on a page: about a line of text.
constexpr int kLinePixels = 20;
// Passes between two looks at what the focused page can scroll (enabling the arrows).
constexpr int kPassesPerLook = 25;

void SetPanelPicture(TiledBitmap* tiled, const std::string& file) {
  if (PictureFileExists(file)) tiled->SetBitmap(QPixmap(QString::fromStdString(file)));
}

// A block covers a bar's bevel where a side panel meets it: its left + 1, its width - 2.
void PlaceBlock(QWidget* block, const Rect& panel) {
  if (block) block->setGeometry(panel.left + 1, block->y(), panel.width - 2, block->height());
}

}  // namespace

KioskPanelsHost::KioskPanelsHost(KioskController& controller, std::function<KioskToolbarHost*()> toolbar,
                                 std::function<BrowserWindow*()> browser_window)
    : controller_(controller),
      toolbar_(std::move(toolbar)),
      browser_window_(std::move(browser_window)),
      stepper_(controller.config().scroll_on, controller.screen_scale()) {}

KioskPanelsHost::~KioskPanelsHost() = default;

void KioskPanelsHost::CreateTopForm() {
  BannerBar::Options options;
  options.config_file = controller_.ProgramFile("Tarnwick.ini");
  options.screen_scale = controller_.screen_scale();
  options.logo_url = controller_.config().logo_url;
  top_ = std::make_unique<BannerBar>(*this, options);
  top_->FormCreate();
  top_->show();
}

void KioskPanelsHost::CreateSidePanels(KeyboardPlatform platform) {
  left_ = std::make_unique<BusyPanel>(*this, controller_.ProgramFile("Tarnwick.ini"));
  left_->FormCreate();
  right_ = std::make_unique<ArrowPanel>(*this, controller_.ProgramFile("Tarnwick.ini"), controller_.screen_scale());
  right_->SetSoundPlayer(platform.sounds);
  right_->FormCreate();
  scroller_ = std::make_unique<PageScroller>(
      [this]() -> QWebEnginePage* {
        BrowserWindow* browser = browser_window_ ? browser_window_() : nullptr;
        return browser && browser->isVisible() ? browser->WebBrowser()->page() : nullptr;
      },
      kLinePixels);
  scroller_->OnAnswer = [this](const PageScrollAnswer& answer) { ScrollAnswered(answer); };
  if (KioskToolbarHost* toolbar = toolbar_ ? toolbar_() : nullptr) {
    toolbar->on_frame_layout = [this](const FrameLayout& layout) { ApplyLayout(layout); };
    // Also applies the layout once, with the page buttons that have a URL.
    toolbar->SetSidePanelCustomURLs(right_->config().CustomHasURL());
  } else {
    ApplyLayout(InitialFrameLayout(controller_.screen_scale(), right_->config().CustomHasURL()));
  }
  left_->show();
  right_->show();
}

void KioskPanelsHost::CreateErrorDialog(KeyboardPlatform platform) {
  dialog_ = std::make_unique<ErrorDialog>();
  dialog_->SetSoundPlayer(platform.sounds);
  dialog_->OnLog = [this](const std::string& text) { controller_.WriteLog(text); };
  try {
    dialog_->FormCreate(controller_.ProgramFile("Tarnwick.ini"), controller_.screen_scale());
  } catch (const std::exception& e) {
    controller_.AppException(e.what());
  }
  // The banner bar's, the side panels' and the dialog's own settings that could not be
  // read: logged now, shown together with the others once start-up is over.
  if (top_) controller_.ReportSettingErrors(top_->setting_errors());
  if (left_) controller_.ReportSettingErrors(left_->setting_errors());
  if (right_) controller_.ReportSettingErrors(right_->setting_errors());
  controller_.ReportSettingErrors(dialog_->setting_errors());
}

void KioskPanelsHost::Close() {
  if (dialog_ && dialog_->isVisible()) dialog_->done(QDialog::Rejected);
  for (QWidget* w : {static_cast<QWidget*>(top_.get()), static_cast<QWidget*>(left_.get()),
                     static_cast<QWidget*>(right_.get())}) {
    if (w) w->close();
  }
}

void KioskPanelsHost::ApplyLayout(const FrameLayout& layout) {
  layout_ = layout;
  if (left_) left_->ApplyLayout(layout);
  if (right_) right_->ApplyLayout(layout);
  if (ToolbarPanel* bottom = Bottom()) {
    // The tool bar chooses the side panels' pictures by the keyboard's state.
    if (left_) SetPanelPicture(left_->Background(), bottom->LeftPanelPicture());
    if (right_) SetPanelPicture(right_->Background(), bottom->RightPanelPicture());
    PlaceBlock(bottom->Block1(), layout.left_panel);
    PlaceBlock(bottom->Block2(), layout.right_panel);
  }
  if (top_) {
    PlaceBlock(top_->Block1(), layout.left_panel);
    PlaceBlock(top_->Block2(), layout.right_panel);
  }
}

PanelSizes KioskPanelsHost::CurrentPanelSizes(const PanelSizes& design) const {
  PanelSizes sizes = design;
  if (top_) {
    sizes.top_width = top_->width();
    sizes.top_height = top_->height();
  }
  return sizes;
}

void KioskPanelsHost::ShowBusyMeter(int percent) {
  if (left_) left_->ShowBusy(percent);
}

void KioskPanelsHost::HideBusyMeter() {
  if (left_) left_->HideBusy();
}

void KioskPanelsHost::AdvanceBanner() {
  if (top_) top_->AdvanceBanner();
}

void KioskPanelsHost::RaiseTopmostWindows() {
  for (QWidget* w : {static_cast<QWidget*>(top_.get()), static_cast<QWidget*>(left_.get()),
                     static_cast<QWidget*>(right_.get())}) {
    if (w) w->raise();
  }
  if (dialog_ && dialog_->isVisible()) dialog_->raise();
}

bool KioskPanelsHost::ShowError(const std::string& text) {
  if (!dialog_) return false;
  if (dialog_->isVisible()) {
    // One message at a time; this one still reaches the log.
    controller_.WriteLog(text);
    return true;
  }
  // Not waited for: the error may come from inside a tick or a pass that has to go on.
  dialog_->OpenMessage(text);
  return true;
}

void KioskPanelsHost::ScrollStep() {
  if (!scroller_ || scroller_->busy()) return;
  KioskState& state = controller_.state();
  // The automatic scroll first looks where the caret is: a field already near the top
  // is left alone.
  if (state.caret_scroll_request && !caret_measured_) {
    scroller_->Run(std::nullopt);
    return;
  }
  if (const auto direction = stepper_.Step(state.caret_scroll_request)) {
    passes_since_look_ = 0;
    scroller_->Run(direction);
    return;
  }
  if (++passes_since_look_ >= kPassesPerLook) {
    passes_since_look_ = 0;
    scroller_->Run(std::nullopt);
  }
}

void KioskPanelsHost::ScrollAnswered(const PageScrollAnswer& answer) {
  KioskState& state = controller_.state();
  const bool before = state.caret_scroll_request;
  state.caret_scroll_request =
      ContinueCaretScroll(before, answer.caret_y, caret_measured_ ? previous_caret_ : std::nullopt);
  caret_measured_ = state.caret_scroll_request;
  previous_caret_ = answer.caret_y;
  if (right_) right_->SetArrowsEnabled(answer.vertical, answer.horizontal);
}

void KioskPanelsHost::Click(KioskButton button) {
  const int n = static_cast<int>(button);
  if (button == KioskButton::kClock) {
    if (top_) top_->AnalogClockClick();
  } else if (button == KioskButton::kBanner) {
    if (top_) top_->BannerClick();
  } else if (button == KioskButton::kLogo) {
    if (top_) top_->ImageClick();
  } else if (n >= static_cast<int>(KioskButton::kCustom1) && n <= static_cast<int>(KioskButton::kCustom10)) {
    if (right_) right_->BCustomClick(n - static_cast<int>(KioskButton::kCustom1) + 1);
  } else if (n >= static_cast<int>(KioskButton::kUp) && n <= static_cast<int>(KioskButton::kRight)) {
    // A command presses an arrow as a visitor would: down and up again.
    const auto direction = static_cast<ScrollDirection>(n - static_cast<int>(KioskButton::kUp));
    ReturnFocusToBrowser();
    ArrowPressed(direction);
    ArrowReleased(direction);
    if (right_) right_->BDirectionClick(direction);
  } else if (ToolbarPanel* bottom = Bottom()) {
    bottom->Click(button);
  }
}

ToolbarPanel* KioskPanelsHost::Bottom() const {
  KioskToolbarHost* toolbar = toolbar_ ? toolbar_() : nullptr;
  return toolbar ? toolbar->bottom_form() : nullptr;
}

void KioskPanelsHost::GoToURL(const std::string& url, int reason) { controller_.GoToURL(url, reason); }
void KioskPanelsHost::WriteLog(std::string_view text) { controller_.WriteLog(text); }
void KioskPanelsHost::CheckExitPassword(int tag) { controller_.CheckExitPassword(tag); }

// The e-mail window is not part of the kiosk yet: there is nothing to hide.
void KioskPanelsHost::HideEmail() {}

bool KioskPanelsHost::ExitButtonsVisible() const {
  ToolbarPanel* bottom = Bottom();
  return bottom && bottom->ExitQwert() && !bottom->ExitQwert()->isHidden();
}

void KioskPanelsHost::RequestExit() { controller_.RequestExit(); }
void KioskPanelsHost::ReportError(const std::string& message) { controller_.AppException(message); }

void KioskPanelsHost::ReturnFocusToBrowser() {
  if (KioskToolbarHost* toolbar = toolbar_ ? toolbar_() : nullptr) toolbar->ReturnFocusToBrowserWindow();
}

void KioskPanelsHost::ActivateTarget() {
  // Only an external browser's window is brought back; the embedded one is the kiosk's own.
  if (controller_.config().browser_kind != 0) return;
  if (ToolbarPanel* bottom = Bottom()) bottom->KeyController()->ActivateTarget();
}

void KioskPanelsHost::ArrowPressed(ScrollDirection direction) {
  stepper_.Press(direction, controller_.state().caret_scroll_request);
}

void KioskPanelsHost::ArrowReleased(ScrollDirection direction) { stepper_.Release(direction); }

}  // namespace tw
