#include "kiosk/app/kiosk_windows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>
#include <cstdio>

#include "kiosk/app/kiosk_attract_frame.h"
#include "kiosk/email/window/kiosk_email_window.h"
#include "kiosk/app/video_window.h"
#include "kiosk/panels/arrow_panel.h"
#include "kiosk/panels/banner_bar.h"
#include "kiosk/panels/busy_panel.h"
#include "kiosk/email/window/email_form.h"
#include "kiosk/panels/error_dialog.h"
#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/new_window_dialog.h"
#include "kiosk/panels/panel_button.h"
#include "kiosk/panels/picture_box.h"
#include "kiosk/panels/idle_warning_window.h"
#include "kiosk/app/frame_keyboard_walk.h"
#include "kiosk/panels/frame_contrast.h"
#include "kiosk/panels/splash_window.h"
#include "kiosk/panels/toolbar_panel.h"
#include "widgets/keyboard_controller.h"
#include "widgets/tiled_bitmap.h"

namespace tw {
namespace {}  // namespace

std::unique_ptr<SplashWindow> KioskWindows::ShowSplash(const KioskController& controller,
                                                       std::function<void()> first_paint) {
  auto splash = std::make_unique<SplashWindow>();
  if (first_paint) splash->SetFirstPaintCallback(std::move(first_paint));
  splash->LoadSplash(QString::fromStdString(controller.settings().splash));
  const double scale = controller.screen_scale();
  splash->setGeometry(ToQRect(SplashFormBounds(scale, false)));
  ScaleControls(splash.get(), scale);
  splash->RefreshPicture();
  splash->show();
  // Something shows at once while the rest of the kiosk starts.
  QApplication::processEvents();
  return splash;
}

namespace {

ToolbarSettings ToolbarSettingsOf(const KioskController& controller) {
  const KioskConfig& config = controller.settings().kiosk;
  ToolbarSettings s;
  s.start_url = config.start_url;
  s.help_url = config.help_url;
  s.own_urls = controller.settings().toolbar.OwnPages();
  s.log_urls = config.log_switches.log_urls;
  return s;
}

PanelActions::Settings PanelSettingsOf(const KioskController& controller) {
  PanelActions::Settings s;
  s.right = controller.settings().right;
  s.logo_url = controller.settings().kiosk.logo_url;
  s.exit_buttons_shown = controller.settings().toolbar.exit_on;
  return s;
}

VideoWindow::Options VideoOptionsOf(const KioskController& controller) {
  VideoWindow::Options o;
  const VideoConfig& video = controller.settings().video;
  o.file_name = video.file_name;
  o.video_width = video.width;
  o.video_height = video.height;
  o.open = controller.settings().kiosk.attract.time_video != 0;
  o.screen_scale = controller.screen_scale();
  return o;
}

void SetPanelPicture(TiledBitmap* tiled, const std::string& file) {
  if (PictureFileExists(file)) tiled->SetBitmap(QPixmap(QString::fromStdString(file)));
}

// A block covers a bar's bevel where a side panel meets it: its left + 1, its width - 2.
void PlaceBlock(QWidget* block, const Rect& panel) {
  block->setGeometry(panel.left + 1, block->y(), panel.width - 2, block->height());
}

}  // namespace

KioskWindows::KioskWindows(KioskController& controller, KeyboardPlatform platform, SplashWindow& splash,
                           KioskBrowser& browser, Hooks hooks)
    : controller_(controller),
      hooks_(std::move(hooks)),
      email_(MakeEmailWindow(platform.sounds)),
      splash_(splash),
      browser_(browser),
      toolbar_host_(controller, browser, *email_,
                    {[this] { return ToggleKeyboard(); }, [this] { return ToggleHighContrast(); }}),
      toolbar_actions_(toolbar_host_, ToolbarSettingsOf(controller)),
      scrolling_(controller.settings().kiosk.scroll_on, controller.screen_scale(), controller.keyboard(), *this, *this,
                 [&controller] { controller.PassDue(); }),
      panel_actions_(controller, *email_, browser_, scrolling_, PanelSettingsOf(controller)) {
  const KioskSettings& settings = controller.settings();
  const double scale = controller.screen_scale();

  banner_ = std::make_unique<BannerBar>(panel_actions_, settings.banner, scale);
  banner_->show();
  ToolbarPanel::Options toolbar_options;
  toolbar_options.screen_scale = scale;
  toolbar_options.platform = platform;
  toolbar_ =
      std::make_unique<ToolbarPanel>(toolbar_actions_, toolbar_options, settings.toolbar, settings.language.keyboard);
  busy_ = std::make_unique<BusyPanel>(panel_actions_, settings.left);
  arrows_ = std::make_unique<ArrowPanel>(panel_actions_, settings.right, scale);
  arrows_->SetSoundPlayer(platform.sounds);
  ApplyLayout(controller.keyboard().layout());
  toolbar_->show();
  busy_->show();
  arrows_->show();

  video_ = std::make_unique<VideoWindow>(VideoOptionsOf(controller),
                                         [this](const std::string& text) { controller_.WriteLog(text); });
  video_->OnClick = [this] {
    controller_.Guarded([this] {
      if (video_->isVisible()) controller_.activity().StopVideo();
    });
  };
  video_->OnHold = hooks_.hold_timer;

  new_window_dialog_ = std::make_unique<NewWindowDialog>(settings.language.new_browser);
  error_dialog_ = std::make_unique<ErrorDialog>();
  error_dialog_->SetSoundPlayer(platform.sounds);
  error_dialog_->Apply(settings.error_dialog, scale);
  idle_warning_ = std::make_unique<IdleWarningWindow>(settings.language.idle_warning);
  for (QWidget* w : std::initializer_list<QWidget*>{banner_.get(), toolbar_.get(), busy_.get(), arrows_.get(),
                                                    new_window_dialog_.get(), error_dialog_.get(), idle_warning_.get(),
                                                    &email_->form()}) {
    contrast_.Add(*w);
  }
  idle_warning_->answered = [this] { controller_.Guarded([this] { controller_.activity().VisitorActivity(); }); };
  walk_ = std::make_unique<FrameKeyboardWalk>(std::vector<QWidget*>{toolbar_.get(), arrows_.get()},
                                              [this] { toolbar_actions_.ReturnFocus(); });
  qApp->installEventFilter(walk_.get());
  attract_ = std::make_unique<KioskAttractFrame>(
      KioskAttractFrame::Windows{splash_, browser_, *toolbar_, *banner_, *video_, *email_, *new_window_dialog_,
                                 *idle_warning_, contrast_},
      controller.settings().kiosk.debug);
}

KioskWindows::~KioskWindows() = default;

EmailWindow& KioskWindows::email() { return *email_; }

std::unique_ptr<KioskEmailWindow> KioskWindows::MakeEmailWindow(ButtonSoundPlayer* sounds) {
  KioskEmailWindow::Parts parts;
  parts.write_log = [this](std::string_view text) { controller_.WriteLog(text); };
  parts.show_error = [this](const std::string& text) {
    controller_.WriteLog(text);
    error_dialog_->ShowMessage(text);
  };
  parts.ask = [this](const std::string& question) { return error_dialog_->AskQuestion(question); };
  parts.keyboard_shown = [this] { return controller_.keyboard().shown(); };
  parts.toggle_keyboard = [this] { ToggleKeyboard(); };
  parts.shown = [this](bool shown) {
    // The window lies over the browser's place; the browser comes back when it goes.
    if (shown) {
      browser_.Hide();
    } else {
      browser_.Show();
      browser_.TakeFocus();
    }
  };
  parts.busy_meter = [this](int percent) {
    if (percent < 0) {
      busy_->HideBusy();
    } else {
      busy_->ShowBusy(percent);
    }
  };
  parts.guarded = [this](const std::function<void()>& work) { controller_.Guarded(work); };
  parts.message_steps = [this](bool shown, bool previous, bool next) {
    // On the slots of Back and Forward, where those are shown.
    PanelButton* back2 = toolbar_->Button(ToolbarButtonId::kBack2);
    PanelButton* forward2 = toolbar_->Button(ToolbarButtonId::kForward2);
    back2->setVisible(shown &&
                      controller_.settings().toolbar.buttons[static_cast<std::size_t>(ToolbarButtonId::kBack)].visible);
    forward2->setVisible(
        shown && controller_.settings().toolbar.buttons[static_cast<std::size_t>(ToolbarButtonId::kForward)].visible);
    back2->setEnabled(previous);
    forward2->setEnabled(next);
    if (back2->isVisible()) back2->raise();
    if (forward2->isVisible()) forward2->raise();
  };
  parts.print = [this](const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines) text << QString::fromStdString(line);
    QPrinter printer;
    if (!printer.isValid()) {
      controller_.ReportError(controller_.settings().language.print_failed);
      return;
    }
    QTextDocument document;
    document.setPlainText(text.join(QLatin1Char('\n')));
    document.print(&printer);
  };
  return std::make_unique<KioskEmailWindow>(
      controller_.settings().email, controller_.settings().kiosk.email_window_server,
      controller_.settings().kiosk.debug, controller_.screen_scale(), sounds, std::move(parts));
}

