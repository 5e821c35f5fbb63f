#include "kiosk/browser/webengine/browser_window.h"

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>

#include <signal.h>

#include <ctime>
#include <utility>

#include "common/texts/log_texts.h"
#include "kiosk/browser/page_contrast_script.h"
#include "kiosk/browser/page_scroll_script.h"
#include "kiosk/browser/webengine/kiosk_schemes.h"
#include "kiosk/browser/webengine/page_scroller.h"
#include "kiosk/browser/webengine/kiosk_web_page.h"

namespace tw {
namespace {

// A page whose renderer has not answered for this long has it ended (and is then
// treated as crashed); it is asked kLivenessCheckMs after its last answer. Each
// question wakes the renderer, so an idle kiosk asks only now and then.
constexpr int kUnresponsiveMs = 15000;
constexpr int kLivenessCheckMs = 10000;
// A question unanswered for longer makes the page count as not responding.
constexpr int kResponsiveMs = 6000;
// A script's message box left to the visitor closes itself after this long.
constexpr int kVisitorDialogMs = 10000;
// A page that raises this many dialog boxes while the kiosk's own change of page waits
// (one box after another, without end) is holding the kiosk: its renderer is ended and
// the change made again.
constexpr int kDialogsHoldingTheKiosk = 20;

// Command URLs and the kiosk's other registered schemes are answered before any request is
// made (before-navigate cancels them); with a handler for the scheme the engine lets a
// page's links and forms reach before-navigate at all.
class RefusingSchemeHandler : public QWebEngineUrlSchemeHandler {
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
  void requestStarted(QWebEngineUrlRequestJob* job) override { job->fail(QWebEngineUrlRequestJob::RequestDenied); }
};

// The view's context menu: never the engine's own (which offers saving pages and
// viewing their source), at most the everyday commands.
class KioskWebView : public QWebEngineView {
 public:
  KioskWebView(bool block_right_button, QWidget* parent)
      : QWebEngineView(parent), block_right_button_(block_right_button) {}

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    if (block_right_button_) return;
    QMenu menu(this);
    for (const QWebEnginePage::WebAction a :
         {QWebEnginePage::Back, QWebEnginePage::Forward, QWebEnginePage::Reload, QWebEnginePage::Cut,
          QWebEnginePage::Copy, QWebEnginePage::Paste, QWebEnginePage::SelectAll}) {
      menu.addAction(page()->action(a));
    }
    menu.exec(event->globalPos());
  }
  QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override { return nullptr; }

 private:
  bool block_right_button_;
};

// Sizes the page's scroll bars for fingers.
QWebEngineScript ScrollBarStyle(int size) {
  QWebEngineScript script;
  script.setName("tarnwick-scrollbars");
  script.setInjectionPoint(QWebEngineScript::DocumentReady);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setRunsOnSubFrames(true);
  script.setSourceCode(QString("(function(){var s=document.createElement('style');"
                               "s.textContent='::-webkit-scrollbar{width:%1px;height:%1px}"
                               "::-webkit-scrollbar-thumb{background:#a0a0a0}';"
                               "(document.head||document.documentElement).appendChild(s);})();")
                           .arg(size));
  return script;
}

constexpr char kHighContrastScript[] = "tarnwick-high-contrast";

// The visitor's high-contrast look for every document of the page, frames included.
QWebEngineScript HighContrastStyle() {
  QWebEngineScript script;
  script.setName(kHighContrastScript);
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setRunsOnSubFrames(true);
  script.setSourceCode(QString::fromStdString(HighContrastOnScript()));
  return script;
}

// Shown when a page of the kiosk's cannot be loaded and the program folder has no
// offline page of its own.
const char kBuiltInOfflinePage[] =
    "<!DOCTYPE html><html><head><meta charset='utf-8'><title>Offline</title><style>"
    "body{font-family:sans-serif;background:#f4f4f4;color:#333;display:flex;align-items:center;"
    "justify-content:center;height:100vh;margin:0}div{text-align:center;max-width:30em}"
    "h1{font-size:1.6em;font-weight:normal}</style></head><body><div>"
    "<h1>This page is not available at the moment.</h1>"
    "<p>The kiosk will try again by itself in a little while.</p></div></body></html>";

// A failed load that means the page could not be had (no network, no server, no name),
// not a navigation the kiosk itself stopped.
bool PageUnreachable(const QWebEngineLoadingInfo& info) {
  constexpr int kAborted = -3;  // the navigation was stopped or refused
  if (info.errorCode() == kAborted) return false;
  switch (info.errorDomain()) {
    case QWebEngineLoadingInfo::ConnectionErrorDomain:
    case QWebEngineLoadingInfo::DnsErrorDomain:
    case QWebEngineLoadingInfo::HttpErrorDomain:
    case QWebEngineLoadingInfo::CertificateErrorDomain: return true;
    default: return false;
  }
}

std::string TerminationReason(QWebEnginePage::RenderProcessTerminationStatus status, int exit_code, bool unresponsive) {
  if (unresponsive) {
    return "not responding for " + std::to_string(kUnresponsiveMs / 1000) + " seconds, ended";
  }
  switch (status) {
    case QWebEnginePage::KilledTerminationStatus: return "killed";
    case QWebEnginePage::CrashedTerminationStatus: return "crashed";
    default: return "ended abnormally (exit code " + std::to_string(exit_code) + ")";
  }
}

}  // namespace

