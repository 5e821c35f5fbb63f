#include "setup/model/setup_problems.h"

#include <sys/stat.h>

#include <cstdio>
#include <algorithm>
#include <map>

#include "common/addresses/local_url.h"
#include "common/config/idle_warning.h"
#include "common/config/password_sequence.h"
#include "common/config/toolbar_buttons.h"
#include "setup/model/browser_program.h"
#include "setup/model/command_urls.h"
#include "setup/model/setup_fields.h"

namespace tw {
namespace {

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool IsColour(std::string_view v) {
  if (v.size() != 9 || v[0] != '$') return false;
  return std::all_of(v.begin() + 1, v.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); });
}

// Exact text: the kiosk compares NumberOfButtons as text ("06" is not "6").
bool SameChoice(std::string_view a, std::string_view b) { return SameName(a, b); }

class Checker {
 public:
  Checker(const SetupConfig& config, const ScreenSize& screen) : config_(config), screen_(screen) {}

  std::vector<SetupProblem> Run() {
    for (const ConfigKey& key : ConfigKeys()) CheckKey(key);
    CheckSlots();
    CheckTouchTargets();
    CheckIdleWarning();
    CheckProgramAddresses();
    CheckPlainTextLogIn("PREFERENCES", "Email");
    CheckPlainTextLogIn("EMAIL", "");
    for (const ConfigList& list : ConfigLists()) CheckList(list);
    for (std::size_t i = 0; i < SetupMessageList().size(); ++i) {
      const std::string& text = config_.Message(i);
      const LanguageMessage& message = SetupMessageList()[i];
      Where where{kSecurityPage, std::string(message.setup_entry), "MESSAGES", std::string(message.key)};
      CheckText(where, text);
    }
    return std::move(problems_);
  }

 private:
  struct Where {
    int page;
    std::string field;
    std::string section;
    std::string key;
  };

  void Add(const Where& w, ProblemSeverity severity, std::string text) {
    problems_.push_back({severity, w.page, w.field, w.section, w.key, std::move(text)});
  }

  static Where KeyWhere(const ConfigKey& key) {
    if (const SetupField* field = FindSetupField(key.section, key.name)) {
      std::string caption(field->caption);
      if (!field->entry.empty())
        caption = std::string(field->group) + ", " + std::string(field->entry) + ": " + caption;
      return {field->page, caption, std::string(key.section), std::string(key.name)};
    }
    const int page = key.section == "BUTTONS" || key.section == "TEXT" || key.section == "GLYPH" ||
                             key.section == "GLYPHNUM" || key.section == "SOUNDS"
                         ? kButtonsPage
                         : -1;
    return {page, "[" + std::string(key.section) + "] " + std::string(key.name), std::string(key.section),
            std::string(key.name)};
  }

