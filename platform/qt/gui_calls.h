#pragma once
// Delivery of engine calls to the GUI thread. A call made on the GUI thread runs directly; a call
// from any other thread is posted to the GUI thread and the caller waits until it has run, so the
// calls of one thread keep their order. Once the window is gone, calls return at once without
// running, and a caller that is waiting is released; nothing ever waits on a loop that has ended.

#include <QObject>
#include <QThread>
#include <chrono>
#include <functional>
#include <memory>
#include <utility>

namespace qingyu::platform::qt {

class GuiCalls {
  public:
    GuiCalls();
    ~GuiCalls();
    GuiCalls(const GuiCalls&) = delete;
    GuiCalls& operator=(const GuiCalls&) = delete;

    // GUI thread: calls are delivered from now on, to the calling thread.
    void open();
    // GUI thread: calls return at once from now on; waiting callers are released. Final.
    void shut();

    bool is_open() const;
    // True on the GUI thread while the window is open.
    bool on_gui_thread() const;

    // Runs `f` on the GUI thread; nothing when the window is gone.
    template <class F>
    void call(F&& f) {
        run([&] { f(); });
    }

    // Runs `f` on the GUI thread and returns its result; `gone` when the window is gone.
    template <class R, class F>
    R get(R gone, F&& f) {
        R result = std::move(gone);
        run([&] { result = f(); });
        return result;
    }

    // When a thread other than the GUI thread last made a call (the epoch when none has).
    std::chrono::steady_clock::time_point last_worker_call() const;

  private:
    void run(const std::function<void()>& task);

    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::unique_ptr<QObject> context_;  // lives on the GUI thread; posted calls are queued on it
    QThread* gui_thread_ = nullptr;
};

}  // namespace qingyu::platform::qt
