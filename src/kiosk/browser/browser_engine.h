// What the kiosk needs of a browser engine, whichever engine it is: the operations it
// calls and the events the engine reports. Neither side sees the other's toolkit.
#pragma once

#include <string>

#include "common/config/page_operation.h"

namespace tw {

// Operations on the browser.
// What differs between browsers, as the browser reports it: the kiosk asks, never which
// browser it is.
struct BrowserTraits {
  // The addresses of the protocols the kiosk keeps from the browser (the block list and
  // mailto:) are handed over to the kiosk by the browser, which is a program of its own,
  // and carried out on the next pass; command words in other addresses are no commands.
  // Otherwise every navigation is offered to the command interpreter as it happens, and a
  // queued "tw-command:x" reaches it as "http:x".
  bool hands_over_kept_protocols = false;
  // The browser has shortcuts of its own that only the X server can take from the
  // visitor: without that lock it cannot be shown.
  bool needs_key_lock = false;
};

class BrowserEngine {
 public:
  virtual ~BrowserEngine() = default;
  virtual BrowserTraits Traits() const = 0;
  virtual void Navigate(const std::string& url) = 0;
  // One of the page operations, on the page shown.
  virtual void RunOnPage(PageOperation operation) = 0;
  // Shows the kiosk's own offline page in place of a page that could not be loaded.
  virtual void ShowOfflinePage() = 0;
};

// Commands whose enabled state the engine reports.
enum class BrowserCommand { kForward = 1, kBack = 2 };

// Dialogs the engine would show a visitor.
enum class BrowserDialogKind {
  kScriptAlert,
  kScriptConfirm,
  kScriptPrompt,
  kAuthentication,
  kDownload,
  kFileChooser,
  kPrintRequest,
  kCertificateError,
  kPermissionRequest,
  kFullScreenRequest,
  // A page asks whether it may be left, while the kiosk itself changes the page.
  kLeavePage,
};

// What to do with such a dialog.
enum class BrowserDialogAnswer {
  kCancel,       // refuse: the dialog never shows
  kOk,           // accept on the visitor's behalf (printing without a dialog)
  kShowVisitor,  // leave it to the visitor: the kiosk shows it itself
};

// Events from the engine. Every navigation of the page and its frames passes through
// BeforeNavigate; setting cancel stops it.
class BrowserEvents {
 public:
  virtual ~BrowserEvents() = default;
  // The browser is ready for pages: after Start, and again after a start of its own (an
  // external browser started anew); its window is placed and the start page queued.
  virtual void BrowserStarted() = 0;
  virtual void BeforeNavigate(const std::string& url, bool main_frame, bool& cancel) = 0;
  virtual void NavigateComplete(const std::string& url) = 0;
  // The page could not be loaded (the network, the server); not for navigations the
  // kiosk refused. `error` says why.
  virtual void NavigateError(const std::string& url, const std::string& error) = 0;
  // The engine itself refused to load an address for the page (a local file or one of
  // its own pages asked for by a web page); the page stays as it was.
  virtual void NavigationRefused(const std::string& url) = 0;
  // The page's renderer has ended (crashed, killed, out of memory, ended for not
  // answering); `reason` says which.
  virtual void PageCrashed(const std::string& url, const std::string& reason) = 0;
  // A page asks for a new window; setting cancel keeps it from opening.
  virtual void NewWindow(const std::string& url, bool& cancel) = 0;
  // The page shows one of the browser's own pages (its settings, the page source, a
  // viewer of its own) that no navigation the kiosk allowed should have led to: the kiosk
  // takes it away.
  virtual void BrowserPageShown(const std::string& url) = 0;
  virtual void DownloadBegin() = 0;
  virtual void DownloadComplete() = 0;
  virtual void CommandStateChange(BrowserCommand command, bool enable) = 0;
  // `text` is what the dialog would say (a script's message, the address asking).
  virtual BrowserDialogAnswer BrowserDialog(BrowserDialogKind kind, const std::string& text) = 0;
  // A line for the log from the browser itself (printing, its refusals).
  virtual void BrowserNote(const std::string& line) = 0;
  // A print failed: the visitor is told.
  virtual void PrintFailed() = 0;
  // The kiosk changes the page: its own questions about the page left to the visitor
  // (the new-window question) close with their default answers.
  virtual void CloseKioskQuestions() = 0;
};

}  // namespace tw
