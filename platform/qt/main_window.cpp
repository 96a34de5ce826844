#include "platform/qt/main_window.h"

#include <QCloseEvent>
#include <QEvent>
#include <utility>

namespace qingyu::platform::qt {

MainWindow::MainWindow(QSize outer_size, std::function<void()> on_close)
    : outer_size_(outer_size), on_close_(std::move(on_close)) {
    // Until a window manager adds its frame, the client area takes the whole outer size.
    setFixedSize(outer_size_);
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            fit_outer_size();
            break;
        default:
            break;
    }
    return handled;
}

void MainWindow::fit_outer_size() {
    if (!isVisible()) return;
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client = outer_size_ - frame;
    if (client.isValid() && client != size()) setFixedSize(client);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (on_close_) on_close_();
}

}  // namespace qingyu::platform::qt