BrowserWindow::BrowserWindow(BrowserEvents& events, Options options, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint),
      events_(events),
      options_(options),
      profile_(nullptr),
      page_(nullptr),
      view_(nullptr),
      scroller_(nullptr) {
  setObjectName("FormIE");
  setAccessibleName("Page");
  setWindowTitle("Tarnwick");
  resize(427, 273);

  auto* view = new KioskWebView(options_.block_right_button, this);
  view_ = view;
  view_->setObjectName("WebBrowser");
  view_->setAcceptDrops(false);
  view_->setFocusPolicy(Qt::ClickFocus);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  connect(view_, &QWebEngineView::printFinished, this, [this](bool ok) {
    printer_.reset();
    if (!ok) PrintFailed("Print failed");
  });
  NewSession();
  // The page that has the focus scrolls by about a line of text at a time.
  scroller_ = new PageScroller([this]() -> QWebEnginePage* { return isVisible() ? page_ : nullptr; },
                               kPageScrollLinePixels, this);
  // Armed again at each check and answer: the next check is due either a while after
  // the last answer, or when the question outstanding would be too old.
  liveness_timer_.setSingleShot(true);
  connect(&liveness_timer_, &QTimer::timeout, this, &BrowserWindow::CheckLiveness);
  liveness_timer_.start(kLivenessCheckMs);
}

void BrowserWindow::NewSession() {
  QWebEngineProfile* old_profile = profile_;
  KioskWebPage* old_page = page_;

  profile_ = new QWebEngineProfile(this);  // no storage name: off the record
  profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
  profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
  profile_->scripts()->insert(ScrollBarStyle(options_.scroll_bar_size));
  // One handler for the command scheme and every scheme the kiosk registered: their
  // links reach before-navigate, which decides; a request that gets past it is refused.
  auto* refusing = new RefusingSchemeHandler(profile_);
  for (const std::string& scheme : RegisteredKioskSchemes()) {
    profile_->installUrlSchemeHandler(QByteArray::fromStdString(scheme), refusing);
  }
  connect(profile_, &QWebEngineProfile::downloadRequested, this, [this](QWebEngineDownloadRequest* download) {
    events_.BrowserDialog(BrowserDialogKind::kDownload, download->url().toString().toStdString());
    download->cancel();
  });

  page_ = new KioskWebPage(
      profile_, events_,
      [this](BrowserDialogKind kind, const QString& text, QString* input) {
        return ShowVisitorDialog(kind, text, input);
      },
      view_);
  page_->print_request = [this] { Print(); };
  page_->kiosk_navigating = [this] { return kiosk_navigating_; };
  page_->answer_at_once = [this] { return AnswerAtOnce(); };
  QWebEngineSettings* s = page_->settings();
  // Full-screen requests reach the page's handler, which refuses each one and logs it.
  s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
  s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
  // Pop-ups only from a visitor's click or key, as browsers do; they are then handled as
  // new windows.
  s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
  // A link the engine cannot load itself is offered to before-navigate, which refuses it
  // (and says so in the log); without a click it is dropped by the engine. Nothing is
  // ever handed to the desktop's programs.
  s->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
  ConnectPage(page_);
  view_->setPage(page_);

  if (old_page != nullptr) {
    // The old page says nothing more; a load it had begun counts as ended. It goes once
    // control is back in the event loop (this may run inside one of its own calls), and
    // its profile after it.
    disconnect(old_page, nullptr, this, nullptr);
    old_page->triggerAction(QWebEnginePage::Stop);
    old_page->deleteLater();
    if (loading_) {
      loading_ = false;
      events_.DownloadComplete();
    }
  }
  if (old_profile != nullptr) old_profile->deleteLater();
  // A probe sent to the old page says nothing about the new one.
  ForgetProbe();
}

