#include "external_browser_page.h"

#include <ctime>
#include <memory>
#include <utility>

#include "common/texts/log_texts.h"
#include "devtools/browser_command_line.h"
#include "kiosk/browser/external/page_capture_script.h"
#include "kiosk/browser/page_contrast_script.h"
#include "kiosk/browser/page_scroll_script.h"

namespace tw {
namespace {

using nlohmann::json;

std::string Text(const json& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

int Number(const json& object, const char* key, int otherwise) {
  const auto it = object.find(key);
  return it != object.end() && it->is_number_integer() ? it->get<int>() : otherwise;
}

// A redirect's Location, made absolute against the address that answered with it.
std::string RedirectTarget(const json& paused) {
  const auto headers = paused.find("responseHeaders");
  if (headers == paused.end() || !headers->is_array()) return {};
  for (const auto& header : *headers) {
    if (!header.is_object()) continue;
    std::string name = Text(header, "name");
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (name != "location") continue;
    const std::string location = Text(header, "value");
    if (location.find(':') != std::string::npos && location.find(':') < location.find('/')) return location;
    const std::string base = Text(paused.value("request", json::object()), "url");
    const auto scheme_end = base.find("://");
    if (scheme_end == std::string::npos) return location;
    if (location.rfind("//", 0) == 0) return base.substr(0, base.find(':') + 1) + location;
    const auto host_end = base.find('/', scheme_end + 3);
    const std::string origin = base.substr(0, host_end);
    if (!location.empty() && location[0] == '/') return origin + location;
    const auto last_slash = base.rfind('/');
    return (last_slash != std::string::npos && last_slash >= scheme_end + 3 ? base.substr(0, last_slash + 1)
                                                                            : origin + "/") +
           location;
  }
  return {};
}

// The first history entry the visitor may go back to: the browser's empty first document
// is not one.
int FirstVisitorEntry(const json& entries) {
  return !entries.empty() && entries[0].is_object() && Text(entries[0], "url") == kBrowserFirstDocument ? 1 : 0;
}

// What a page of the web (or a kiosk's local page) commits as: never one of the browser's
// own pages (settings, extensions, the PDF viewer, developer tools, the page source).
bool ShownByTheWeb(const std::string& url) {
  const std::string scheme = url.substr(0, url.find(':') == std::string::npos ? 0 : url.find(':'));
  static const std::set<std::string> kWeb = {"http", "https", "file", "data", "blob"};
  if (kWeb.contains(scheme)) return true;
  return url.rfind("about:blank", 0) == 0 || url.rfind("about:srcdoc", 0) == 0;
}

BrowserDialogKind DialogKind(const std::string& type) {
  if (type == "confirm") return BrowserDialogKind::kScriptConfirm;
  if (type == "prompt") return BrowserDialogKind::kScriptPrompt;
  if (type == "beforeunload") return BrowserDialogKind::kLeavePage;
  return BrowserDialogKind::kScriptAlert;
}

}  // namespace

ExternalBrowserPage::ExternalBrowserPage(DevToolsConnection& connection, BrowserEvents& events,
                                         std::chrono::milliseconds call_limit)
    : connection_(connection), events_(events), call_limit_(call_limit) {
  connection_.On("Runtime.bindingCalled", [this](const json& p, const std::string& s) { OnCaptured(p, s); });
  connection_.On("Fetch.requestPaused", [this](const json& p, const std::string& s) { OnRequestPaused(p, s); });
  connection_.On("Page.frameNavigated", [this](const json& p, const std::string& s) { OnFrameNavigated(p, s); });
  connection_.On("Target.attachedToTarget", [this](const json& p, const std::string& s) { OnChildAttached(p, s); });
  connection_.On("Target.targetCreated", [this](const json& p, const std::string&) { OnTargetCreated(p); });
  connection_.On("Page.windowOpen", [this](const json& p, const std::string& s) {
    // A window the browser itself opens for the page (the page's world reached the
    // browser's own window.open after all): the browser's pop-up rule has let it through
    // only within a visitor's click or key. Its window is closed as it appears; its
    // address is the kiosk's to decide.
    const auto gesture = p.find("userGesture");
    if (Ours(s) && gesture != p.end() && gesture->is_boolean() && gesture->get<bool>()) NewWindow(Text(p, "url"));
  });
  connection_.On("Page.javascriptDialogOpening", [this](const json& p, const std::string& s) { OnDialog(p, s); });
  connection_.On("Page.frameStartedLoading", [this](const json& p, const std::string& s) {
    if (s == page_session_ && Text(p, "frameId") == target_id_) OnLoading(true);
  });
  connection_.On("Page.frameStoppedLoading", [this](const json& p, const std::string& s) {
    if (s != page_session_ || Text(p, "frameId") != target_id_) return;
    kiosk_changing_page_ = false;
    OnLoading(false);
  });
  connection_.On("Page.loadEventFired", [this](const json&, const std::string& s) {
    if (s != page_session_ || own_page_shown_) return;
    // The browser's first document (whose commit may not have been seen yet) is not a page.
    if (!url_.empty() && url_ != kBrowserFirstDocument) events_.NavigateComplete(url_);
    // Asked again once loaded: at the commit the browser may not have the new entry yet.
    UpdateHistory();
  });
  connection_.On("Page.fileChooserOpened", [this](const json&, const std::string& s) {
    // Held by the interception: unless the kiosk allows it, no chooser is ever shown.
    if (Ours(s)) events_.BrowserDialog(BrowserDialogKind::kFileChooser, "");
  });
  connection_.On("Page.frameRequestedNavigation", [this](const json& p, const std::string& s) {
    // What passed the capture script (a frame written as markup for another program's
    // address): the browser hands it to nobody, and the kiosk logs it as refused.
    if (!Ours(s)) return;
    const std::string url = Text(p, "url");
    const std::string scheme = url.substr(0, url.find(':') == std::string::npos ? 0 : url.find(':'));
    static const std::set<std::string> kWeb = {"http", "https", "file", "about", "data", "blob", "javascript"};
    if (!scheme.empty() && !kWeb.contains(scheme)) events_.NavigationRefused(url);
  });
  connection_.On("Page.javascriptDialogClosed", [this](const json&, const std::string& s) { open_dialogs_.erase(s); });

  connection_.On("Browser.downloadWillBegin", [this](const json& p, const std::string&) {
    // Refused by the browser's download rule; the kiosk logs it like any refused dialog.
    events_.BrowserDialog(BrowserDialogKind::kDownload, Text(p, "url"));
  });
  connection_.On("Security.certificateError", [this](const json& p, const std::string& s) {
    if (!Ours(s)) return;
    const auto id = p.find("eventId");
    if (id == p.end() || !id->is_number_integer()) return;
    const BrowserDialogAnswer answer = events_.BrowserDialog(BrowserDialogKind::kCertificateError,
                                                             Text(p, "requestURL") + " - " + Text(p, "errorType"));
    Send("Security.handleCertificateError",
         {{"eventId", *id}, {"action", answer == BrowserDialogAnswer::kOk ? "continue" : "cancel"}}, s);
  });
  connection_.On("Fetch.authRequired", [this](const json& p, const std::string& s) {
    if (!Ours(s)) return;
    const json challenge = p.value("authChallenge", json::object());
    const BrowserDialogAnswer answer =
        events_.BrowserDialog(BrowserDialogKind::kAuthentication, Text(challenge, "origin"));
    // The kiosk has no log-in of its own to give: refused, or the browser's prompt left to
    // the visitor.
    const char* response = answer == BrowserDialogAnswer::kShowVisitor ? "Default" : "CancelAuth";
    Send("Fetch.continueWithAuth",
         {{"requestId", Text(p, "requestId")}, {"authChallengeResponse", {{"response", response}}}}, s);
  });
  connection_.On("Target.targetDestroyed", [this](const json& p, const std::string&) {
    if (!target_id_.empty() && Text(p, "targetId") == target_id_ && OnPageClosed) OnPageClosed();
  });
  connection_.On("Inspector.targetCrashed", [this](const json&, const std::string& s) {
    if (s == page_session_) events_.PageCrashed(url_, "crashed");
  });
}

void ExternalBrowserPage::Send(const std::string& method, json params, const std::string& session,
                               DevToolsConnection::ReplyHandler done) {
  connection_.Call(method, std::move(params), session, call_limit_, std::move(done));
}

void ExternalBrowserPage::Attach(const std::string& target_id, Ready ready) {
  target_id_ = target_id;
  // New windows are seen by the whole browser, whichever page asked for them.
  Send("Target.setDiscoverTargets", {{"discover", true}}, {});
  Send("Target.attachToTarget", {{"targetId", target_id}, {"flatten", true}}, {},
       [this, ready = std::move(ready)](const DevToolsReply& reply) {
         if (!reply.ok) return ready(false, "attaching to the page: " + reply.error);
         page_session_ = Text(reply.result, "sessionId");
         Guard(page_session_, ready);
       });
}

void ExternalBrowserPage::Guard(const std::string& session, Ready done) {
  sessions_.insert(session);
  struct Batch {
    int left = 0;
    std::string error;
    Ready done;
  };
  auto batch = std::make_shared<Batch>();
  // A document waiting to run (a frame of another site) runs only once every guard is in
  // place: one that could not be guarded never runs at all.
  batch->done = [this, session, done = std::move(done)](bool ok, const std::string& error) {
    if (ok) Send("Runtime.runIfWaitingForDebugger", json::object(), session);
    if (done) done(ok, error);
  };
  const auto step = [this, batch, session](const std::string& method, json params) {
    ++batch->left;
    Send(method, std::move(params), session, [batch, method](const DevToolsReply& reply) {
      if (!reply.ok && batch->error.empty()) batch->error = method + ": " + reply.error;
      if (--batch->left == 0 && batch->done) batch->done(batch->error.empty(), batch->error);
    });
  };
  step("Page.enable", json::object());
  step("Runtime.enable", json::object());
  // The guard in a world of the kiosk's own, with the only way to the kiosk; the page's
  // world gets the messengers.
  step("Runtime.addBinding", {{"name", kPageCaptureBinding}, {"executionContextName", kKioskWorld}});
  step("Page.addScriptToEvaluateOnNewDocument",
       {{"source", PageCaptureScript()}, {"worldName", kKioskWorld}, {"runImmediately", true}});
  step("Page.addScriptToEvaluateOnNewDocument", {{"source", PageMessengerScript()}, {"runImmediately", true}});
  // Documents are held at their request (every address the browser loads) and at their
  // response (a redirect to an address it would hand to another program).
  step("Fetch.enable",
       {{"patterns", json::array({{{"urlPattern", "*"}, {"resourceType", "Document"}, {"requestStage", "Request"}},
                                  {{"urlPattern", "*"}, {"resourceType", "Document"}, {"requestStage", "Response"}}})},
        {"handleAuthRequests", true}});
  // Certificate errors and log-in prompts are the kiosk's to answer, never the browser's
  // own pages and boxes.
  step("Security.enable", json::object());
  step("Security.setOverrideCertificateErrors", {{"override", true}});
  step("Page.setInterceptFileChooserDialog", {{"enabled", true}});
  // Frames of other sites run in processes of their own: they are attached and guarded
  // the same way before they run.
  step("Target.setAutoAttach", {{"autoAttach", true}, {"waitForDebuggerOnStart", true}, {"flatten", true}});
}

void ExternalBrowserPage::OnChildAttached(const json& params, const std::string& parent) {
  if (!Ours(parent)) return;
  const std::string child = Text(params, "sessionId");
  const json info = params.value("targetInfo", json::object());
  if (child.empty()) return;
  const std::string type = Text(info, "type");
  if (type != "iframe" && type != "page") {
    // A worker or the like: let it run, it has no document to navigate.
    Send("Runtime.runIfWaitingForDebugger", json::object(), child);
    return;
  }
  // A frame of another site, or a page the browser prepares ahead (switched off in the
  // profile, guarded all the same should it come).
  Guard(child, [this](bool ok, const std::string& error) {
    if (!ok) events_.BrowserNote(log_text::kFrameNotGuarded + error);
  });
}

void ExternalBrowserPage::Decide(const std::string& url, bool main_frame, const std::function<void(bool)>& answer) {
  bool cancel = false;
  events_.BeforeNavigate(url, main_frame, cancel);
  answer(cancel);
}

void ExternalBrowserPage::OnCaptured(const json& params, const std::string& session) {
  if (!Ours(session) || Text(params, "name") != kPageCaptureBinding) return;
  const json payload = json::parse(Text(params, "payload"), nullptr, false);
  if (!payload.is_object()) return;
  const std::string asked = Text(payload, "ask");
  if (!asked.empty()) return OnAsked(asked, Text(payload, "text"));
  const std::string url = Text(payload, "url");
  if (url.empty()) return;
  const auto refused = payload.find("refused");
  if (refused != payload.end() && refused->is_boolean() && refused->get<bool>()) {
    // An address the browser would not open for this page either (a local file).
    events_.NavigationRefused(url);
    return;
  }
  const auto new_window = payload.find("newWindow");
  if (new_window != payload.end() && new_window->is_boolean() && new_window->get<bool>()) {
    NewWindow(url);
    return;
  }
  const auto main = payload.find("main");
  // Already stopped in the page: the kiosk acts on it (a command, the e-mail window) or
  // refuses it; nothing is left to let through.
  Decide(url, main != payload.end() && main->is_boolean() && main->get<bool>(), [](bool) {});
}

void ExternalBrowserPage::OnAsked(const std::string& kind, const std::string& text) {
  if (kind == "print") {
    if (events_.BrowserDialog(BrowserDialogKind::kPrintRequest, "") == BrowserDialogAnswer::kOk) Print();
  } else if (kind == "fullscreen") {
    events_.BrowserDialog(BrowserDialogKind::kFullScreenRequest, text);
  } else if (kind == "permission") {
    events_.BrowserDialog(BrowserDialogKind::kPermissionRequest, url_ + " " + text);
  }
}

void ExternalBrowserPage::OnRequestPaused(const json& params, const std::string& session) {
  if (!Ours(session)) return;
  const std::string id = Text(params, "requestId");
  const std::string frame = Text(params, "frameId");
  const bool main_frame = frame == target_id_;
  const auto release = [this, id, session](bool cancel) {
    if (cancel) {
      // Aborted: no error page, the page stays as it was.
      Send("Fetch.failRequest", {{"requestId", id}, {"errorReason", "Aborted"}}, session);
    } else {
      Send("Fetch.continueRequest", {{"requestId", id}}, session);
    }
  };
  if (params.contains("responseStatusCode") || params.contains("responseErrorReason")) {
    const int status = Number(params, "responseStatusCode", 0);
    if (status < 300 || status > 399) return release(false);
    const std::string target = RedirectTarget(params);
    if (target.empty()) return release(false);
    redirects_checked_.insert(target);
    return Decide(target, main_frame, release);
  }
  const std::string url = Text(params.value("request", json::object()), "url");
  if (redirects_checked_.erase(url) > 0) return release(false);
  Decide(url, main_frame, release);
}

void ExternalBrowserPage::OnFrameNavigated(const json& params, const std::string& session) {
  if (session != page_session_) return;
  const json frame = params.value("frame", json::object());
  if (frame.contains("parentId")) return;
  kiosk_changing_page_ = false;
  const std::string unreachable = Text(frame, "unreachableUrl");
  if (!unreachable.empty()) {
    events_.NavigateError(unreachable, "the page could not be loaded");
    return;
  }
  url_ = Text(frame, "url");
  // Nothing the kiosk allows commits as one of the browser's own pages; should one show
  // all the same, the kiosk takes the page away at once.
  own_page_shown_ = !ShownByTheWeb(url_);
  if (own_page_shown_) {
    events_.BrowserPageShown(url_);
    return;
  }
  UpdateHistory();
}

void ExternalBrowserPage::OnTargetCreated(const json& params) {
  const json info = params.value("targetInfo", json::object());
  const std::string id = Text(info, "targetId");
  if (Text(info, "type") != "page" || id.empty() || id == target_id_) return;
  Send("Target.closeTarget", {{"targetId", id}}, {});
  // The page's own new window was told of as it was asked for (Page.windowOpen).
  if (Text(info, "openerId") == target_id_) return;
  // A window the page did not ask for: one of the browser's own (its settings, developer
  // tools, the page's source, a new empty window). There is only ever the kiosk's page.
  events_.BrowserNote(log_text::kBrowserWindowClosed);
}

void ExternalBrowserPage::NewWindow(const std::string& url) {
  // The kiosk decides, and navigates itself if it transfers: the address passes its rule
  // like any other page change of the kiosk's.
  bool cancel = true;
  events_.NewWindow(url, cancel);
}

void ExternalBrowserPage::OnDialog(const json& params, const std::string& session) {
  if (!Ours(session)) return;
  const std::string type = Text(params, "type");
  const BrowserDialogAnswer answer = events_.BrowserDialog(DialogKind(type), Text(params, "message"));
  // Left to the visitor: the browser's own dialog stays for them to answer, unless the
  // kiosk is changing the page (a message is then acknowledged, a question declined).
  if (answer == BrowserDialogAnswer::kShowVisitor && !kiosk_changing_page_) {
    open_dialogs_[session] = type;
    return;
  }
  const bool accept =
      answer == BrowserDialogAnswer::kShowVisitor ? type == "alert" : answer == BrowserDialogAnswer::kOk;
  Send("Page.handleJavaScriptDialog", {{"accept", accept}}, session);
}

void ExternalBrowserPage::OnLoading(bool loading) {
  if (loading == loading_) return;
  loading_ = loading;
  if (loading) {
    events_.DownloadBegin();
  } else {
    events_.DownloadComplete();
  }
}

void ExternalBrowserPage::UpdateHistory() {
  Send("Page.getNavigationHistory", json::object(), page_session_, [this](const DevToolsReply& reply) {
    if (!reply.ok) return;
    const int current = Number(reply.result, "currentIndex", 0);
    const auto entries = reply.result.find("entries");
    const bool listed = entries != reply.result.end() && entries->is_array();
    const int count = listed ? static_cast<int>(entries->size()) : 0;
    events_.CommandStateChange(BrowserCommand::kBack, listed && current > FirstVisitorEntry(*entries));
    events_.CommandStateChange(BrowserCommand::kForward, current + 1 < count);
  });
}

void ExternalBrowserPage::GoInHistory(int step) {
  Send("Page.getNavigationHistory", json::object(), page_session_, [this, step](const DevToolsReply& reply) {
    if (!reply.ok) return;
    const int wanted = Number(reply.result, "currentIndex", 0) + step;
    const auto entries = reply.result.find("entries");
    if (entries == reply.result.end() || !entries->is_array() || wanted < FirstVisitorEntry(*entries) ||
        wanted >= static_cast<int>(entries->size())) {
      return;
    }
    const int entry = Number((*entries)[static_cast<std::size_t>(wanted)], "id", -1);
    if (entry < 0) return;
    KioskChangesPage();
    Send("Page.navigateToHistoryEntry", {{"entryId", entry}}, page_session_);
    WatchForAHoldingPage();
  });
}

void ExternalBrowserPage::KioskChangesPage() {
  kiosk_changing_page_ = true;
  CloseDialogs();
}

void ExternalBrowserPage::WatchForAHoldingPage() {
  constexpr std::chrono::seconds kPageAnswers{3};
  const int change = ++change_number_;
  connection_.Call("Runtime.evaluate", {{"expression", "0"}}, page_session_, kPageAnswers,
                   [this, change](const DevToolsReply& reply) {
                     // The page answers, or the change has come meanwhile: nothing holds. (A page
                     // that cannot be asked while the change waits is held too.)
                     if (reply.ok || !kiosk_changing_page_ || change != change_number_) return;
                     events_.BrowserNote(log_text::kBrowserPageHeld + url_);
                     if (OnPageHeld) OnPageHeld();
                   });
}

void ExternalBrowserPage::Navigate(const std::string& url) {
  KioskChangesPage();
  Send("Page.navigate", {{"url", url}}, page_session_, [this](const DevToolsReply& reply) {
    if (!reply.ok) kiosk_changing_page_ = false;
  });
  WatchForAHoldingPage();
}

void ExternalBrowserPage::RunOnPage(PageOperation operation) {
  switch (operation) {
    case PageOperation::kBack: GoInHistory(-1); break;
    case PageOperation::kForward: GoInHistory(1); break;
    case PageOperation::kReload:
      KioskChangesPage();
      Send("Page.reload", json::object(), page_session_);
      WatchForAHoldingPage();
      break;
    case PageOperation::kStop: Send("Page.stopLoading", json::object(), page_session_); break;
    case PageOperation::kPrint: Print(); break;
    case PageOperation::kZoomIn:
      if (zoom_.In()) ApplyZoom();
      break;
    case PageOperation::kZoomOut:
      if (zoom_.Out()) ApplyZoom();
      break;
    case PageOperation::kHighContrastOn:
    case PageOperation::kHighContrastOff: SetHighContrast(operation == PageOperation::kHighContrastOn); break;
  }
}

void ExternalBrowserPage::ApplyZoom() {
  const std::string zoom = zoom_.normal() ? std::string() : std::to_string(zoom_.factor());
  SetDocumentScript(zoom_script_, zoom.empty()
                                      ? std::string()
                                      : "(() => { if (window.top !== window) return;"
                                        " const zoom = () => { const root = document.documentElement;"
                                        " if (root) root.style.zoom = '" +
                                            zoom +
                                            "'; return !!root; };"
                                            " if (!zoom()) new MutationObserver((_, watch) => { if (zoom()) "
                                            "watch.disconnect(); }).observe(document, {childList: true}); })();");
  // And the page shown now.
  Send("Runtime.evaluate",
       {{"expression", "document.documentElement && (document.documentElement.style.zoom = '" + zoom + "')"}},
       page_session_);
}

void ExternalBrowserPage::SetHighContrast(bool on) {
  SetDocumentScript(contrast_script_, on ? HighContrastOnScript() : std::string());
  Send("Runtime.evaluate", {{"expression", on ? HighContrastOnScript() : HighContrastOffScript()}}, page_session_);
}

void ExternalBrowserPage::SetDocumentScript(DocumentScript& script, const std::string& source) {
  // Each new document runs it from the kiosk's world as soon as it exists, before it is
  // first laid out; the page's scripts never see it.
  const int generation = ++script.generation;
  if (!script.identifier.empty()) {
    Send("Page.removeScriptToEvaluateOnNewDocument", {{"identifier", script.identifier}}, page_session_);
    script.identifier.clear();
  }
  if (source.empty()) return;
  Send("Page.addScriptToEvaluateOnNewDocument", {{"source", source}, {"worldName", kKioskWorld}}, page_session_,
       [this, &script, generation](const DevToolsReply& reply) {
         if (!reply.ok) return;
         const std::string identifier = Text(reply.result, "identifier");
         // A later change came meanwhile: this script is no longer the visitor's.
         if (generation == script.generation) {
           script.identifier = identifier;
         } else {
           Send("Page.removeScriptToEvaluateOnNewDocument", {{"identifier", identifier}}, page_session_);
         }
       });
}

void ExternalBrowserPage::Print() {
  std::string refused;
  if (!prints_.Admit(std::time(nullptr), refused)) {
    if (!refused.empty()) events_.BrowserNote(refused);
    return;
  }
  last_print_ = std::chrono::steady_clock::now();
  if (printer_available_ && !printer_available_()) {
    events_.BrowserNote(log_text::kPrintFailedNoPrinter);
    events_.PrintFailed();
    return;
  }
  // The page's own window.print is the capture script's; the browser's is called from a
  // world of the kiosk's, which the page's scripts cannot reach.
  Send("Page.createIsolatedWorld", {{"frameId", target_id_}, {"worldName", "kiosk"}}, page_session_,
       [this](const DevToolsReply& world) {
         const auto context = world.result.find("executionContextId");
         if (!world.ok || context == world.result.end() || !context->is_number_integer()) return events_.PrintFailed();
         Send("Runtime.evaluate", {{"expression", "window.print()"}, {"contextId", *context}, {"userGesture", true}},
              page_session_, [this](const DevToolsReply& reply) {
                if (!reply.ok) events_.PrintFailed();
              });
       });
}

void ExternalBrowserPage::ScrollFocusedPage(std::optional<ScrollDirection> direction, PageScrollAnswers& answers) {
  if (scroll_pending_ || page_session_.empty()) return;
  scroll_pending_ = true;
  Send("Runtime.evaluate",
       {{"expression", PageScrollScript(direction, kPageScrollLinePixels)}, {"returnByValue", true}}, page_session_,
       [this, &answers](const DevToolsReply& reply) {
         scroll_pending_ = false;
         if (!reply.ok) return;  // a page torn down mid-call: the next press asks again
         // What the page's script gave back: checked, since the page's own scripts can
         // tamper with what it calls.
         const auto result = reply.result.find("result");
         if (result == reply.result.end() || !result->is_object()) return;
         const auto found = result->find("value");
         if (found == result->end() || !found->is_object()) return;
         const json& value = *found;
         PageScrollAnswer answer;
         const auto caret = value.find("caret");
         if (caret != value.end() && caret->is_number()) answer.caret_y = static_cast<int>(caret->get<double>());
         const auto flag = [&value](const char* key) {
           const auto it = value.find(key);
           return it != value.end() && it->is_boolean() && it->get<bool>();
         };
         answer.vertical = flag("v");
         answer.horizontal = flag("h");
         answers.PageScrollAnswered(answer);
       });
}

void ExternalBrowserPage::ShowOfflinePage() {
  if (offline_html_.empty() || page_session_.empty()) return;
  // In place of the browser's own error page; the main frame's id is the page's.
  Send("Page.setDocumentContent", {{"frameId", target_id_}, {"html", offline_html_}}, page_session_);
}

void ExternalBrowserPage::Focus() {
  if (page_session_.empty()) return;
  Send("Page.bringToFront", json::object(), page_session_);
}

void ExternalBrowserPage::CloseDialogs() {
  for (const auto& [session, type] : open_dialogs_) {
    Send("Page.handleJavaScriptDialog", {{"accept", type == "alert"}}, session);
  }
  open_dialogs_.clear();
}

}  // namespace tw
