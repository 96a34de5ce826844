#include "platform/qt/gui_calls.h"

#include <QMetaObject>
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace qingyu::platform::qt {

namespace {
enum class Phase { before, open, gone };

struct PendingCall {
    bool running = false;
    bool done = false;
};
}  // namespace

struct GuiCalls::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    Phase phase = Phase::before;
    std::atomic<std::chrono::steady_clock::rep> last_worker_call{0};
};

GuiCalls::GuiCalls() : shared_(std::make_shared<Shared>()) {}

GuiCalls::~GuiCalls() {
    shut();
}

void GuiCalls::open() {
    std::lock_guard lock(shared_->mutex);
    if (shared_->phase != Phase::before) return;
    gui_thread_ = QThread::currentThread();
    context_ = std::make_unique<QObject>();
    shared_->phase = Phase::open;
}

void GuiCalls::shut() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->phase = Phase::gone;
    }
    shared_->changed.notify_all();
}

bool GuiCalls::is_open() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->phase == Phase::open;
}

bool GuiCalls::on_gui_thread() const {
    std::lock_guard lock(shared_->mutex);
    // Asked only while the window lives: a worker may call after the application has ended.
    return shared_->phase == Phase::open && QThread::currentThread() == gui_thread_;
}

std::chrono::steady_clock::time_point GuiCalls::last_worker_call() const {
    return std::chrono::steady_clock::time_point(
        std::chrono::steady_clock::duration(shared_->last_worker_call.load()));
}

void GuiCalls::run(const std::function<void()>& task) {
    if (on_gui_thread()) {
        // Runs to its end even when it closes the window: the widgets live until the loop ends.
        task();
        return;
    }
    auto shared = shared_;
    auto pending = std::make_shared<PendingCall>();
    std::unique_lock lock(shared->mutex);
    if (shared->phase != Phase::open) return;
    shared->last_worker_call = std::chrono::steady_clock::now().time_since_epoch().count();
    // Runs on the GUI thread. It checks the phase first: once the window is gone the caller may
    // have returned, and `task` with it.
    QMetaObject::invokeMethod(
        context_.get(),
        [shared, pending, &task] {
            {
                std::lock_guard guard(shared->mutex);
                if (shared->phase != Phase::open) return;
                pending->running = true;
            }
            task();
            {
                std::lock_guard guard(shared->mutex);
                pending->running = false;
                pending->done = true;
            }
            shared->changed.notify_all();
        },
        Qt::QueuedConnection);
    // A call already running finishes first, even when the window goes meanwhile, because it
    // still uses the caller's `task`.
    shared->changed.wait(
        lock, [&] { return pending->done || (shared->phase == Phase::gone && !pending->running); });
}

}  // namespace qingyu::platform::qt
