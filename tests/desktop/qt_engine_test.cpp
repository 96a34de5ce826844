// The Qt window engine on the offscreen platform: the window built from a form, properties,
// events, calls from worker threads, and calls after the window is gone.

#include "platform/qt/qt_engine.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <array>
#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/events.h"
#include "platform/qt/browser_view.h"
#include "platform/qt/qt_text.h"
#include "platform/shell.h"

namespace qingyu::platform::qt {
namespace {

using namespace std::chrono_literals;

// GBK texts.
constexpr const char* button_name = "\xB0\xB4\xC5\xA5\x31";             // 按钮1
constexpr const char* caption = "\xC7\xE7\xD3\xEC\x76\x33\x2E\x30";     // 晴屿v3.0
constexpr const char* first_page = "\xCE\xC4\xBC\xFE\xCB\xD1\xCB\xF7";  // 文件搜索
constexpr const char* first_line = "\xB5\xDA\xD2\xBB\xD0\xD0";          // 第一行

ControlSpec control(std::string name, ControlKind kind, int page, Rect rect,
                    std::vector<EventKind> events = {}) {
    ControlSpec design;
    design.name = std::move(name);
    design.kind = kind;
    design.page = page;
    design.rect = rect;
    design.events = std::move(events);
    return design;
}

FormSpec test_form() {
    FormSpec form;
    form.caption = caption;
    form.outer = {50, 50, 614, 481};
    auto& c = form.controls;
    c.push_back(
        control("label", ControlKind::label, 0, {576, 0, 208, 16}, {EventKind::left_button_down}));
    c.push_back(control("tabs", ControlKind::tab_control, 0, {0, 16, 608, 392}));
    c.back().items = {first_page, "two", "three", "four"};
    c.push_back(
        control(button_name, ControlKind::button, 0, {264, 416, 72, 24}, {EventKind::clicked}));
    c.back().text = "Save & go";
    c.push_back(control("hidden", ControlKind::button, 0, {344, 416, 72, 24}));
    c.back().visible = false;
    c.back().enabled = false;
    c.push_back(control("links", ControlKind::hyper_label, 0, {520, 424, 80, 16},
                        {EventKind::link_clicked}));
    c.back().text = "|";
    c.back().links = {{"site", "http://example.com/a?b=1&c=2"}, {"space", "http://example.org/"}};
    c.push_back(control("edit", ControlKind::text_box, 1, {104, 32, 120, 24},
                        {EventKind::key_pressed, EventKind::focus_lost}));
    c.back().text = "keyword";
    c.push_back(
        control("combo", ControlKind::combo_box, 1, {520, 32, 56, 20}, {EventKind::item_selected}));
    c.back().items = {"10", "20", "50", "100"};
    c.back().selected_index = 3;
    c.push_back(control("list", ControlKind::report_list, 1, {8, 64, 592, 288},
                        {EventKind::item_right_clicked, EventKind::double_clicked}));
    c.back().columns = {{"name", 200}, {"size", 80}, {"time", 90}};
    c.push_back(control("clock", ControlKind::timer, 1, {}, {EventKind::timer_tick}));
    c.push_back(control("web", ControlKind::browser, 2, {8, 24, 592, 288}));
    c.push_back(control("picture", ControlKind::picture_box, 2, {16, 352, 30, 30}));
    c.push_back(control("multi", ControlKind::text_box, 3, {16, 40, 576, 328}));
    c.back().multiline = true;
    c.back().read_only = true;
    c.back().text = std::string(first_line) + "\r\nsecond";
    MenuSpec menu;
    menu.name = "menu";
    menu.items = {{"download", "download"}, {}, {first_line, "browse"}};
    form.menus.push_back(menu);
    return form;
}

class QtEngineTest : public testing::Test {
  protected:
    void create() {
        engine.create(test_form(), [this](const Event& event) {
            events.push_back(event);
            if (on_event) on_event(event);
        });
    }

    template <class T>
    T* widget(const char* name) const {
        return engine.window_widget()->findChild<T*>(from_gbk(name));
    }

    int count(EventKind kind) const {
        int n = 0;
        for (const auto& event : events) n += event.kind == kind ? 1 : 0;
        return n;
    }