void BrowserWindow::ForgetProbe() {
  ++probe_generation_;
  probe_outstanding_ = false;
}

void BrowserWindow::ConnectPage(KioskWebPage* page) {
  connect(page, &QWebEnginePage::loadStarted, this, [this] {
    loading_ = true;
    ForgetProbe();
    events_.DownloadBegin();
  });
  connect(page, &QWebEnginePage::loadFinished, this, [this, page](bool ok) {
    // A probe may be lost with the document it was sent to.
    ForgetProbe();
    if (loading_) {
      loading_ = false;
      events_.DownloadComplete();
    }
    kiosk_navigating_ = false;
    pending_change_ = nullptr;
    // The engine keeps a zoom per site: the visitor's holds on every page.
    if (page->zoomFactor() != zoom_.factor()) page->setZoomFactor(zoom_.factor());
    if (page->own_page_loading()) {
      // The kiosk's offline page is not a page the visitor went to.
      page->OwnPageFinished();
    } else if (ok) {
      // A cancelled or failed navigation also finishes: that is not a loaded page.
      events_.NavigateComplete(page->url().toString().toStdString());
    }
    ReportCommandStates();
  });
  connect(page, &QWebEnginePage::loadingChanged, this, [this, page](const QWebEngineLoadingInfo& info) {
    if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus || page->own_page_loading()) return;
    if (PageUnreachable(info))
      events_.NavigateError(info.url().toString().toStdString(), info.errorString().toStdString());
  });
  connect(page, &QWebEnginePage::urlChanged, this, [this] { ReportCommandStates(); });
  connect(page, &QWebEnginePage::renderProcessTerminated, this,
          [this](QWebEnginePage::RenderProcessTerminationStatus status, int exit_code) {
            PageEnded(static_cast<int>(status), exit_code);
          });
}

void BrowserWindow::ScrollFocusedPage(std::optional<ScrollDirection> direction, PageScrollAnswers& answers) {
  scroller_->OnAnswer = [&answers](const PageScrollAnswer& answer) { answers.PageScrollAnswered(answer); };
  scroller_->Run(direction);
}

bool BrowserWindow::ScrollPending() const { return scroller_->busy(); }

void BrowserWindow::TakeFocus() {
  if (!isVisible()) return;
  // The web view keeps the page's focused element: typing goes on where it was.
  activateWindow();
  view_->setFocus(Qt::OtherFocusReason);
}

bool BrowserWindow::Responsive() const { return !probe_outstanding_ || probe_age_.elapsed() < kResponsiveMs; }

void BrowserWindow::EndVisitorSession() {
  // A new off-the-record profile holds nothing of the old one: no cookies, storage,
  // cache, visited links, form data or history.
  KioskAction([this] {
    zoom_.Reset();
    NewSession();
    ReportCommandStates();
  });
}

void BrowserWindow::KioskAction(std::function<void()> action) {
  if (!page_->in_visitor_call() && open_dialogs_.empty()) {
    action();
    return;
  }
  // No new dialog is left to the visitor meanwhile: the page could otherwise hold the
  // kiosk with one box after another.
  ++waiting_actions_;
  CloseVisitorDialogs();
  QTimer::singleShot(0, this, [this, action = std::move(action)]() mutable {
    --waiting_actions_;
    KioskAction(std::move(action));
  });
}

void BrowserWindow::KioskChange(std::function<void()> change) {
  KioskAction([this, change = std::move(change)] {
    pending_change_ = change;
    dialogs_during_change_ = 0;
    change();
  });
}

bool BrowserWindow::AnswerAtOnce() {
  if (waiting_actions_ > 0) return true;
  if (!kiosk_navigating_) return false;
  if (++dialogs_during_change_ == kDialogsHoldingTheKiosk) {
    // The page's script never lets go (a box after each box): the kiosk's change could
    // not come while it runs. Its renderer is ended; the change is made again once it has.
    const qint64 pid = page_->renderProcessPid();
    if (pid > 0) {
      ending_holder_ = true;
      ::kill(static_cast<pid_t>(pid), SIGKILL);
    }
  }
  return true;
}

