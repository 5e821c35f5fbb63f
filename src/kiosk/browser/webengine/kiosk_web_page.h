// The kiosk's web page: every navigation, new window and dialog of the engine goes to
// the kiosk's browser events; nothing of a visitor's session is kept on disk.
#pragma once

#include <QWebEnginePage>
#include <functional>

#include "kiosk/browser/browser_engine.h"

namespace tw {

class KioskWebPage : public QWebEnginePage {
  Q_OBJECT

 public:
  // Shows a script dialog the kiosk leaves to the visitor; returns the visitor's answer
  // (and the typed text for a prompt).
  using VisitorDialog = std::function<bool(BrowserDialogKind kind, const QString& text, QString* input)>;

  KioskWebPage(QWebEngineProfile* profile, BrowserEvents& events, VisitorDialog visitor_dialog,
               QObject* parent = nullptr);

  // Asked for by the engine when a page prints itself (window.print()).
  std::function<void()> print_request;
  // Whether the kiosk itself is changing the page (a queued page, a tool-bar button): a
  // page's question whether it may be left is then answered "leave".
  std::function<bool()> kiosk_navigating;
  // Asked at each of the page's script dialogs: true while the kiosk's own change of page
  // waits, and the dialog is then answered at once (a message acknowledged, a question
  // declined), never left to the visitor.
  std::function<bool()> answer_at_once;

  // Loads a page of the kiosk's own (a file, or the HTML when there is none) without
  // passing it through the kiosk's navigation checks or reporting it as a visited page.
  void LoadOwnPage(const QUrl& file, const QString& html);
  // True from LoadOwnPage until that page has finished loading.
  bool own_page_loading() const { return own_page_loading_; }
  void OwnPageFinished() { own_page_loading_ = false; }

  // While the kiosk waits on the visitor inside one of this page's calls (a script's
  // message box, the new-window question), the page must not be deleted or navigated.
  bool in_visitor_call() const { return visitor_calls_ > 0; }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool is_main_frame) override;
  void javaScriptAlert(const QUrl& origin, const QString& message) override;
  bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
  bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& default_value,
                        QString* result) override;
  QStringList chooseFiles(FileSelectionMode mode, const QStringList& old_files,
                          const QStringList& accepted_mime_types) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                const QString& source) override;

 private:
  void ConnectRefusals();
  bool AskVisitor(BrowserDialogKind kind, const QString& text, QString* input);
  bool KioskFirst() { return answer_at_once && answer_at_once(); }

  BrowserEvents& events_;
  VisitorDialog visitor_dialog_;
  int visitor_calls_ = 0;
  bool own_page_loading_ = false;
};

}  // namespace tw
