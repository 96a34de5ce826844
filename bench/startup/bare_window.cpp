// qingyu-bare-window: the program's window drawn with plain Qt widgets and no logic. With
// QINGYU_FIRST_PAINT_FD set, it writes "painted" to that descriptor after its first paint and
// quits.

#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <string_view>

namespace {

template <class T>
T* place(T* widget, int x, int y, int width, int height) {
    widget->setGeometry(x, y, width, height);
    return widget;
}

class FirstPaint : public QObject {
  public:
    FirstPaint(QObject* parent, int fd) : QObject(parent), fd_(fd) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] {
                constexpr std::string_view notice = "painted\n";
                [[maybe_unused]] const auto written = ::write(fd_, notice.data(), notice.size());
                ::close(fd_);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    int fd_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (QFontDatabase::families().contains("WenQuanYi Micro Hei")) {
        QApplication::setFont(QFont("WenQuanYi Micro Hei", 9));
    }
    if (const char* fd = std::getenv("QINGYU_FIRST_PAINT_FD"); fd != nullptr && *fd != '\0') {
        app.installEventFilter(new FirstPaint(&app, std::atoi(fd)));
    }

    QWidget window;
    window.setWindowTitle(QString::fromUtf8("晴屿v3.0"));
    window.setFixedSize(614, 481);
    window.move(50, 50);
    place(new QLabel(&window), 0, 0, 608, 16);
    place(new QLabel(&window), 576, 0, 208, 16);
    auto* tabs = place(new QTabWidget(&window), 0, 16, 608, 392);
    place(new QLabel(QString::fromUtf8("输入分享地址:"), &window), 16, 416, 80, 24);
    place(new QLineEdit(&window), 104, 416, 144, 24);
    for (int i = 0; i < 3; ++i) {
        place(new QPushButton(QString::fromUtf8("迅雷下载"), &window), 264 + 80 * i, 416, 72, 24);
    }
    auto* links = place(new QLabel(&window), 520, 424, 80, 16);
    links->setText(
        "<a href=\"http://example.com/\">site</a>|<a href=\"http://example.org/\">space</a>");

    auto* search = new QWidget;
    place(new QLineEdit(search), 104, 32, 120, 24);
    place(new QPushButton(QString::fromUtf8("搜索"), search), 232, 32, 48, 24);
    place(new QPushButton(QString::fromUtf8("设置屏蔽关键字"), search), 328, 32, 104, 24);
    auto* combo = place(new QComboBox(search), 520, 32, 56, 20);
    combo->addItems({"10", "20", "50", "100"});
    combo->setCurrentIndex(3);
    auto* list = place(new QTreeWidget(search), 8, 64, 592, 288);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({"name", "size", "sharer", "time", "downloads"});
    for (int i = 0; i < 7; ++i) {
        place(new QPushButton(QString::fromUtf8("下载"), search), 8 + 80 * i, 360, 72, 24);
    }
    tabs->addTab(search, QString::fromUtf8("文件搜索"));

    auto* board = new QWidget;
    place(new QLabel(board), 16, 352, 30, 30);
    place(new QComboBox(board), 48, 360, 112, 20);
    place(new QLineEdit(board), 224, 352, 320, 24);
    place(new QPushButton(QString::fromUtf8("提交"), board), 552, 352, 40, 24);
    tabs->addTab(board, QString::fromUtf8("建议反馈"));
    for (const char* caption : {"使用帮助", "更新详情"}) {
        auto* page = new QWidget;
        auto* text = place(new QPlainTextEdit(QString::fromUtf8(caption), page), 16, 40, 576, 328);
        text->setReadOnly(true);
        tabs->addTab(page, QString::fromUtf8(caption));
    }
    QTimer ticker;
    QTimer pause;
    window.show();
    return QApplication::exec();
}
