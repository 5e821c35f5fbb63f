#include "widgets/keyboard_pages.h"

#include "widgets/key_button.h"
#include "widgets/keyboard_controller.h"

namespace tw {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

KeyboardPages::KeyboardPages(KeyboardController* controller, QWidget* parent) : QStackedWidget(parent) {
  setObjectName("Notebook");
  const char* page_names[2] = {"QWERT", "ABCDE"};
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i] = new QWidget;
    pages_[i]->setObjectName(page_names[i]);
    addWidget(pages_[i]);
  }
  for (const KeyboardKey& k : KeyboardKeys()) {
    auto* key = new KeyButton(pages_[static_cast<std::size_t>(k.page)]);
    key->setObjectName(Q(k.name));
    key->setGeometry(k.left, k.top, k.width, k.height);
    key->setFont(font());
    key->SetKeyController(controller);
    key->SetKeyType(k.key_type);
    key->SetLegend({{Q(k.caption), Q(k.caption2)}, std::string(k.send_string)});
    key->SetLook({k.key_colour, k.key_layout});
    key->setVisible(k.visible);
    keys_.push_back(key);
  }
  Key("KABCDE")->OnClick = [this](KeyButton&) { ShowPage(1); };
  Key("KQWERT")->OnClick = [this](KeyButton&) { ShowPage(0); };
}

void KeyboardPages::ApplyEntries(const std::vector<NamedKeyboardEntry>& entries) {
  for (std::size_t i = 0; i < entries.size() && i < keys_.size(); ++i) ApplyEntry(*keys_[i], entries[i].entry);
}

void KeyboardPages::ApplyEntry(KeyButton& key, const KeyboardEntry& entry) {
  key.SetLegend({{QString::fromStdString(entry.caption), QString::fromStdString(entry.caption2),
                  QString::fromStdString(entry.caption3), QString::fromStdString(entry.caption4)},
                 entry.send_string});
  key.SetLook({key.Look().colour, entry.key_layout});
  // The entry's font size wins over the size the layout gave.
  QFont f = key.font();
  if (!entry.font_name.empty()) f.setFamily(QString::fromStdString(entry.font_name));
  f.setPointSize(entry.font_size);
  key.setFont(f);
  key.setVisible(entry.visible);
}

void KeyboardPages::ShowPage(int page) {
  if (page == 0 || page == 1) setCurrentIndex(page);
}

KeyButton* KeyboardPages::Key(std::string_view name) const {
  const QString wanted = Q(name);
  for (KeyButton* key : keys_) {
    if (key->objectName().compare(wanted, Qt::CaseInsensitive) == 0) return key;
  }
  return nullptr;
}

}  // namespace tw
