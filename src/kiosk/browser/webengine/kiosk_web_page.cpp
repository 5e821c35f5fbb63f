#include "kiosk/browser/webengine/kiosk_web_page.h"

#include <QAuthenticator>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>

namespace tw {
namespace {

// Pages the engine serves itself that would show its inner workings or source code.
bool IsEngineInternal(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return scheme == "view-source" || scheme == "chrome" || scheme == "devtools" || scheme == "chrome-devtools";
}

}  // namespace

KioskWebPage::KioskWebPage(QWebEngineProfile* profile, BrowserEvents& events, VisitorDialog visitor_dialog,
                           QObject* parent)
    : QWebEnginePage(profile, parent), events_(events), visitor_dialog_(std::move(visitor_dialog)) {
  ConnectRefusals();
  connect(this, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest& request) {
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
            events_.BrowserDialog(BrowserDialogKind::kPermissionRequest,
                                  request.origin().toString().toStdString() + " protocol handler " +
                                      request.scheme().toStdString());
            request.reject();
          });
}

bool KioskWebPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
  bool cancel = false;
  events_.BeforeNavigate(url.toString().toStdString(), cancel);
  if (!cancel && IsEngineInternal(url)) cancel = true;
  return !cancel;
}

void KioskWebPage::javaScriptAlert(const QUrl&, const QString& message) {
  if (events_.BrowserDialog(BrowserDialogKind::kScriptAlert, message.toStdString()) ==
          BrowserDialogAnswer::kShowVisitor &&
      visitor_dialog_) {
    visitor_dialog_(BrowserDialogKind::kScriptAlert, message, nullptr);
  }
}

bool KioskWebPage::javaScriptConfirm(const QUrl&, const QString& message) {
  if (events_.BrowserDialog(BrowserDialogKind::kScriptConfirm, message.toStdString()) ==
          BrowserDialogAnswer::kShowVisitor &&
      visitor_dialog_) {
    return visitor_dialog_(BrowserDialogKind::kScriptConfirm, message, nullptr);
  }
  return false;
}

bool KioskWebPage::javaScriptPrompt(const QUrl&, const QString& message, const QString& default_value,
                                    QString* result) {
  if (events_.BrowserDialog(BrowserDialogKind::kScriptPrompt, message.toStdString()) ==
          BrowserDialogAnswer::kShowVisitor &&
      visitor_dialog_) {
    QString input = default_value;
    if (visitor_dialog_(BrowserDialogKind::kScriptPrompt, message, &input)) {
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

}  // namespace tw
