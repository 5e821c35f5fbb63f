// The external browser as an engine the kiosk can choose: it runs where the operator's
// browser program (BROWSER/FileName) is found.
#include "common/system/command_line.h"
#include "kiosk/browser/browser_engine_entry.h"
#include "kiosk/browser/external_host/external_browser.h"

namespace tw {

BrowserEngineEntry ExternalBrowserEngine() {
  return {.can_run =
              [](const KioskConfig& config) {
                // One that is there but will not run gives way when it has failed (give_up).
                const std::vector<std::string> command = SplitCommandLine(config.browser.file_name);
                return !command.empty() && FindProgram(command.front()).has_value();
              },
          .make = [](const BrowserEngineContext& context) -> std::unique_ptr<KioskBrowser> {
            ExternalBrowserOptions options;
            options.file_name = context.config.browser.file_name;
            options.profile_dir = context.paths.ProgramFile("browser-profile");
            options.offline_page = context.paths.ProgramFile("pages/offline.htm");
            options.blocked_protocols = context.config.block_list;
            options.block_right_button = context.config.block_right_button;
            return std::make_unique<ExternalBrowser>(context.events, options, context.owner);
          }};
}

}  // namespace tw
