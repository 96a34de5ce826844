#include "platform/qt/qt_engine.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <utility>

#include "platform/events.h"
#include "platform/qt/browser_view.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/report_list.h"

namespace qingyu::platform::qt {

namespace {

// "信息：" in GBK.
constexpr std::string_view message_caption = "\xD0\xC5\xCF\xA2\xA3\xBA";

// Calls back when a tab page moves inside its tab control, so that the page's controls keep
// their places relative to the tab control.
class PageWatcher : public QObject {
  public:
    PageWatcher(QObject* parent, std::function<void()> moved)
        : QObject(parent), moved_(std::move(moved)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize) moved_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> moved_;
};

QRect to_qrect(const Rect& rect) {
    return QRect(rect.x, rect.y, rect.width, rect.height);
}

}  // namespace

QtEngine::QtEngine() = default;

QtEngine::~QtEngine() {
    calls_.shut();
    teardown();
}

Control* QtEngine::find(std::string_view name) {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : &found->second;
}

const Control* QtEngine::find(std::string_view name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : &found->second;
}

template <class R, class F>
R QtEngine::with_control(std::string_view name, R none, F f) const {
    return calls_.get<R>(none, [&]() -> R {
        const Control* control = find(name);
        return control != nullptr ? f(*control) : none;
    });
}

template <class F>
void QtEngine::with_control(std::string_view name, F f) {
    calls_.call([&] {
        if (Control* control = find(name)) f(*control);
    });
}

void QtEngine::create(const FormSpec& form, EventHandler handler) {
    if (window_ || closing_) return;
    handler_ = std::move(handler);
    calls_.open();
    QApplication::setQuitOnLastWindowClosed(false);

    window_ = std::make_unique<MainWindow>(QSize(form.outer.width, form.outer.height),
                                           [this] { on_close(); });
    window_->setWindowTitle(from_gbk(form.caption));
    window_->move(form.outer.x, form.outer.y);

    const RaiseEvent raise_event = [this](const Event& event) { raise(event); };
    // Window-level controls first, in form order (later ones lie above earlier ones), so that the
    // tab control exists when the controls of its pages are built.
    for (const bool on_page : {false, true}) {
        for (const auto& design : form.controls) {
            if ((design.page > 0) != on_page || controls_.count(design.name) != 0) continue;
            QWidget* parent = window_.get();
            if (on_page) {
                if (!tabs_ || design.page > tabs_->count()) continue;
                parent = tabs_->widget(design.page - 1);
            }
            Control& control =
                controls_.emplace(design.name, build_control(design, parent, raise_event))
                    .first->second;
            if (!tabs_ && design.kind == ControlKind::tab_control) {
                tabs_ = qobject_cast<QTabWidget*>(control.widget.data());
            }
            place(control);
        }
    }
    if (tabs_ && tabs_->count() > 0) {
        auto* watcher = new PageWatcher(tabs_, [this] { place_page_controls(); });
        tabs_->widget(0)->parentWidget()->installEventFilter(watcher);
        for (int i = 0; i < tabs_->count(); ++i) tabs_->widget(i)->installEventFilter(watcher);
    }
    for (const auto& menu : form.menus) menus_.emplace(menu.name, menu);

    set_process_events_hook([this] { process_events(); });
    window_->show();
    place_page_controls();
    created_ = true;
    raise(Event{EventKind::created, {}, 0, -1, {}});
}

int QtEngine::run() {
    if (window_ && !closing_) {
        looping_ = true;
        QApplication::exec();
        looping_ = false;
    }
    teardown();
    return 0;
}

void QtEngine::close() {
    calls_.call([this] {
        if (window_) window_->close();
    });
}

void QtEngine::raise(const Event& event) {
    if (!handler_ || !calls_.is_open()) return;
    if (!created_ && event.kind != EventKind::created) return;
    handler_(event);
}

void QtEngine::on_close() {
    if (closing_) return;
    closing_ = true;
    raise(Event{EventKind::destroying, {}, 0, -1, {}});
    calls_.shut();
    // Also ends every local loop a handler may be running, not only the message loop.
    if (looping_) QApplication::exit(0);
}

void QtEngine::teardown() {
    if (!window_) return;
    set_process_events_hook({});
    controls_.clear();
    menus_.clear();
    // The web views go with the window, before the application and its web profile end.
    window_.reset();
}

void QtEngine::place(Control& control) {
    if (!control.widget) return;
    QRect rect = to_qrect(control.design.rect);
    if (control.design.page > 0 && tabs_) {
        // Places on a page count from the tab control's corner, as the form gives them.
        rect.translate(-control.widget->parentWidget()->mapTo(tabs_, QPoint(0, 0)));
    }
    control.widget->setGeometry(rect);
}

void QtEngine::place_page_controls() {
    for (auto& [name, control] : controls_) {
        if (control.design.page > 0) place(control);
    }
}

std::string QtEngine::text(std::string_view control) const {
    if (control.empty()) {
        return calls_.get<std::string>({}, [this] { return to_gbk(window_->windowTitle()); });
    }
    return with_control<std::string>(control, {}, [](const Control& c) { return control_text(c); });
}

void QtEngine::set_text(std::string_view control, std::string_view text) {
    if (control.empty()) {
        calls_.call([&] { window_->setWindowTitle(from_gbk(text)); });
        return;
    }
    with_control(control, [&](Control& c) { set_control_text(c, text); });
}

bool QtEngine::visible(std::string_view control) const {
    return with_control(control, false, [](const Control& c) { return control_visible(c); });
}

void QtEngine::set_visible(std::string_view control, bool visible) {
    with_control(control, [&](Control& c) {
        if (c.widget) c.widget->setVisible(visible);
    });
}

bool QtEngine::enabled(std::string_view control) const {
    return with_control(control, false, [](const Control& c) { return control_enabled(c); });
}

void QtEngine::set_enabled(std::string_view control, bool enabled) {
    with_control(control, [&](Control& c) { set_control_enabled(c, enabled); });
}

int QtEngine::left(std::string_view control) const {
    return with_control(control, 0, [](const Control& c) { return c.design.rect.x; });
}

void QtEngine::set_left(std::string_view control, int left) {
    with_control(control, [&](Control& c) {
        c.design.rect.x = left;
        place(c);
    });
}

int QtEngine::width(std::string_view control) const {
    return with_control(control, 0, [](const Control& c) { return c.design.rect.width; });
}

void QtEngine::set_width(std::string_view control, int width) {
    with_control(control, [&](Control& c) {
        c.design.rect.width = width;
        place(c);
    });
}

int QtEngine::selected_index(std::string_view control) const {
    return with_control(control, -1, [](const Control& c) { return control_selected_index(c); });
}

void QtEngine::set_selected_index(std::string_view control, int index) {
    with_control(control, [&](Control& c) { set_control_selected_index(c, index); });
}

std::vector<std::string> QtEngine::items(std::string_view control) const {
    return with_control<std::vector<std::string>>(
        control, {}, [](const Control& c) { return control_items(c); });
}

void QtEngine::clear_items(std::string_view control) {
    with_control(control, [](Control& c) { clear_control_items(c); });
}

void QtEngine::add_item(std::string_view control, std::string_view item) {
    with_control(control, [&](Control& c) { add_control_item(c, item); });
}

namespace {
QTreeWidget* report_list(const Control& control) {
    return qobject_cast<QTreeWidget*>(control.widget.data());
}
}  // namespace

int QtEngine::row_count(std::string_view control) const {
    return with_control(control, 0, [](const Control& c) {
        const QTreeWidget* list = report_list(c);
        return list != nullptr ? report_row_count(list) : 0;
    });
}

void QtEngine::clear_rows(std::string_view control) {
    with_control(control, [](Control& c) {
        if (QTreeWidget* list = report_list(c)) report_clear_rows(list);
    });
}

int QtEngine::append_row(std::string_view control) {
    return with_control(control, -1, [](const Control& c) {
        QTreeWidget* list = report_list(c);
        return list != nullptr ? report_append_row(list) : -1;
    });
}

std::string QtEngine::cell(std::string_view control, int row, int column) const {
    return with_control<std::string>(control, {}, [&](const Control& c) {
        const QTreeWidget* list = report_list(c);
        return list != nullptr ? report_cell(list, row, column) : std::string();
    });
}

void QtEngine::set_cell(std::string_view control, int row, int column, std::string_view text) {
    with_control(control, [&](Control& c) {
        if (QTreeWidget* list = report_list(c)) report_set_cell(list, row, column, text);
    });
}

void QtEngine::set_picture(std::string_view control, std::string_view bytes) {
    with_control(control, [&](Control& c) { set_control_picture(c, bytes); });
}

std::string QtEngine::address(std::string_view control) const {
    return with_control<std::string>(control, {}, [](const Control& c) {
        const auto* browser = qobject_cast<const BrowserView*>(c.widget.data());
        return browser != nullptr ? browser->address() : std::string();
    });
}

void QtEngine::set_address(std::string_view control, std::string_view path) {
    with_control(control, [&](Control& c) {
        if (auto* browser = qobject_cast<BrowserView*>(c.widget.data())) browser->set_address(path);
    });
}

int QtEngine::timer_period(std::string_view control) const {
    return with_control(control, 0, [](const Control& c) { return control_timer_period(c); });
}

void QtEngine::set_timer_period(std::string_view control, int period_ms) {
    with_control(control, [&](Control& c) { set_control_timer_period(c, period_ms); });
}

void QtEngine::popup_menu(std::string_view menu) {
    calls_.call([&] {
        const auto found = menus_.find(menu);
        if (found == menus_.end() || !window_) return;
        const MenuSpec design = found->second;
        QMenu popup(window_.get());
        for (const auto& item : design.items) {
            if (item.separator()) {
                popup.addSeparator();
            } else {
                popup.addAction(from_gbk(item.caption))
                    ->setData(QByteArray::fromStdString(item.id));
            }
        }
        QAction* chosen = popup.exec(QCursor::pos());
        if (chosen == nullptr) return;
        // The command arrives after the handler that opened the menu has returned, as a menu
        // command message would.
        Event event{EventKind::menu_command, design.name, 0, -1,
                    chosen->data().toByteArray().toStdString()};
        QTimer::singleShot(0, window_.get(), [this, event] { raise(event); });
    });
}

int QtEngine::window_width() const {
    return calls_.get(0, [this] { return window_->frameGeometry().width(); });
}

void QtEngine::process_events() {
    if (calls_.on_gui_thread()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtEngine::message_box(std::string_view text) {
    calls_.call([&] {
        QMessageBox box(QMessageBox::NoIcon, from_gbk(message_caption), from_gbk(text),
                        QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    });
}

QWidget* QtEngine::window_widget() const {
    return window_.get();
}

void QtEngine::show_page(int page) {
    if (tabs_ && page >= 1 && page <= tabs_->count()) tabs_->setCurrentIndex(page - 1);
}

bool QtEngine::browser_loading() const {
    for (const auto& [name, control] : controls_) {
        const auto* browser = qobject_cast<const BrowserView*>(control.widget.data());
        if (browser != nullptr && browser->loading()) return true;
    }
    return false;
}

std::chrono::steady_clock::time_point QtEngine::last_worker_call() const {
    return calls_.last_worker_call();
}

}  // namespace qingyu::platform::qt
