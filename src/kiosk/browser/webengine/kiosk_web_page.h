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

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool is_main_frame) override;
  void javaScriptAlert(const QUrl& origin, const QString& message) override;
  bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
  bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& default_value,
                        QString* result) override;
  QStringList chooseFiles(FileSelectionMode mode, const QStringList& old_files,
                          const QStringList& accepted_mime_types) override;

 private:
  void ConnectRefusals();
  BrowserEvents& events_;
  VisitorDialog visitor_dialog_;
};

}  // namespace tw