  // What every value must be to reach the kiosk as it was typed.
  void CheckText(const Where& w, const std::string& value) {
    if (value.size() > kMaxProfileValue) {
      Add(w, ProblemSeverity::kError,
          "The value is " + std::to_string(value.size()) + " characters long; the kiosk reads at most " +
              std::to_string(kMaxProfileValue) + ".");
    }
    if (value.find_first_of("\r\n") != std::string::npos) {
      Add(w, ProblemSeverity::kWarning, "Line breaks in the value are saved as spaces.");
    }
    if (!value.empty() &&
        (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' || value.back() == '\t')) {
      Add(w, ProblemSeverity::kWarning, "Blanks at the start or end of the value are lost when it is read.");
    }
  }

  void CheckNumber(const Where& w, const std::string& value, std::int32_t minimum, std::int32_t maximum) {
    const auto number = ParseProfileInteger(value);
    if (!number) {
      Add(w, ProblemSeverity::kError, "'" + value + "' is not a whole number.");
    } else if (*number < minimum || *number > maximum) {
      Add(w, ProblemSeverity::kError,
          "The value must be from " + std::to_string(minimum) + " to " + std::to_string(maximum) + "; it is " + value +
              ".");
    }
  }

  void CheckExists(const Where& w, const std::string& path) {
    if (!path.empty() && !FileExists(path)) {
      Add(w, ProblemSeverity::kWarning, "The file " + path + " does not exist.");
    }
  }

  void CheckUrl(const Where& w, const std::string& url) {
    const auto local = PathFromLocalUrl(url);
    if (!local) return;
    if (local->drive_form) {
      Add(w, ProblemSeverity::kWarning, "The page " + url + " names a drive of another system (try Set Dir).");
    } else {
      CheckExists(w, local->path);
    }
  }

  void CheckKey(const ConfigKey& key) {
    const std::string& value = config_.Value(key.section, key.name);
    const Where w = KeyWhere(key);
    CheckText(w, value);
    const SetupField* field = FindSetupField(key.section, key.name);
    if (field != nullptr && field->control == FieldControl::kNumber) {
      CheckNumber(w, value, field->minimum, field->maximum);
    }
    // Slots have their own check below.
    if (field != nullptr && field->control == FieldControl::kChoice && key.kind != ConfigKind::kPosition) {
      const bool known = std::any_of(field->choices.begin(), field->choices.end(),
                                     [&](const FieldChoice& c) { return SameChoice(c.value, value); });
      if (!known) {
        Add(w, ProblemSeverity::kWarning,
            "'" + value + "' is not one of the choices; it is kept as it is until you choose one.");
      }
    }
    if (key.kind == ConfigKind::kColour && !IsColour(value)) {
      Add(w, ProblemSeverity::kError, "'" + value + "' is not a colour: \"$\" and eight hexadecimal digits.");
    }
    if (SameName(key.section, "BROWSER") && SameName(key.name, "FileName")) {
      // A command line: a program on PATH, perhaps with arguments of the operator's own.
      if (!value.empty()) {
        if (const ResolvedProgram program = ResolveBrowserProgram(value); program.path.empty()) {
          Add(w, ProblemSeverity::kWarning, program.error);
        }
      }
    } else if (key.kind == ConfigKind::kFile) {
      CheckExists(w, value);
    }
    if (key.kind == ConfigKind::kUrl) CheckUrl(w, value);
    if (SameName(key.section, "URLS") && SameName(key.name, "Start") && value.empty()) {
      Add(w, ProblemSeverity::kWarning, "There is no start page: the kiosk shows an empty page.");
    }
    if (SameName(key.section, "PREFERENCES") && SameName(key.name, "Password")) CheckPassword(w, value);
  }

  void CheckPassword(const Where& w, const std::string& value) {
    if (value.size() > kMaxPasswordSteps) {
      Add(w, ProblemSeverity::kError,
          "The password has " + std::to_string(value.size()) + " steps; at most " + std::to_string(kMaxPasswordSteps) +
              " are allowed.");
    }
    if (!std::all_of(value.begin(), value.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) {
      Add(w, ProblemSeverity::kWarning,
          "The password '" + value + "' holds letters other than A to Z; it is kept as it is until you edit it.");
    }
  }

  // A password allowed to travel without TLS, where TLS is not asked for.
  void CheckPlainTextLogIn(std::string_view section, const std::string& prefix) {
    if (!config_.Flag(section, prefix + "AllowPlainTextAuth")) return;
    const std::string& security = config_.Value(section, prefix + "Security");
    if (SameName(security, "tls") || SameName(security, "starttls")) return;
    Add(KeyWhere(*FindConfigKey(section, prefix + "AllowPlainTextAuth")), ProblemSeverity::kWarning,
        "A password may be sent unencrypted: plain-text log-in is allowed and TLS is not required.");
  }

  void CheckSlots() {
    const auto buttons = config_.Integer("BUTTONS", "NumberOfButtons");
    std::map<int, std::string> taken;
    for (const ToolbarButtonInfo& button : ToolbarButtons()) {
      if (!button.setup_label) continue;  // shares another button's slot
      const std::string name = std::string(button.setting) + "On";
      const ConfigKey* key = FindConfigKey("BUTTONS", name);
      const Where w = KeyWhere(*key);
      const std::string& value = config_.Value("BUTTONS", name);
      const auto slot = ParseProfileInteger(value);
      if (!slot || *slot < 0 || *slot > 8) {
        Add(w, ProblemSeverity::kError, "The tool bar slot must be from 0 (hidden) to 8; it is '" + value + "'.");
        continue;
      }
      if (*slot == 0) continue;
      if (buttons && *slot > *buttons) {
        Add(w, ProblemSeverity::kWarning,
            "Slot " + value + " is beyond the " + std::to_string(*buttons) + " buttons of the tool bar.");
      }
      const auto [it, fresh] = taken.emplace(*slot, std::string(name));
      if (!fresh) {
        Add(w, ProblemSeverity::kWarning, "Slot " + value + " is also taken by " + it->second + ".");
      }
    }
  }

  // Keys and buttons large enough for a finger on the screen the kiosk runs on.
  void CheckTouchTargets() {
    const std::string& mode = config_.Value("PREFERENCES", "ScreenMode");
    const std::optional<double> mm = SmallestTargetMm(mode, screen_);
    if (!mm || *mm >= kSmallestComfortableTargetMm) return;
    char size[16];
    std::snprintf(size, sizeof size, "%.1f", *mm);
    Add(KeyWhere(*FindConfigKey("PREFERENCES", "ScreenMode")), ProblemSeverity::kWarning,
        "On this screen the kiosk's keys and smallest buttons come out " + std::string(size) +
            " mm wide; a finger needs about 9 mm. Choose a larger screen mode, or Automatic.");
  }

  // A visitor warned before the idle return should have the whole countdown.
  void CheckIdleWarning() {
    const auto warning = config_.Integer("ATTRACT", "IdleWarningSeconds");
    if (!warning || *warning <= 0) return;
    const auto time = [this](const char* key) { return config_.Integer("ATTRACT", key).value_or(0); };
    const int first = FirstIdleTime({time("TimeStart"), time("TimeCarousel"), time("TimeVideo")});
    if (first == 0 || first - IdleWarningStart(first, *warning) >= *warning) return;
    Add(KeyWhere(*FindConfigKey("ATTRACT", "IdleWarningSeconds")), ProblemSeverity::kWarning,
        "The first idle time is " + std::to_string(first) + " s: the warning never comes in its first half, so " +
            "it counts down only " + std::to_string(first - IdleWarningStart(first, *warning)) + " s of the " +
            std::to_string(*warning) + ".");
  }

  // A custom button that runs a program of the Program Files list by its position.
  void CheckProgramAddresses() {
    const std::size_t programs = config_.List(ConfigListId::kPrograms).size();
    for (const auto& [section, key] : CustomButtonUrlKeys()) {
      const auto program = ExecutedProgram(config_.Value(section, key));
      if (!program || (*program >= 1 && static_cast<std::size_t>(*program) <= programs)) continue;
      const Where w = KeyWhere(*FindConfigKey(section, key));
      Add(w, ProblemSeverity::kWarning,
          *program == 0 ? "The program this button ran was deleted from the Program Files list (Command page): the "
                          "button runs nothing. Choose its command or program again."
                        : "The button runs program " + std::to_string(*program) +
                              ", but the Program Files list "
                              "(Command page) holds " +
                              std::to_string(programs) + ": the button runs nothing.");
    }
  }

  void CheckList(const ConfigList& list) {
    const ConfigRows& rows = config_.List(list.id);
    const SetupField* field = FindListField(list.id);
    const ListSpec& spec = GetListSpec(list.id);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      for (std::size_t c = 0; c < rows[r].size(); ++c) {
        const ConfigListPart& part = c == 0 ? list.first : list.companions[c - 1];
        const ListColumn& column = spec.columns[c];
        Where w{field ? field->page : -1,
                std::string(field ? field->group : part.section) + ", item " + std::to_string(r + 1) + ", " +
                    std::string(column.caption),
                std::string(part.section), std::string(part.prefix) + std::to_string(r)};
        const std::string& value = rows[r][c];
        CheckText(w, value);
        if (column.maximum > 0) CheckNumber(w, value, column.minimum, column.maximum);
        if (column.local_url) CheckUrl(w, value);
        if (column.picker == Picker::kBannerGraphic) CheckExists(w, value);
      }
    }
  }

  const SetupConfig& config_;
  const ScreenSize screen_;
  std::vector<SetupProblem> problems_;
};

}  // namespace

std::vector<SetupProblem> ValidateSetup(const SetupConfig& config, const ScreenSize& screen) {
  return Checker(config, screen).Run();
}

bool HasErrors(const std::vector<SetupProblem>& problems) {
  return std::any_of(problems.begin(), problems.end(),
                     [](const SetupProblem& p) { return p.severity == ProblemSeverity::kError; });
}

}  // namespace tw