void KioskWindows::ApplyLayout(const FrameLayout& layout) {
  toolbar_->setGeometry(ToQRect(layout.bottom_form));
  busy_->ApplyLayout(layout);
  arrows_->ApplyLayout(layout);
  // The tool bar chooses the side panels' pictures by the keyboard's state.
  SetPanelPicture(busy_->Background(), toolbar_->LeftPanelPicture());
  SetPanelPicture(arrows_->Background(), toolbar_->RightPanelPicture());
  PlaceBlock(toolbar_->Block1(), layout.left_panel);
  PlaceBlock(toolbar_->Block2(), layout.right_panel);
  PlaceBlock(banner_->Block1(), layout.left_panel);
  PlaceBlock(banner_->Block2(), layout.right_panel);
}

void KioskWindows::ShowError(const std::string& text) {
  // The console always; the log has it already.
  std::fprintf(stderr, "tarnwick: %s\n", text.c_str());
  // One message at a time; not waited for, as the error may come from inside a tick or a
  // pass that has to go on.
  if (!error_dialog_->isVisible()) error_dialog_->OpenMessage(text);
}

void KioskWindows::Close() {
  if (error_dialog_->isVisible()) error_dialog_->done(QDialog::Rejected);
  browser_.Close();
  for (QWidget* w : std::initializer_list<QWidget*>{toolbar_.get(), banner_.get(), busy_.get(), arrows_.get(),
                                                    video_.get(), idle_warning_.get(), &splash_}) {
    w->close();
  }
}

