#include "kiosk/browser/webengine/form_ie.h"

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QEventLoop>
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
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>

#include "kiosk/browser/webengine/kiosk_web_page.h"

namespace tw {
namespace {

// Command URLs are answered before any request is made (before-navigate cancels them);
// with a handler for the scheme the engine lets a page's links and forms reach them at all.
class CommandSchemeHandler : public QWebEngineUrlSchemeHandler {
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
    for (const QWebEnginePage::WebAction a : {QWebEnginePage::Back, QWebEnginePage::Forward, QWebEnginePage::Reload,
                                              QWebEnginePage::Cut, QWebEnginePage::Copy, QWebEnginePage::Paste,
                                              QWebEnginePage::SelectAll}) {
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

}  // namespace

TFormIE::TFormIE(BrowserEvents& events, Options options, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint),
      events_(events),
      options_(options),
      profile_(nullptr),
      page_(nullptr),
      view_(nullptr) {
  setObjectName("FormIE");
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
    if (!ok && report) report("Print failed");
    printer_.reset();
  });
  NewSession();
}

void TFormIE::NewSession() {
  QWebEngineProfile* old_profile = profile_;
  KioskWebPage* old_page = page_;

  profile_ = new QWebEngineProfile(this);  // no storage name: off the record
  profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
  profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
  profile_->scripts()->insert(ScrollBarStyle(options_.scroll_bar_size));
  profile_->installUrlSchemeHandler("tw-command", new CommandSchemeHandler(profile_));
  connect(profile_, &QWebEngineProfile::downloadRequested, this, [this](QWebEngineDownloadRequest* download) {
    events_.BrowserDialog(BrowserDialogKind::kDownload, download->url().toString().toStdString());
    download->cancel();
  });

  page_ = new KioskWebPage(profile_, events_,
                           [this](BrowserDialogKind kind, const QString& text, QString* input) {
                             return ShowVisitorDialog(kind, text, input);
                           },
                           view_);
  page_->print_request = [this] { Print(); };
  QWebEngineSettings* s = page_->settings();
  s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
  s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
  s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);  // handled as new windows
  s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);

  KioskWebPage* page = page_;
  connect(page, &QWebEnginePage::loadStarted, this, [this] {
    loading_ = true;
    events_.DownloadBegin();
  });
  connect(page, &QWebEnginePage::loadFinished, this, [this, page](bool ok) {
    if (loading_) {
      loading_ = false;
      events_.DownloadComplete();
    }
    // A cancelled or failed navigation also finishes: that is not a loaded page.
    if (ok) events_.NavigateComplete(page->url().toString().toStdString());
    ReportCommandStates();
  });
  connect(page, &QWebEnginePage::urlChanged, this, [this] { ReportCommandStates(); });
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
}

void TFormIE::WipeSession() {
  // A new off-the-record profile holds nothing of the old one: no cookies, storage,
  // cache, visited links, form data or history.
  NewSession();
  ReportCommandStates();
}

TFormIE::~TFormIE() {
  // The page must go before its profile.
  delete view_;
  view_ = nullptr;
}

void TFormIE::ReportCommandStates() {
  QWebEngineHistory* history = page_->history();
  events_.CommandStateChange(BrowserCommand::kForward, history->canGoForward());
  events_.CommandStateChange(BrowserCommand::kBack, history->canGoBack());
}

void TFormIE::Navigate(const std::string& url) { page_->load(QUrl(QString::fromStdString(url))); }
void TFormIE::GoBack() { page_->triggerAction(QWebEnginePage::Back); }
void TFormIE::GoForward() { page_->triggerAction(QWebEnginePage::Forward); }
void TFormIE::Refresh() { page_->triggerAction(QWebEnginePage::Reload); }
void TFormIE::Stop() { page_->triggerAction(QWebEnginePage::Stop); }

void TFormIE::Print() {
  if (printer_) return;  // one print job at a time
  if (print_file_.isEmpty()) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
      if (report) report("Print failed - no printer");
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

bool TFormIE::ShowVisitorDialog(BrowserDialogKind kind, const QString& text, QString* input) {
  // The kiosk's own message box, inside the browser window: on top of the page, never
  // over the panels, and with no way out of the kiosk.
  QFrame box(this);
  box.setObjectName("VisitorDialog");
  box.setFrameStyle(QFrame::Panel | QFrame::Raised);
  box.setLineWidth(2);
  box.setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(&box);
  auto* label = new QLabel(text, &box);
  label->setWordWrap(true);
  layout->addWidget(label);
  QLineEdit* edit = nullptr;
  if (kind == BrowserDialogKind::kScriptPrompt && input != nullptr) {
    edit = new QLineEdit(*input, &box);
    layout->addWidget(edit);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
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
  box.setGeometry((width() - size.width()) / 2, (height() - size.height()) / 3, size.width(), size.height());
  box.show();
  box.raise();
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setDefault(true);
  (edit != nullptr ? static_cast<QWidget*>(edit) : ok)->setFocus();
  loop.exec();
  if (accepted && edit != nullptr) *input = edit->text();
  return accepted;
}

}  // namespace tw
