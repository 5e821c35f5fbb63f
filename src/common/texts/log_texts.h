// Every fixed text the kiosk writes to its activity log (TWCurrentLog.txt, the saved logs
// and the daily log mail): whole lines, and the fixed beginnings of lines that go on with
// a detail (an address, a reason). One list that an operator's log tooling can be
// generated from; docs/LOG_LINES.md lists the same texts, and a test keeps the two equal.
#pragma once

#include <array>
#include <string_view>

namespace tw::log_text {

// X(constant, text, what it means)
#define TW_LOG_TEXTS(X)                                                                                              \
  X(kActiveModeOff, "Active mode Off", "active mode ended")                                                          \
  X(kActiveModeOn, "Active mode On", "active mode began (a marker file or a command)")                               \
  X(kBackButtonPressed, "Back Button Pressed", "the visitor pressed Back")                                           \
  X(kBeforeNavigate, "Before Navigate - ", "with debug logging: every address the page or a frame is about to load") \
  X(kBlocked, "Blocked ",                                                                                            \
    "an address of a protocol or scheme the kiosk refuses (\"Blocked <protocol> Protocol - <address>\")")            \
  X(kBrowserControlRunning, "Browser Control running correctly", "the embedded browser is ready")                    \
  X(kBrowserError, "Browser Error - ", "what the external browser said when it failed")                              \
  X(kBrowserPageCrashed, "Browser Page Crashed - ", "the page's renderer ended; the start page is loaded again")     \
  X(kBrowserPageEnded, "Browser Page Ended - ", "the embedded browser ended a page that did not answer")             \
  X(kBrowserPageHeld, "Browser Page Held the Kiosk - ",                                                              \
    "a page kept the kiosk from changing it; the browser is started again")                                          \
  X(kBrowserProcessStarted, "Browser Process Started", "the external browser's program has started")                 \
  X(kBrowserProtectionNotSetUp, "Browser Protection Not Set Up - ",                                                  \
    "a protection of the external browser could not be put in place; it is not used")                                \
  X(kBrowserRunningProperly, "Browser running properly - all handles grabbed",                                       \
    "the external browser's page is under the kiosk's control")                                                      \
  X(kBrowserWindowClosed, "Browser Window Detected - Closed", "a window of the browser's own was closed at once")    \
  X(kEmailCancel1Pressed, "Cancel#1 Pressed", "e-mail window: Cancel on the account page")                           \
  X(kEmailCancel2Pressed, "Cancel#2 Pressed", "e-mail window: Cancel on the message list")                           \
  X(kEmailCancel3Pressed, "Cancel#3 Pressed", "e-mail window: Cancel on the message page")                           \
  X(kCertificateErrorRefused, "Certificate Error Refused - ", "a page with a bad certificate was refused")           \
  X(kClosingProcess, "Closing Process - ", "the external browser is ended, and why")                                 \
  X(kCommand, "Command - ", "a tw-command: address was carried out")                                                 \
  X(kCommandDisabled, "Command Disabled - ", "a command arrived while commands are off")                             \
  X(kCommandError, "Command Error - ", "a command could not be carried out")                                         \
  X(kLogPastActionTime, "Current log past action time",                                                              \
    "at start: the log's daily time has passed; it is saved or sent now")                                            \
  X(kEmailDeletePressed, "Delete Pressed", "e-mail window: Delete")                                                  \
  X(kDialogMessage, "Dialog Message - ", "the text of a page's dialog box")                                          \
  X(kEmailButtonPressed, "Email Button Pressed", "the visitor pressed E-mail")                                       \
  X(kEmailError, "Email Error - ", "e-mail window: a mail server's error")                                           \
  X(kEmailWindowClosed, "Email Window Closed", "the e-mail window closed")                                           \
  X(kEmailWindowOpenedMailTo, "Email Window Opened - MailTo Use", "the e-mail window opened for a mailto: link")     \
  X(kEmailWindowOpened, "Email Window Opened - Normal Use", "the e-mail window opened")                              \
  X(kError, "Error - ", "an error reached the kiosk, which goes on; also shown on the screen")                       \
  X(kExecuteDisabled, "Execute Disabled", "a command asked to run a program while that is off")                      \
  X(kExitPasswordEntered, "Exit Password Entered", "the exit password was entered; the kiosk ends")                  \
  X(kEmbeddedBrowserUsed, "External Browser Not Available - Embedded Browser Used",                                  \
    "the operator's external browser cannot be used; the embedded one runs")                                         \
  X(kExternalBrowserProblem, "External Browser Problem - ", "why the external browser was given up")                 \
  X(kFailedToStartProgram, "Failed to Start Program - ", "a listed program could not be started")                    \
  X(kFeedbackFile, "Feedback file ",                                                                                 \
    "a feedback file was moved to sent (\"Feedback file <name> moved to sent as <name>\")")                          \
  X(kFeedbackFileNotMoved, "Feedback file could not be moved - ", "a feedback file could not be moved to sent")      \
  X(kFeedbackRefused, "Feedback Refused - more than ", "more feedback files in a minute than the kiosk takes")       \
  X(kForwardButtonPressed, "Forward Button Pressed", "the visitor pressed Forward")                                  \
  X(kFrameNotGuarded, "Frame not guarded, not run - ",                                                               \
    "external browser: a frame whose guard could not be set up was stopped")                                         \
  X(kFullScreenRefused, "Full Screen Request Refused - ", "a page asked for full screen")                            \
  X(kEmailGetPressed, "Get Pressed", "e-mail window: Get Mail")                                                      \
  X(kFrameKeyNotAvailable, "Frame Key Not Available - ",                                                             \
    "the key to the kiosk's buttons could not be taken (unknown, or held by another program)")                       \
  X(kHighContrastOff, "High Contrast Off", "the visitor switched the high-contrast look off")                        \
  X(kHighContrastOn, "High Contrast On", "the visitor switched the high-contrast look on")                           \
  X(kIdleModeOff, "Idle mode Off", "idle mode ended")                                                                \
  X(kIdleModeOn, "Idle mode On", "idle mode began")                                                                  \
  X(kIdleWarningAnswered, "Idle Warning Answered", "the visitor touched the kiosk during the idle warning")          \
  X(kIdleWarningShown, "Idle Warning Shown", "the visitor was asked to touch the screen before the idle return")     \
  X(kKeyboardHidden, "Keyboard Hidden", "the visitor lowered the on-screen keyboard")                                \
  X(kKeyboardShown, "Keyboard Shown", "the visitor raised the on-screen keyboard")                                   \
  X(kLogActionTime, "Log action time reached", "the log's daily time: the log is saved or sent")                     \
  X(kLogClosed, "Log closed", "the log file was closed")                                                             \
  X(kLogNotSaved, "Log could not be saved - ", "the log could not be kept in the log folder")                        \
  X(kLogMailNotSent, "Log Mail Not Sent - ", "the daily log mail failed; it is tried again later")                   \
  X(kLogOpened, "Log opened", "a new log file was begun")                                                            \
  X(kLogReopened, "Log re-opened", "the log file was opened again after a roll-over")                                \
  X(kLogWillBeSaved, "Log will be saved", "at start: the log is kept daily")                                         \
  X(kLogWillBeSentTo, "Log will be sent to - ", "at start: who receives the log mail")                               \
  X(kMailtoLink, "Mailto Link - ", "the address of a mailto: link")                                                  \
  X(kMailToRequested, "MailTo Requested", "a page's mailto: link")                                                   \
  X(kEmailMessageSelected, "Message Selected for Viewing", "e-mail window: a message was opened")                    \
  X(kLeavePageAnswered, "'Microsoft Internet Explorer' Dialog Box OKed",                                             \
    "a page asked to stay while the kiosk changed it; the kiosk went on")                                            \
  X(kEmailNewPressed, "New Pressed", "e-mail window: New")                                                           \
  X(kOpenURL, "Open URL - ", "with debug logging: an address another program handed over")                           \
  X(kPageLoaded, "Page Loaded - ", "a page finished loading")                                                        \
  X(kPermissionRefused, "Permission Request Refused - ", "a page asked for the camera, the position or the like")    \
  X(kPrintButtonPressed, "Print Button Pressed", "the visitor pressed Print")                                        \
  X(kPrintFailedNoPrinter, "Print failed - no printer", "a print found no printer")                                  \
  X(kProgramFolderNotWatched, "Program folder not watched - marker files are looked for every ",                     \
    "the kiosk cannot watch its folder; it looks for marker files on a timer")                                       \
  X(kProgramTerminated, "Program Terminated - ", "a listed program was ended")                                       \
  X(kReloadButtonPressed, "Reload Button Pressed", "the visitor pressed Reload")                                     \
  X(kEmailReplyPressed, "Reply Pressed", "e-mail window: Reply")                                                     \
  X(kEmailSendPressed, "Send Pressed", "e-mail window: Send")                                                        \
  X(kStartedProgram, "Started Program - ", "a listed program was started")                                           \
  X(kSmallTouchTargets, "Small Touch Targets - ",                                                                    \
    "the screen mode makes the keys and smallest buttons narrower than 9 mm on this screen")                         \
  X(kStartingVideo, "Starting Video", "the attract video began")                                                     \
  X(kStopButtonPressed, "Stop Button Pressed", "the visitor pressed Stop")                                           \
  X(kStoppingVideo, "Stopping Video", "the attract video ended")                                                     \
  X(kClosingDown, "Tarnwick Closing Down", "the kiosk ends")                                                         \
  X(kTooManyBlockedAddresses, "Too Many Blocked Addresses - ",                                                       \
    "how many more refused addresses were not logged one by one")                                                    \
  X(kTooManyDialogBoxes, "Too Many Dialog Boxes - ", "how many more dialog boxes were answered unseen")              \
  X(kSendURL, "TW_SendURL - ", "another program sent the kiosk an address")                                          \
  X(kUnableToCreateProcess, "Unable to Create Process - ", "the external browser's program could not be started")    \
  X(kUnknownCommand, "Unknown Command - ", "a tw-command: word the kiosk does not know")                             \
  X(kURLEcho, "URL Echo - ", "a loaded page, reported to other programs")                                            \
  X(kURLEchoRegistered, "URL Echo Registered", "external browser: loaded pages are reported")                        \
  X(kVisitorSessionCleared, "Visitor Session Cleared", "the idle return forgot the last visitor")                    \
  X(kWrongCommandPassword, "Wrong Command Password - ", "a command with the wrong password was refused")             \
  X(kZoomInPressed, "Zoom In Pressed", "the visitor made the page larger")                                           \
  X(kZoomOutPressed, "Zoom Out Pressed", "the visitor made the page smaller")

#define TW_LOG_TEXT_CONSTANT(name, text, meaning) inline constexpr const char* name = text;
TW_LOG_TEXTS(TW_LOG_TEXT_CONSTANT)
#undef TW_LOG_TEXT_CONSTANT

struct Entry {
  std::string_view text;
  std::string_view meaning;
};

#define TW_LOG_TEXT_ENTRY(name, text, meaning) Entry{text, meaning},
inline constexpr std::array kAll = {TW_LOG_TEXTS(TW_LOG_TEXT_ENTRY)};
#undef TW_LOG_TEXT_ENTRY

}  // namespace tw::log_text