// BrowserFrame

PanelSizes KioskWindows::CurrentPanelSizes() const {
  return controller_.keyboard().PanelSizesFor(banner_->width(), banner_->height());
}

void KioskWindows::PlaceBrowserWindow(const BrowserPlacement& placement) {
  browser_.Place(placement.browser);
  email_->Place(ToQRect(placement.email));
}

void KioskWindows::ShowBrowserWindow() {
  browser_.Show();
  splash_.hide();
}

void KioskWindows::SetBackEnabled(bool enabled) { toolbar_->SetBackEnabled(enabled); }
void KioskWindows::SetForwardEnabled(bool enabled) { toolbar_->SetForwardEnabled(enabled); }
void KioskWindows::SetStopEnabled(bool enabled) { toolbar_->SetStopEnabled(enabled); }
// While the e-mail window moves mail, its busy bar owns the meter.
void KioskWindows::ShowBusyMeter(int percent) { email_->MainLoopMeter(percent); }
void KioskWindows::HideBusyMeter() { email_->MainLoopMeter(-1); }

void KioskWindows::RaiseTopmostWindows() {
  // Nothing keeps windows on top without a window manager: raise them, in order; not
  // while the idle cover lets another program have the screen.
  if (!attract_->covered()) {
    for (QWidget* w : std::initializer_list<QWidget*>{banner_.get(), busy_.get(), arrows_.get(), toolbar_.get()}) {
      w->raise();
    }
    if (video_->isVisible()) video_->raise();
    if (email_->IsVisible()) email_->form().raise();
  }
  // Dialogs that must be seen come last, above the keyboard, the video and the cover.
  for (QWidget* dialog :
       std::initializer_list<QWidget*>{idle_warning_.get(), error_dialog_.get(), new_window_dialog_.get()}) {
    if (dialog->isVisible()) dialog->raise();
  }
}

