// The embedded browser's window: a borderless window in the hole between the panels,
// holding the web view. It carries out the engine operations and reports the engine's
// events to the kiosk.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "kiosk/browser/browser_engine.h"
#include "common/texts/log_texts.h"
#include "kiosk/browser/browser_parts.h"
#include "kiosk/browser/page_zoom.h"
#include "kiosk/browser/print_budget.h"

class QEventLoop;
class QPrinter;
class QWebEngineProfile;
class QWebEngineView;

namespace tw {

class KioskWebPage;
class PageScroller;

class BrowserWindow : public QWidget, public KioskBrowser {
  Q_OBJECT

 public:
  struct Options {
    bool block_right_button = true;
    int scroll_bar_size = 20;  // pixels, already scaled
    QString offline_page;      // the kiosk's offline page; a built-in one when it is missing
  };

  BrowserWindow(BrowserEvents& events, Options options, QWidget* parent = nullptr);
  ~BrowserWindow() override;

  // BrowserEngine: a page inside the kiosk, whose every navigation the kiosk sees as it
  // happens.
  BrowserTraits Traits() const override { return {}; }
  void Navigate(const std::string& url) override;
  void RunOnPage(PageOperation operation) override;
  void ShowOfflinePage() override;

  // KioskBrowser: the window among the kiosk's windows, and the dialogs left to the
  // visitor (closed with their default answers: a message box acknowledged, a question
  // declined).
  // Ready at once: the engine runs inside the kiosk, which never ends it.
  void Start() override {
    events_.BrowserNote(log_text::kBrowserControlRunning);
    events_.BrowserStarted();
  }
  bool Restart() override { return false; }
  void Place(const Rect& screen_rect) override;
  void Show() override { show(); }
  void Hide() override { hide(); }
  void Close() override { close(); }
  // A probe normally comes back at once: one left unanswered for kResponsiveMs means
  // the page hangs (and is ended once kUnresponsiveMs have passed).
  bool Responsive() const override;
  bool Shown() const override { return isVisible(); }
  void CloseVisitorDialogs() override;
  // Printing goes to this PDF file instead of the default printer (for tests).
  void SetPrintToFile(const QString& pdf_path) { print_file_ = pdf_path; }

  // PageScrolling: the page that has the focus, while the window is shown.
  void ScrollFocusedPage(std::optional<ScrollDirection> direction, PageScrollAnswers& answers) override;
  bool ScrollPending() const override;
  // BrowserFocus
  void TakeFocus() override;
  void BringToFront() override {}  // the window is the kiosk's own
  // VisitorSession: the view gets a fresh page on a fresh off-the-record profile.
  void EndVisitorSession() override;

  QWebEngineView* WebBrowser() const { return view_; }
  KioskWebPage* page() const { return page_; }

 private:
  struct OpenDialog {
    QEventLoop* loop;
    bool* accepted;
    bool default_answer;
  };

  // On the default printer (or SetPrintToFile's file): one job at a time, and no more
  // often than the print budget allows.
  void Print();
  void NewSession();
  // The page's high-contrast style sheet, on the document shown and on every next one.
  void SetHighContrast(bool on);
  void ConnectPage(KioskWebPage* page);
  void ReportCommandStates();
  bool ShowVisitorDialog(BrowserDialogKind kind, const QString& text, QString* input);
  // The kiosk's own change of page. While the page waits on the visitor inside one of its
  // calls, the dialogs are closed first and the action runs once that call has returned,
  // so that nothing is done to (or deleted under) a page that is still inside a call.
  void KioskAction(std::function<void()> action);
  // A change of page of the kiosk's own, made again should the page hold it.
  void KioskChange(std::function<void()> change);
  bool AnswerAtOnce();
  void PageEnded(int termination_status, int exit_code);
  void CheckLiveness();
  void ForgetProbe();
  void PrintFailed(const std::string& line);

  BrowserEvents& events_;
  Options options_;
  QWebEngineProfile* profile_;
  KioskWebPage* page_;
  QWebEngineView* view_;
  PageScroller* scroller_;
  std::unique_ptr<QPrinter> printer_;
  QString print_file_;
  bool loading_ = false;
  std::vector<OpenDialog> open_dialogs_;
  int waiting_actions_ = 0;
  bool kiosk_navigating_ = false;
  std::function<void()> pending_change_;
  int dialogs_during_change_ = 0;
  bool ending_holder_ = false;
  QTimer liveness_timer_;
  QElapsedTimer probe_age_;
  bool probe_outstanding_ = false;
  int probe_generation_ = 0;
  bool ended_unresponsive_ = false;
  PrintBudget prints_;
  PageZoom zoom_;
};

}  // namespace tw
