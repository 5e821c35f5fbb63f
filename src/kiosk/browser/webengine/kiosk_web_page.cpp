#include "kiosk/browser/webengine/kiosk_web_page.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>

namespace tw {
namespace {

// The engine asks whether a page with a leave-page handler may be left as a confirm box
// with this text of its own.
QString LeavePageQuestion() {
  return QCoreApplication::translate(
      "QWebEnginePage", "Are you sure you want to leave this page? Changes that you made may not be saved.");
}

// Counts a call in which the kiosk waits on the visitor.
class VisitorCall {
 public:
  explicit VisitorCall(int& depth) : depth_(depth) { ++depth_; }
  ~VisitorCall() { --depth_; }
  VisitorCall(const VisitorCall&) = delete;
  VisitorCall& operator=(const VisitorCall&) = delete;

 private:
  int& depth_;
};

}  // namespace

KioskWebPage::KioskWebPage(QWebEngineProfile* profile, BrowserEvents& events, VisitorDialog visitor_dialog,
                           QObject* parent)
    : QWebEnginePage(profile, parent), events_(events), visitor_dialog_(std::move(visitor_dialog)) {
  ConnectRefusals();
  connect(this, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest& request) {
    const VisitorCall call(visitor_calls_);
    bool cancel = false;
    events_.NewWindow(request.requestedUrl().toString().toStdString(), cancel);
    // The request is never opened in a page of its own: no second window appears.
  });
  connect(this, &QWebEnginePage::printRequested, this, [this] {
    if (events_.BrowserDialog(BrowserDialogKind::kPrintRequest, "") == BrowserDialogAnswer::kOk && print_request) {
      print_request();
    }
  });
}

void KioskWebPage::LoadOwnPage(const QUrl& file, const QString& html) {
  own_page_loading_ = true;
  if (file.isEmpty()) {
    setHtml(html, QUrl());
  } else {
    load(file);
  }
}

void KioskWebPage::ConnectRefusals() {
  connect(this, &QWebEnginePage::authenticationRequired, this, [this](const QUrl& url, QAuthenticator* auth) {
    events_.BrowserDialog(BrowserDialogKind::kAuthentication, url.toString().toStdString());
    *auth = QAuthenticator();  // a null authenticator cancels the request
  });
  connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
          [this](const QUrl& url, QAuthenticator* auth, const QString&) {
            events_.BrowserDialog(BrowserDialogKind::kAuthentication, url.toString().toStdString());
            *auth = QAuthenticator();
          });
  connect(this, &QWebEnginePage::certificateError, this, [this](const QWebEngineCertificateError& error) {
    QWebEngineCertificateError e = error;
    events_.BrowserDialog(BrowserDialogKind::kCertificateError,
                          (e.url().toString() + " " + e.description()).toStdString());
    e.rejectCertificate();
  });
  connect(this, &QWebEnginePage::featurePermissionRequested, this, [this](const QUrl& origin, Feature feature) {
    events_.BrowserDialog(BrowserDialogKind::kPermissionRequest,
                          origin.toString().toStdString() + " feature " + std::to_string(static_cast<int>(feature)));
    setFeaturePermission(origin, feature, PermissionDeniedByUser);
  });
  connect(this, &QWebEnginePage::fullScreenRequested, this, [this](QWebEngineFullScreenRequest request) {
    if (!request.toggleOn()) {
      request.accept();  // leaving full screen is always fine
      return;
    }
    events_.BrowserDialog(BrowserDialogKind::kFullScreenRequest, request.origin().toString().toStdString());
    request.reject();
  });
  connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
          [this](QWebEngineRegisterProtocolHandlerRequest request) {
            events_.BrowserDialog(
                BrowserDialogKind::kPermissionRequest,
                request.origin().toString().toStdString() + " protocol handler " + request.scheme().toStdString());
            request.reject();
          });
}

bool KioskWebPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool is_main_frame) {
  // The kiosk's own page (the offline page) is shown as it is.
  if (own_page_loading_ && is_main_frame) return true;
  bool cancel = false;
  events_.BeforeNavigate(url.toString().toStdString(), is_main_frame, cancel);
  return !cancel;
}

bool KioskWebPage::AskVisitor(BrowserDialogKind kind, const QString& text, QString* input) {
  if (!visitor_dialog_) return false;
  const VisitorCall call(visitor_calls_);
  return visitor_dialog_(kind, text, input);
}

void KioskWebPage::javaScriptAlert(const QUrl&, const QString& message) {
  const bool kiosk_first = KioskFirst();
  if (events_.BrowserDialog(BrowserDialogKind::kScriptAlert, message.toStdString()) ==
          BrowserDialogAnswer::kShowVisitor &&
      !kiosk_first) {
    AskVisitor(BrowserDialogKind::kScriptAlert, message, nullptr);
  }
}

bool KioskWebPage::javaScriptConfirm(const QUrl&, const QString& message) {
  if (message == LeavePageQuestion() && kiosk_navigating && kiosk_navigating()) {
    return events_.BrowserDialog(BrowserDialogKind::kLeavePage, message.toStdString()) == BrowserDialogAnswer::kOk;
  }
  const bool kiosk_first = KioskFirst();
  if (events_.BrowserDialog(BrowserDialogKind::kScriptConfirm, message.toStdString()) ==
          BrowserDialogAnswer::kShowVisitor &&
      !kiosk_first) {
    return AskVisitor(BrowserDialogKind::kScriptConfirm, message, nullptr);
  }
  return false;
}

bool KioskWebPage::javaScriptPrompt(const QUrl&, const QString& message, const QString& default_value,
                                    QString* result) {
  const bool kiosk_first = KioskFirst();
  if (events_.BrowserDialog(BrowserDialogKind::kScriptPrompt, message.toStdString()) ==
          BrowserDialogAnswer::kShowVisitor &&
      !kiosk_first) {
    QString input = default_value;
    if (AskVisitor(BrowserDialogKind::kScriptPrompt, message, &input)) {
      *result = input;
      return true;
    }
  }
  return false;
}

QStringList KioskWebPage::chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) {
  // The visitor never browses the kiosk's file system.
  events_.BrowserDialog(BrowserDialogKind::kFileChooser, "");
  return {};
}

void KioskWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                            const QString& source) {
  // The engine refuses a web page's links to local files and to its own pages before any
  // navigation starts; this message is all that is seen of them.
  static const QString kRefused = QStringLiteral("Not allowed to load local resource: ");
  if (level == ErrorMessageLevel && message.startsWith(kRefused)) {
    events_.NavigationRefused(message.mid(kRefused.size()).trimmed().toStdString());
  }
  QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
}

}  // namespace tw