bool KioskWindows::AskTransferNewWindow(std::function<void(bool transfer)> answered) {
  return new_window_dialog_->Ask(std::move(answered));
}
void KioskWindows::CloseNewWindowQuestion() { new_window_dialog_->Remove(); }

AttractFrame& KioskWindows::attract() { return *attract_; }

void KioskWindows::FrameKey() { walk_->FrameKey(); }

bool KioskWindows::ToggleHighContrast() {
  contrast_.Set(!contrast_.on());
  browser_.RunOnPage(contrast_.on() ? PageOperation::kHighContrastOn : PageOperation::kHighContrastOff);
  return contrast_.on();
}

bool KioskWindows::ToggleKeyboard() {
  const KeyboardFrame::Change change = controller_.keyboard().Toggle(banner_->width(), banner_->height());
  // The browser moves first: into the smaller hole before the frame shrinks around it, or
  // into the full hole before the frame grows back.
  PlaceBrowserWindow(controller_.keyboard().PlaceBrowser(change.browser_sizes));
  toolbar_->ShowKeyboardLook(change.shown);
  ApplyLayout(change.layout);
  // The page's view changed size; the keys are read only while the keyboard shows.
  scrolling_.RequestLook();
  toolbar_->KeyController()->SetPolling(change.shown);
  return change.shown;
}

// KioskButtons

void KioskWindows::Click(KioskButton button) {
  const int n = static_cast<int>(button);
  if (const auto id = ToolbarButtonFor(button)) {
    toolbar_actions_.Click(*id);
  } else if (button == KioskButton::kClock) {
    panel_actions_.ClockClicked();
  } else if (button == KioskButton::kBanner) {
    banner_->BannerClick();
  } else if (button == KioskButton::kLogo) {
    panel_actions_.LogoClicked();
  } else if (n >= static_cast<int>(KioskButton::kCustom1) && n <= static_cast<int>(KioskButton::kCustom10)) {
    panel_actions_.PageButtonClicked(n - static_cast<int>(KioskButton::kCustom1) + 1);
  } else if (n >= static_cast<int>(KioskButton::kUp) && n <= static_cast<int>(KioskButton::kRight)) {
    // A command presses an arrow as a visitor would: down and up again.
    const auto direction = static_cast<ScrollDirection>(n - static_cast<int>(KioskButton::kUp));
    panel_actions_.ArrowPressed(direction);
    panel_actions_.ArrowReleased(direction);
    panel_actions_.ArrowClicked(direction);
  }
}

// ScrollArrows

void KioskWindows::SetArrowsEnabled(bool vertical, bool horizontal) { arrows_->SetArrowsEnabled(vertical, horizontal); }

// PageScrolling

void KioskWindows::ScrollFocusedPage(std::optional<ScrollDirection> direction, PageScrollAnswers& answers) {
  if (!email_->IsVisible()) {
    browser_.ScrollFocusedPage(direction, answers);
    return;
  }
  // One line of the window's text; it has no caret to follow, and both arrows stay on.
  if (direction) email_->form().ScrollText(*direction);
  answers.PageScrollAnswered({std::nullopt, true, true});
}

bool KioskWindows::ScrollPending() const { return !email_->IsVisible() && browser_.ScrollPending(); }

}  // namespace tw