    const Event* last(EventKind kind) const {
        for (auto it = events.rbegin(); it != events.rend(); ++it) {
            if (it->kind == kind) return &*it;
        }
        return nullptr;
    }

    QtEngine engine;
    std::vector<Event> events;
    std::function<void(const Event&)> on_event;
};

TEST_F(QtEngineTest, BuildsTheFormWithItsInitialProperties) {
    create();
    ASSERT_NE(engine.window_widget(), nullptr);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().kind, EventKind::created);
    EXPECT_EQ(count(EventKind::created), 1);
    EXPECT_EQ(engine.window_widget()->windowTitle(), QString::fromUtf8("晴屿v3.0"));
    EXPECT_EQ(engine.text(""), caption);
    EXPECT_EQ(engine.window_width(), 614);

    struct Expected {
        const char* name;
        const char* text;
        bool visible;
        bool enabled;
        int left;
        int width;
    };
    const std::array<Expected, 6> table{{
        {button_name, "Save & go", true, true, 264, 72},
        {"hidden", "", false, false, 344, 72},
        {"label", "", true, true, 576, 208},
        {"edit", "keyword", true, true, 104, 120},
        {"combo", "100", true, true, 520, 56},
        {"multi", "", true, true, 16, 576},
    }};
    for (const auto& [name, text, visible, enabled, left, width] : table) {
        SCOPED_TRACE(name);
        if (std::string_view(name) != "multi") {
            EXPECT_EQ(engine.text(name), text);
        }
        EXPECT_EQ(engine.visible(name), visible);
        EXPECT_EQ(engine.enabled(name), enabled);
        EXPECT_EQ(engine.left(name), left);
        EXPECT_EQ(engine.width(name), width);
    }
    EXPECT_EQ(engine.text("multi"), std::string(first_line) + "\r\nsecond");
    EXPECT_EQ(engine.items("combo"), (std::vector<std::string>{"10", "20", "50", "100"}));
    EXPECT_EQ(engine.selected_index("combo"), 3);
    EXPECT_EQ(engine.items("tabs"), (std::vector<std::string>{first_page, "two", "three", "four"}));
    EXPECT_EQ(engine.selected_index("tabs"), 0);
    EXPECT_EQ(engine.row_count("list"), 0);
    EXPECT_EQ(engine.selected_index("list"), -1);
    EXPECT_EQ(engine.timer_period("clock"), 0);

    auto* list = widget<QTreeWidget>("list");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->headerItem()->text(1), QString("size"));
    EXPECT_EQ(list->header()->sectionSize(0), 200);
    // Places on a page count from the tab control's corner; the button sits in the client area.
    auto* tabs = widget<QTabWidget>("tabs");
    EXPECT_EQ(widget<QLineEdit>("edit")->mapTo(tabs, QPoint(0, 0)), QPoint(104, 32));
    EXPECT_EQ(widget<QPushButton>(button_name)->geometry(), QRect(264, 416, 72, 24));
    // The web engine waits until the browser's page is shown.
    auto* browser = widget<BrowserView>("web");
    ASSERT_NE(browser, nullptr);
    EXPECT_FALSE(browser->started());
    // Unknown controls read as empty.
    EXPECT_EQ(engine.text("nothing"), "");
    EXPECT_EQ(engine.selected_index("nothing"), -1);
    EXPECT_EQ(engine.append_row("nothing"), -1);
}

