#include "desktop/first_paint.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <string_view>

namespace qingyu::desktop {

namespace {

class FirstPaintWatcher : public QObject {
  public:
    FirstPaintWatcher(QObject* parent, int fd) : QObject(parent), fd_(fd) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!reported_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            reported_ = true;
            // The notice goes out after the paint pass that this event belongs to.
            QTimer::singleShot(0, this, [this] {
                constexpr std::string_view notice = "painted\n";
                [[maybe_unused]] const auto written = ::write(fd_, notice.data(), notice.size());
                ::close(fd_);
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    int fd_;
    bool reported_ = false;
};

}  // namespace

void report_first_paint() {
    const char* value = std::getenv("QINGYU_FIRST_PAINT_FD");
    if (value == nullptr || *value == '\0') return;
    char* end = nullptr;
    const long fd = std::strtol(value, &end, 10);
    if (*end != '\0' || fd < 0 || fd > 1024) return;
    auto* app = QCoreApplication::instance();
    app->installEventFilter(new FirstPaintWatcher(app, static_cast<int>(fd)));
}

}  // namespace qingyu::desktop