void BrowserWindow::CloseVisitorDialogs() {
  for (const OpenDialog& d : open_dialogs_) {
    *d.accepted = d.default_answer;
    d.loop->quit();
  }
  events_.CloseKioskQuestions();
}

void BrowserWindow::PageEnded(int termination_status, int exit_code) {
  const auto status = static_cast<QWebEnginePage::RenderProcessTerminationStatus>(termination_status);
  const bool unresponsive = ended_unresponsive_;
  ended_unresponsive_ = false;
  ForgetProbe();
  if (std::exchange(ending_holder_, false)) {
    CloseVisitorDialogs();
    if (loading_) {
      loading_ = false;
      events_.DownloadComplete();
    }
    events_.BrowserNote(log_text::kBrowserPageEnded + page_->url().toString().toStdString() +
                        " - its dialog boxes held the kiosk's page change");
    if (const auto change = std::exchange(pending_change_, nullptr)) KioskChange(change);
    return;
  }
  if (status == QWebEnginePage::NormalTerminationStatus && !unresponsive) return;
  // Nothing is left waiting on a page that has gone.
  CloseVisitorDialogs();
  if (loading_) {
    loading_ = false;
    events_.DownloadComplete();
  }
  events_.PageCrashed(page_->url().toString().toStdString(), TerminationReason(status, exit_code, unresponsive));
}

void BrowserWindow::CheckLiveness() {
  // A page waiting on the visitor's answer is held on purpose.
  if (page_->in_visitor_call() || !open_dialogs_.empty()) {
    probe_outstanding_ = false;
    liveness_timer_.start(kLivenessCheckMs);
    return;
  }
  if (probe_outstanding_) {
    const qint64 age = probe_age_.elapsed();
    if (age < kUnresponsiveMs) {
      liveness_timer_.start(static_cast<int>(kUnresponsiveMs - age));
      return;
    }
    liveness_timer_.start(kLivenessCheckMs);
    const qint64 pid = page_->renderProcessPid();
    if (pid > 0) {
      // The page's own renderer, never the kiosk: the engine reports its end as for a crash.
      ended_unresponsive_ = true;
      probe_outstanding_ = false;
      ::kill(static_cast<pid_t>(pid), SIGKILL);
    }
    return;
  }
  probe_outstanding_ = true;
  probe_age_.start();
  liveness_timer_.start(kUnresponsiveMs);
  const int generation = ++probe_generation_;
  QPointer<BrowserWindow> self(this);
  page_->runJavaScript("0", QWebEngineScript::ApplicationWorld, [self, generation](const QVariant&) {
    if (!self || self->probe_generation_ != generation) return;
    self->probe_outstanding_ = false;
    self->liveness_timer_.start(kLivenessCheckMs);
  });
}

void BrowserWindow::Place(const Rect& r) { setGeometry(r.left, r.top, r.width, r.height); }

BrowserWindow::~BrowserWindow() {
  // A page being deleted answers its outstanding scripts and may still signal: the
  // scroller and the page's connections go first, so that nothing reaches parts of the
  // kiosk that are gone already.
  disconnect(page_, nullptr, this, nullptr);
  delete scroller_;
  scroller_ = nullptr;
  // The page must go before its profile.
  delete view_;
  view_ = nullptr;
}

void BrowserWindow::ReportCommandStates() {
  QWebEngineHistory* history = page_->history();
  events_.CommandStateChange(BrowserCommand::kForward, history->canGoForward());
  events_.CommandStateChange(BrowserCommand::kBack, history->canGoBack());
}

// The kiosk's own changes of page (an address, back, forward, reload): a page's question
// whether it may be left is answered "leave" until the change has loaded.
void BrowserWindow::Navigate(const std::string& url) {
  KioskChange([this, url] {
    kiosk_navigating_ = true;
    page_->load(QUrl(QString::fromStdString(url)));
  });
}

void BrowserWindow::RunOnPage(PageOperation operation) {
  switch (operation) {
    case PageOperation::kBack:
      KioskChange([this] {
        kiosk_navigating_ = page_->history()->canGoBack();
        page_->triggerAction(QWebEnginePage::Back);
      });
      break;
    case PageOperation::kForward:
      KioskChange([this] {
        kiosk_navigating_ = page_->history()->canGoForward();
        page_->triggerAction(QWebEnginePage::Forward);
      });
      break;
    case PageOperation::kReload:
      KioskChange([this] {
        kiosk_navigating_ = true;
        page_->triggerAction(QWebEnginePage::Reload);
      });
      break;
    case PageOperation::kStop: page_->triggerAction(QWebEnginePage::Stop); break;
    case PageOperation::kPrint: Print(); break;
    case PageOperation::kZoomIn:
      if (zoom_.In()) page_->setZoomFactor(zoom_.factor());
      break;
    case PageOperation::kZoomOut:
      if (zoom_.Out()) page_->setZoomFactor(zoom_.factor());
      break;
    case PageOperation::kHighContrastOn:
    case PageOperation::kHighContrastOff: SetHighContrast(operation == PageOperation::kHighContrastOn); break;
  }
}

