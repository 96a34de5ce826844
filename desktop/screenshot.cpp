#include "desktop/screenshot.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <chrono>

#include "platform/qt/main_window.h"

namespace qingyu::desktop {

namespace {
using namespace std::chrono_literals;

// Start-up has settled when no worker has changed the window for a while, or at the latest
// after a few seconds (a worker waiting on an unanswered connection).
constexpr auto quiet_time = 500ms;
constexpr auto earliest = 1000ms;
constexpr auto latest = 4000ms;
// After the page is switched: time to paint it, and at most this long for its web page.
constexpr auto page_paint_time = 400ms;
constexpr auto page_latest = 3000ms;
}  // namespace

Screenshot::Screenshot(platform::qt::QtEngine& engine, QString file, int page)
    : engine_(engine), file_(std::move(file)), page_(page) {
    since_start_.start();
    connect(&poll_timer_, &QTimer::timeout, this, [this] { poll(); });
    poll_timer_.start(100);
}

bool Screenshot::settled() const {
    const auto elapsed = std::chrono::milliseconds(since_start_.elapsed());
    if (elapsed >= latest) return true;
    if (elapsed < earliest) return false;
    return std::chrono::steady_clock::now() - engine_.last_worker_call() >= quiet_time;
}

void Screenshot::poll() {
    if (engine_.window_widget() == nullptr) return;
    if (!page_shown_) {
        if (!settled()) return;
        engine_.show_page(page_);
        page_shown_ = true;
        since_page_.start();
        return;
    }
    const auto on_page = std::chrono::milliseconds(since_page_.elapsed());
    if (on_page < page_paint_time || (engine_.browser_loading() && on_page < page_latest)) return;
    poll_timer_.stop();
    save();
    engine_.close();
}

void Screenshot::save() {
    auto* window = qobject_cast<platform::qt::MainWindow*>(engine_.window_widget());
    if (window == nullptr) return;
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    // The frame drawn by a window manager is not ours to grab; its area keeps a plain colour.
    QPixmap image(window->outer_size());
    image.fill(window->palette().color(QPalette::Window).darker(115));
    QPainter painter(&image);
    painter.drawPixmap(client.topLeft() - frame.topLeft(), window->grab());
    painter.end();
    saved_ = image.save(file_, "PNG");
}

}  // namespace qingyu::desktop