TEST_F(QtEngineTest, WritesAndReadsBackProperties) {
    create();
    struct TextCase {
        const char* name;
        std::string text;
    };
    const std::array<TextCase, 5> texts{{
        {button_name, "A && B & C"},
        {"edit", first_line},
        {"label", "ticker text"},
        {"multi", std::string(first_line) + "\r\n\r\nthird\r\n"},
        {"combo", "50"},
    }};
    for (const auto& [name, text] : texts) {
        SCOPED_TRACE(name);
        engine.set_text(name, text);
        EXPECT_EQ(engine.text(name), text);
    }
    EXPECT_EQ(engine.selected_index("combo"), 2);

    engine.set_visible("hidden", true);
    engine.set_enabled("hidden", true);
    engine.set_visible(button_name, false);
    EXPECT_TRUE(engine.visible("hidden"));
    EXPECT_TRUE(engine.enabled("hidden"));
    EXPECT_FALSE(engine.visible(button_name));

    engine.set_left("label", -40);
    engine.set_width("label", 300);
    EXPECT_EQ(engine.left("label"), -40);
    EXPECT_EQ(engine.width("label"), 300);
    EXPECT_EQ(widget<QLabel>("label")->geometry(), QRect(-40, 0, 300, 16));
    engine.set_left("edit", 10);
    EXPECT_EQ(widget<QLineEdit>("edit")->mapTo(widget<QTabWidget>("tabs"), QPoint(0, 0)),
              QPoint(10, 32));

    for (const int index : {0, 3, -1, 4, 7}) {
        engine.set_selected_index("combo", index);
        EXPECT_EQ(engine.selected_index("combo"), index <= 3 ? index : -1) << index;
    }
    EXPECT_EQ(engine.text("combo"), "");
    engine.clear_items("combo");
    engine.add_item("combo", first_line);
    EXPECT_EQ(engine.items("combo"), std::vector<std::string>{first_line});

    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(engine.append_row("list"), row);
        engine.set_cell("list", row, 0, "file " + std::to_string(row));
        engine.set_cell("list", row, 2, first_line);
    }
    engine.set_cell("list", 5, 0, "no such row");
    engine.set_cell("list", 0, 3, "no such column");
    EXPECT_EQ(engine.row_count("list"), 3);
    EXPECT_EQ(engine.cell("list", 1, 0), "file 1");
    EXPECT_EQ(engine.cell("list", 2, 2), first_line);
    EXPECT_EQ(engine.cell("list", 1, 1), "");
    EXPECT_EQ(engine.cell("list", 5, 0), "");
    EXPECT_EQ(engine.cell("list", 0, 3), "");
    engine.set_selected_index("list", 1);
    EXPECT_EQ(engine.selected_index("list"), 1);
    engine.clear_rows("list");
    EXPECT_EQ(engine.row_count("list"), 0);
    EXPECT_EQ(engine.selected_index("list"), -1);

    engine.set_timer_period("clock", 250);
    EXPECT_EQ(engine.timer_period("clock"), 250);
    engine.set_timer_period("clock", 0);
    EXPECT_EQ(engine.timer_period("clock"), 0);

    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    auto* picture = widget<QLabel>("picture");
    engine.set_picture("picture", std::string_view(png.constData(), png.size()));
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_LE(picture->pixmap().width(), 30);
    engine.set_picture("picture", "not an image");
    EXPECT_TRUE(picture->pixmap().isNull());

    engine.set_text("", "other");
    EXPECT_EQ(engine.text(""), "other");
}

