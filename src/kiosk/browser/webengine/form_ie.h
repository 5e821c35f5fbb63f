// The embedded browser's window: a borderless window in the hole between the panels,
// holding the web view. It carries out the engine operations and reports the engine's
// events to the kiosk.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "kiosk/browser/browser_engine.h"

class QPrinter;
class QWebEngineProfile;
class QWebEngineView;

namespace tw {

class KioskWebPage;

class TFormIE : public QWidget, public BrowserEngine {
  Q_OBJECT

 public:
  struct Options {
    bool block_right_button = true;
    int scroll_bar_size = 20;  // pixels, already scaled
  };

  TFormIE(BrowserEvents& events, Options options, QWidget* parent = nullptr);
  ~TFormIE() override;

  // BrowserEngine
  void Navigate(const std::string& url) override;
  void GoBack() override;
  void GoForward() override;
  void Refresh() override;
  void Stop() override;
  void Print() override;

  // Print results and problems go here (for the log).
  std::function<void(const std::string&)> report;
  // Printing goes to this PDF file instead of the default printer (for tests).
  void SetPrintToFile(const QString& pdf_path) { print_file_ = pdf_path; }

  // Forgets the visitor: the view gets a fresh page on a fresh off-the-record profile.
  void WipeSession();

  QWebEngineView* WebBrowser() const { return view_; }
  KioskWebPage* page() const { return page_; }

 private:
  void NewSession();
  void ReportCommandStates();
  bool ShowVisitorDialog(BrowserDialogKind kind, const QString& text, QString* input);

  BrowserEvents& events_;
  Options options_;
  QWebEngineProfile* profile_;
  KioskWebPage* page_;
  QWebEngineView* view_;
  std::unique_ptr<QPrinter> printer_;
  QString print_file_;
  bool loading_ = false;
};

}  // namespace tw