void BrowserWindow::SetHighContrast(bool on) {
  QWebEngineScriptCollection& scripts = page_->scripts();
  for (const QWebEngineScript& script : scripts.find(kHighContrastScript)) scripts.remove(script);
  if (on) scripts.insert(HighContrastStyle());
  page_->runJavaScript(QString::fromStdString(on ? HighContrastOnScript() : HighContrastOffScript()),
                       QWebEngineScript::ApplicationWorld);
}

void BrowserWindow::ShowOfflinePage() {
  KioskAction([this] {
    const QFileInfo file(options_.offline_page);
    page_->LoadOwnPage(!options_.offline_page.isEmpty() && file.isFile() && file.isReadable()
                           ? QUrl::fromLocalFile(file.absoluteFilePath())
                           : QUrl(),
                       QString::fromUtf8(kBuiltInOfflinePage));
  });
}

void BrowserWindow::PrintFailed(const std::string& line) {
  events_.BrowserNote(line);
  events_.PrintFailed();
}

void BrowserWindow::Print() {
  if (printer_) return;  // one print job at a time
  std::string refused;
  if (!prints_.Admit(std::time(nullptr), refused)) {
    if (!refused.empty()) events_.BrowserNote(refused);
    return;
  }
  if (print_file_.isEmpty()) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
      PrintFailed("Print failed - no printer");
      return;
    }
    printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  } else {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(print_file_);
  }
  view_->print(printer_.get());
}

bool BrowserWindow::ShowVisitorDialog(BrowserDialogKind kind, const QString& text, QString* input) {
  // A message is acknowledged, a question declined: when the kiosk closes the box, and
  // when nobody has answered it after ten seconds.
  const bool default_answer = kind == BrowserDialogKind::kScriptAlert;
  if (waiting_actions_ > 0) return default_answer;
  // The kiosk's own message box, inside the browser window: on top of the page, never
  // over the panels, and with no way out of the kiosk.
  QPointer<QFrame> box = new QFrame(this);
  box->setObjectName("VisitorDialog");
  box->setFrameStyle(QFrame::Panel | QFrame::Raised);
  box->setLineWidth(2);
  box->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(box);
  auto* label = new QLabel(text, box);
  label->setWordWrap(true);
  layout->addWidget(label);
  QPointer<QLineEdit> edit;
  if (kind == BrowserDialogKind::kScriptPrompt && input != nullptr) {
    edit = new QLineEdit(*input, box);
    layout->addWidget(edit);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, box);
  if (kind != BrowserDialogKind::kScriptAlert) buttons->addButton(QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  QEventLoop loop;
  bool accepted = false;
  connect(buttons, &QDialogButtonBox::accepted, &loop, [&] {
    accepted = true;
    loop.quit();
  });
  connect(buttons, &QDialogButtonBox::rejected, &loop, &QEventLoop::quit);
  connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
  const QSize size(std::min(width() - 20, 420), std::min(height() - 20, 200));
  box->setGeometry((width() - size.width()) / 2, (height() - size.height()) / 3, size.width(), size.height());
  box->show();
  box->raise();
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setDefault(true);
  (edit ? static_cast<QWidget*>(edit) : ok)->setFocus();
  QTimer unanswered;
  unanswered.setSingleShot(true);
  connect(&unanswered, &QTimer::timeout, &loop, [&] {
    accepted = default_answer;
    loop.quit();
  });
  unanswered.start(kVisitorDialogMs);
  open_dialogs_.push_back({&loop, &accepted, default_answer});
  const QPointer<BrowserWindow> self(this);
  loop.exec();
  if (!self) return default_answer;  // the window went while the box was up
  std::erase_if(open_dialogs_, [&loop](const OpenDialog& d) { return d.loop == &loop; });
  if (accepted && edit) *input = edit->text();
  delete box;
  return accepted;
}

}  // namespace tw
