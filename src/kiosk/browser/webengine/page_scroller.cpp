#include "kiosk/browser/webengine/page_scroller.h"

#include <QTimer>
#include <QVariantMap>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "kiosk/browser/page_scroll_script.h"

namespace tw {
namespace {

// An answer that never comes (a page torn down mid-call) must not stop the scrolling.
constexpr int kAnswerTimeout = 1000;

}  // namespace

PageScroller::PageScroller(std::function<QWebEnginePage*()> page, int line_pixels, QObject* parent)
    : QObject(parent), page_(std::move(page)), line_pixels_(line_pixels) {}

void PageScroller::Run(std::optional<ScrollDirection> direction) {
  if (busy_) return;
  QWebEnginePage* page = page_ ? page_() : nullptr;
  if (page == nullptr) return;
  busy_ = true;
  const int generation = ++generation_;
  QPointer<PageScroller> self(this);
  page->runJavaScript(QString::fromStdString(PageScrollScript(direction, line_pixels_)),
                      QWebEngineScript::ApplicationWorld, [self, generation](const QVariant& result) {
                        if (!self || self->generation_ != generation) return;
                        self->busy_ = false;
                        const QVariantMap map = result.toMap();
                        PageScrollAnswer answer;
                        const QVariant caret = map.value("caret");
                        if (caret.isValid() && !caret.isNull()) answer.caret_y = caret.toInt();
                        answer.vertical = map.value("v").toBool();
                        answer.horizontal = map.value("h").toBool();
                        if (self->OnAnswer) self->OnAnswer(answer);
                      });
  QTimer::singleShot(kAnswerTimeout, this, [this, generation] {
    if (generation_ == generation && busy_) busy_ = false;
  });
}

}  // namespace tw
