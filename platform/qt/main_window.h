#pragma once
// The top-level window: keeps its outer size (frame included) at the form's size once the window
// manager has framed it, and reports the user's close.

#include <QSize>
#include <QWidget>
#include <functional>

namespace qingyu::platform::qt {

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    MainWindow(QSize outer_size, std::function<void()> on_close);

    QSize outer_size() const { return outer_size_; }

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void fit_outer_size();

    QSize outer_size_;
    std::function<void()> on_close_;
};

}  // namespace qingyu::platform::qt