TEST_F(QtEngineTest, RaisesControlEventsWithTheirDetails) {
    create();
    events.clear();

    QTest::mouseClick(widget<QPushButton>(button_name), Qt::LeftButton);
    ASSERT_EQ(count(EventKind::clicked), 1);
    EXPECT_EQ(last(EventKind::clicked)->control, button_name);

    auto* edit = widget<QLineEdit>("edit");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_A);
    ASSERT_EQ(count(EventKind::key_pressed), 2);
    EXPECT_EQ(events[1].key, 13);
    EXPECT_EQ(events[2].key, 'A');
    EXPECT_EQ(engine.text("edit"), "keyworda");

    QFocusEvent popup_focus(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(edit, &popup_focus);
    EXPECT_EQ(count(EventKind::focus_lost), 0);
    QFocusEvent focus_out(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(edit, &focus_out);
    EXPECT_EQ(count(EventKind::focus_lost), 1);

    auto* label = widget<QLabel>("label");
    QTest::mousePress(label, Qt::RightButton);
    QTest::mousePress(label, Qt::LeftButton);
    EXPECT_EQ(count(EventKind::left_button_down), 1);

    // Only the user's choice raises item_selected, not the program's.
    engine.set_selected_index("combo", 1);
    emit widget<QComboBox>("combo")->activated(2);
    ASSERT_EQ(count(EventKind::item_selected), 1);
    EXPECT_EQ(last(EventKind::item_selected)->index, 2);

    for (int row = 0; row < 3; ++row) engine.append_row("list");
    auto* list = widget<QTreeWidget>("list");
    list->resize(592, 288);
    const QPoint on_row = list->visualItemRect(list->topLevelItem(1)).center();
    emit list->customContextMenuRequested(on_row);
    emit list->customContextMenuRequested(QPoint(5, 280));  // below the rows
    ASSERT_EQ(count(EventKind::item_right_clicked), 1);
    EXPECT_EQ(last(EventKind::item_right_clicked)->index, 1);
    EXPECT_EQ(engine.selected_index("list"), 1);
    emit list->itemDoubleClicked(list->topLevelItem(2), 0);
    ASSERT_EQ(count(EventKind::double_clicked), 1);
    EXPECT_EQ(last(EventKind::double_clicked)->index, 2);

    emit widget<QLabel>("links")->linkActivated(QString("http://example.com/a?b=1&c=2"));
    ASSERT_EQ(count(EventKind::link_clicked), 1);
    EXPECT_EQ(last(EventKind::link_clicked)->detail, "http://example.com/a?b=1&c=2");
    EXPECT_TRUE(
        widget<QLabel>("links")->text().contains("href=\"http://example.com/a?b=1&amp;c=2\""));

    engine.set_timer_period("clock", 10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return count(EventKind::timer_tick) >= 2; }, 10000));
    engine.set_timer_period("clock", 0);
}

TEST_F(QtEngineTest, MenuCommandArrivesAfterThePopupReturns) {
    create();
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        const auto actions = menu->actions();
        ASSERT_EQ(actions.size(), 3);
        EXPECT_TRUE(actions[1]->isSeparator());
        menu->setActiveAction(actions[2]);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    engine.popup_menu("menu");
    EXPECT_EQ(count(EventKind::menu_command), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return count(EventKind::menu_command) == 1; }, 10000));
    EXPECT_EQ(last(EventKind::menu_command)->control, "menu");
    EXPECT_EQ(last(EventKind::menu_command)->detail, first_line);
}

TEST_F(QtEngineTest, WorkerCallsRunOnTheWindowThreadInTheirOrder) {
    std::string text_at_close;
    on_event = [&](const Event& event) {
        if (event.kind == EventKind::destroying) text_at_close = engine.text("edit");
    };
    create();
    std::vector<std::string> faults;
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            const std::string value = std::to_string(i);
            engine.set_text("edit", value);
            if (engine.text("edit") != value) faults.push_back("text " + value);
            const int row = engine.append_row("list");
            engine.set_cell("list", row, 0, value);
            if (row != i) faults.push_back("row " + value);
        }
        for (int i = 0; i < 200; ++i) {
            if (engine.cell("list", i, 0) != std::to_string(i)) faults.push_back("cell");
        }
        engine.close();
    });
    EXPECT_EQ(engine.run(), 0);
    worker.join();
    EXPECT_TRUE(faults.empty()) << faults.front();
    EXPECT_EQ(count(EventKind::destroying), 1);
    EXPECT_EQ(text_at_close, "199");
    EXPECT_EQ(engine.window_widget(), nullptr);
}

TEST_F(QtEngineTest, AWaitingWorkerIsReleasedWhenTheWindowCloses) {
    create();
    std::atomic<int> calls{0};
    auto worker = std::async(std::launch::async, [&] {
        // Reads give the empty text once the window is gone.
        while (engine.text("edit") == "keyword") ++calls;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 20; }, 20000));
    QTimer::singleShot(0, [&] { engine.close(); });
    EXPECT_EQ(engine.run(), 0);
    ASSERT_EQ(worker.wait_for(60s), std::future_status::ready);
    EXPECT_EQ(count(EventKind::destroying), 1);
}

