// The external browser's one page, driven over its DevTools connection and behind the same
// engine interface as the embedded browser. Every navigation of the page and its frames
// reaches BrowserEvents::BeforeNavigate before it happens and is stopped when the kiosk
// cancels it: addresses the browser loads itself when its request for the document is
// held (and again at each redirect), the others in the page by the capture script. New
// windows never open: the kiosk is told and the page they asked for is left to it.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "devtools/devtools_connection.h"
#include "kiosk/browser/browser_engine.h"
#include "kiosk/browser/browser_parts.h"
#include "kiosk/browser/page_zoom.h"
#include "kiosk/browser/print_budget.h"

namespace tw {

class ExternalBrowserPage : public PageScrolling {
 public:
  using Ready = std::function<void(bool ok, const std::string& error)>;

  ExternalBrowserPage(DevToolsConnection& connection, BrowserEvents& events,
                      std::chrono::milliseconds call_limit = std::chrono::seconds(10));

  // Attaches to the browser's page target and sets up the guards; `ready` is told once,
  // when all are in place or the first one failed.
  void Attach(const std::string& target_id, Ready ready);

  const std::string& Url() const { return url_; }
  // The page's DevTools session, for calls of the kiosk's other parts (scrolling, focus).
  const std::string& Session() const { return page_session_; }
  bool Loading() const { return loading_; }

  void Navigate(const std::string& url);
  // A print goes through the page's own print call; the browser is started with kiosk
  // printing, so it goes to the default printer without a dialog.
  void RunOnPage(PageOperation operation);
  void ShowOfflinePage();
  // The kiosk's offline page (its HTML), shown in place of a page that could not be loaded.
  void SetOfflinePage(std::string html) { offline_html_ = std::move(html); }
  // Whether there is a printer to print on (the browser itself would print nowhere without
  // a word); unset, printing is always tried.
  void SetPrinterCheck(std::function<bool()> available) { printer_available_ = std::move(available); }
  // The page gets the keyboard focus, its window in front.
  void Focus();
  // When the kiosk (or the page) last printed.
  std::chrono::steady_clock::time_point LastPrint() const { return last_print_; }
  // Told when the page's own window has been closed (the page target is gone).
  std::function<void()> OnPageClosed;
  // Told when the page holds the kiosk's own change of page (see WatchForAHoldingPage).
  std::function<void()> OnPageHeld;
  // A script's dialog left to the visitor closes: a message acknowledged, a question declined.
  void CloseDialogs();

  // The side-panel arrows: the page with the focus scrolls one line; `answers` must
  // outlive the answer (it comes within the call limit, or not at all).
  void ScrollFocusedPage(std::optional<ScrollDirection> direction, PageScrollAnswers& answers) override;
  bool ScrollPending() const override { return scroll_pending_; }

 private:
  // Sets up one session (the page's or a frame's of another site) and tells `done`.
  void Guard(const std::string& session, Ready done);
  void Send(const std::string& method, nlohmann::json params, const std::string& session,
            DevToolsConnection::ReplyHandler done = {});
  bool Ours(const std::string& session) const { return sessions_.contains(session); }

  void OnCaptured(const nlohmann::json& params, const std::string& session);
  void OnRequestPaused(const nlohmann::json& params, const std::string& session);
  void OnFrameNavigated(const nlohmann::json& params, const std::string& session);
  void OnChildAttached(const nlohmann::json& params, const std::string& session);
  void OnTargetCreated(const nlohmann::json& params);
  void OnDialog(const nlohmann::json& params, const std::string& session);
  void OnLoading(bool loading);
  // A question of the page's that the capture script asks the kiosk instead of the visitor.
  void OnAsked(const std::string& kind, const std::string& text);
  void Decide(const std::string& url, bool main_frame, const std::function<void(bool cancel)>& answer);
  void NewWindow(const std::string& url);
  void GoInHistory(int step);
  void Print();
  // The kiosk changes the page: the page's dialogs close, and none is left open until the
  // change has come.
  void KioskChangesPage();
  // After the kiosk's change is asked for: a page that does not answer within a moment
  // (its script in a loop, or behind one box after another, which the browser may no
  // longer let anyone answer once the change has begun) holds the change: OnPageHeld.
  void WatchForAHoldingPage();
  void UpdateHistory();

  DevToolsConnection& connection_;
  BrowserEvents& events_;
  std::chrono::milliseconds call_limit_;
  std::string target_id_;
  std::string page_session_;
  std::set<std::string> sessions_;  // the page's and its frames'
  std::string url_;
  bool loading_ = false;
  bool scroll_pending_ = false;
  std::string offline_html_;
  PrintBudget prints_;
  // A script of the kiosk's that each new document of the page runs, replaced or taken
  // away as the visitor changes the look.
  struct DocumentScript {
    std::string identifier;  // the browser's, once it has answered
    int generation = 0;
  };
  void SetDocumentScript(DocumentScript& script, const std::string& source);  // "": none
  // The visitor's zoom, on the page's root element: the browser's own zoom cannot be set
  // through its DevTools protocol. The visitor's look ends with the browser (a new
  // visitor's browser starts at 100 % and in its usual colours).
  PageZoom zoom_;
  DocumentScript zoom_script_;
  void ApplyZoom();
  DocumentScript contrast_script_;
  void SetHighContrast(bool on);
  std::chrono::steady_clock::time_point last_print_{};
  std::function<bool()> printer_available_;
  // The script dialogs open in the page and its frames and left to the visitor: their
  // types by session.
  std::map<std::string, std::string> open_dialogs_;
  // From the kiosk's own change of page until it has come: a page's dialog is then
  // answered at once, never left to the visitor (a page cannot hold the kiosk with one
  // box after another).
  bool kiosk_changing_page_ = false;
  int change_number_ = 0;
  // The main frame shows one of the browser's own pages, which the kiosk is taking away.
  bool own_page_shown_ = false;
  // A redirect's address checked when its response came, not asked about again when the
  // browser requests it.
  std::set<std::string> redirects_checked_;
};

}  // namespace tw
