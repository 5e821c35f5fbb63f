#include "widgets/widget_accessibility.h"

#include <QAccessible>
#include <QAbstractButton>
#include <QAccessibleWidget>

#include "widgets/analog_clock.h"
#include "widgets/busy_meter.h"
#include "widgets/key_button.h"
#include "widgets/keyboard_controller.h"

namespace tw {
namespace {

class KeyAccessible : public QAccessibleWidget {
 public:
  explicit KeyAccessible(KeyButton* key) : QAccessibleWidget(key, QAccessible::Button) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    const KeyButton* key = Key();
    if (key->Type() != KeyType::kNormal) {
      state.checkable = true;
      state.checked = key->KeyController() && key->KeyController()->Latched(key->Type());
    }
    return state;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction()) Key()->Click();
  }

 private:
  KeyButton* Key() const { return static_cast<KeyButton*>(widget()); }
};

// The name is the time the face shows, read when asked: a screen reader that looks at the
// clock hears the time, and nothing is announced every second.
class ClockAccessible : public QAccessibleWidget {
 public:
  explicit ClockAccessible(AnalogClock* clock) : QAccessibleWidget(clock, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return static_cast<AnalogClock*>(widget())->Time().toString(QStringLiteral("HH:mm"));
    }
    if (t == QAccessible::Description) return QStringLiteral("Clock");
    return QAccessibleWidget::text(t);
  }
};

constexpr char kSpokenNameProperty[] = "tw_spoken_name";

class PictureButtonAccessible : public QAccessibleWidget {
 public:
  explicit PictureButtonAccessible(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty()) return QAccessibleWidget::text(t);
    const QString caption = Button()->text();
    return caption.isEmpty() ? Button()->property(kSpokenNameProperty).toString() : caption;
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = Button()->isCheckable();
    state.checked = Button()->isChecked();
    state.pressed = Button()->isDown();
    return state;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction() && Button()->isEnabled()) Button()->click();
  }

 private:
  QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* WidgetAccessible(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(KeyButton::staticMetaObject.className())) {
    return new KeyAccessible(static_cast<KeyButton*>(object));
  }
  if (class_name == QLatin1String(AnalogClock::staticMetaObject.className())) {
    return new ClockAccessible(static_cast<AnalogClock*>(object));
  }
  if (class_name == QLatin1String(BusyMeter::staticMetaObject.className())) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::ProgressBar);
  }
  auto* button = qobject_cast<QAbstractButton*>(object);
  if (button != nullptr && button->property(kSpokenNameProperty).isValid()) return new PictureButtonAccessible(button);
  return nullptr;
}

}  // namespace

void SetSpokenName(QAbstractButton& button, const QString& name) { button.setProperty(kSpokenNameProperty, name); }

void InstallWidgetAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(WidgetAccessible);
}

}  // namespace tw