TEST_F(QtEngineTest, CallsAfterTheWindowIsGoneReturnAtOnce) {
    create();
    engine.close();
    engine.close();
    EXPECT_EQ(engine.run(), 0);
    EXPECT_EQ(count(EventKind::destroying), 1);
    const auto calls = [this] {
        engine.set_text("edit", "x");
        engine.message_box("nobody sees this");
        engine.popup_menu("menu");
        engine.close();
        return engine.text("edit").empty() && engine.text("").empty() &&
               engine.selected_index("combo") == -1 && engine.items("combo").empty() &&
               engine.append_row("list") == -1 && engine.row_count("list") == 0 &&
               !engine.visible(button_name) && engine.window_width() == 0;
    };
    EXPECT_TRUE(calls());
    auto from_worker = std::async(std::launch::async, calls);
    ASSERT_EQ(from_worker.wait_for(60s), std::future_status::ready);
    EXPECT_TRUE(from_worker.get());
    EXPECT_EQ(count(EventKind::destroying), 1);
}

TEST_F(QtEngineTest, MessageBoxFromAWorkerIsModalWithTheFixedCaption) {
    create();
    QString title;
    QString text;
    bool application_modal = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        title = box->windowTitle();
        text = box->text();
        application_modal = box->windowModality() == Qt::ApplicationModal;
        box->accept();
    });
    poll.start(20);
    auto worker = std::async(std::launch::async, [&] { engine.message_box(first_line); });
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return worker.wait_for(0s) == std::future_status::ready; }, 20000));
    EXPECT_EQ(title, QString::fromUtf8("信息："));
    EXPECT_EQ(text, QString::fromUtf8("第一行"));
    EXPECT_TRUE(application_modal);
}

TEST_F(QtEngineTest, ProcessEventsRunsPendingWorkOnTheWindowThreadOnly) {
    create();
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    std::thread([] { platform::process_events(); }).join();
    EXPECT_FALSE(ran);
    platform::process_events();
    EXPECT_TRUE(ran);
}

TEST_F(QtEngineTest, BrowserStartsWhenItsPageIsShownWithScriptsOff) {
    create();
    auto* browser = widget<BrowserView>("web");
    engine.set_selected_index("tabs", 1);
    ASSERT_TRUE(browser->started());
    auto* view = browser->findChild<QWebEngineView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->page()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));

    QTemporaryDir folder;
    const std::string path = folder.path().toStdString() + "\\lyb.html";
    std::ofstream(folder.path().toStdString() + "/lyb.html") << "<p>\xB2\xE2</p>";  // 测
    engine.set_address("web", path);
    EXPECT_EQ(engine.address("web"), path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !browser->loading(); }, 30000));
    QString page_text;
    view->page()->toPlainText([&](const QString& text) { page_text = text; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page_text.isEmpty(); }, 30000));
    EXPECT_EQ(page_text.trimmed(), QString::fromUtf8("测"));
}

// The navigation decisions of the browser's page, asked directly.
class LinkProbe : public LinkOpeningPage {
  public:
    using LinkOpeningPage::acceptNavigationRequest;
    using LinkOpeningPage::createWindow;
    using LinkOpeningPage::LinkOpeningPage;
};

TEST(LinkOpeningPageTest, ClickedLinksGoToTheDesktopAndStayOutOfTheView) {
    std::vector<std::string> opened;
    set_open_url_handler([&](const std::string& url) { opened.push_back(url); });
    QWebEngineProfile profile;
    LinkProbe page(&profile, nullptr, false);
    const QUrl link("http://example.com/a b?q=1");
    EXPECT_FALSE(
        page.acceptNavigationRequest(link, QWebEnginePage::NavigationTypeLinkClicked, true));
    EXPECT_TRUE(page.acceptNavigationRequest(link, QWebEnginePage::NavigationTypeTyped, true));
    EXPECT_TRUE(
        page.acceptNavigationRequest(link, QWebEnginePage::NavigationTypeLinkClicked, false));
    // A link that wants a new window: the page made for it passes the address on.
    auto* window = static_cast<LinkProbe*>(page.createWindow(QWebEnginePage::WebBrowserTab));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->acceptNavigationRequest(QUrl("http://example.org/"),
                                                 QWebEnginePage::NavigationTypeTyped, true));
    set_open_url_handler({});
    EXPECT_EQ(opened,
              (std::vector<std::string>{"http://example.com/a%20b?q=1", "http://example.org/"}));
}

}  // namespace
}  // namespace qingyu::platform::qt
