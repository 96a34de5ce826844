#pragma once
// The window engine on Qt 6 Widgets. The thread that calls create() is the GUI thread; calls from
// other threads are carried over to it and wait there (see gui_calls.h). A QApplication must exist
// before create().
//
// Lifetime: a detached worker may call the engine after the window is gone, so the engine must
// outlive every worker; the desktop program never destroys it.

#include <QPointer>
#include <QTabWidget>
#include <chrono>
#include <map>
#include <memory>
#include <string>

#include "platform/qt/controls.h"
#include "platform/qt/gui_calls.h"
#include "platform/window.h"

namespace qingyu::platform::qt {

class MainWindow;

class QtEngine final : public WindowEngine {
  public:
    QtEngine();
    ~QtEngine() override;

    void create(const FormSpec& form, EventHandler handler) override;
    int run() override;
    void close() override;

    // An empty control name stands for the window itself: its caption.
    std::string text(std::string_view control) const override;
    void set_text(std::string_view control, std::string_view text) override;
    bool visible(std::string_view control) const override;
    void set_visible(std::string_view control, bool visible) override;
    bool enabled(std::string_view control) const override;
    void set_enabled(std::string_view control, bool enabled) override;
    int left(std::string_view control) const override;
    void set_left(std::string_view control, int left) override;
    int width(std::string_view control) const override;
    void set_width(std::string_view control, int width) override;
    int selected_index(std::string_view control) const override;
    void set_selected_index(std::string_view control, int index) override;
    std::vector<std::string> items(std::string_view control) const override;
    void clear_items(std::string_view control) override;
    void add_item(std::string_view control, std::string_view item) override;
    int row_count(std::string_view control) const override;
    void clear_rows(std::string_view control) override;
    int append_row(std::string_view control) override;
    std::string cell(std::string_view control, int row, int column) const override;
    void set_cell(std::string_view control, int row, int column, std::string_view text) override;
    void set_picture(std::string_view control, std::string_view bytes) override;
    std::string address(std::string_view control) const override;
    void set_address(std::string_view control, std::string_view path) override;
    int timer_period(std::string_view control) const override;
    void set_timer_period(std::string_view control, int period_ms) override;
    void popup_menu(std::string_view menu) override;
    int window_width() const override;
    void process_events() override;
    void message_box(std::string_view text) override;

    // For the desktop program, GUI thread only.
    QWidget* window_widget() const;
    void show_page(int page);  // 1 to the page count of the tab control
    bool browser_loading() const;
    // When a worker last called the engine, the epoch when none has yet.
    std::chrono::steady_clock::time_point last_worker_call() const;

  private:
    void raise(const Event& event);
    void on_close();
    void teardown();
    void place(Control& control);
    void place_page_controls();
    Control* find(std::string_view name);
    const Control* find(std::string_view name) const;

    // Runs `f` on the control, on the GUI thread; `none` for an unknown control or a gone window.
    template <class R, class F>
    R with_control(std::string_view name, R none, F f) const;
    template <class F>
    void with_control(std::string_view name, F f);

    mutable GuiCalls calls_;
    std::unique_ptr<MainWindow> window_;
    std::map<std::string, Control, std::less<>> controls_;
    std::map<std::string, MenuSpec, std::less<>> menus_;
    QPointer<QTabWidget> tabs_;
    EventHandler handler_;
    bool created_ = false;
    bool closing_ = false;
    bool looping_ = false;
};

}  // namespace qingyu::platform::qt
