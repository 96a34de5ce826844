#pragma once
// The embedded browser. The web engine is started only when the view is first shown or first
// given an address, so the window paints without waiting for it. JavaScript is off, and a link
// the user clicks opens in the desktop's browser instead of inside the view.

#include <QWidget>
#include <string>
#include <string_view>

class QWebEngineView;

namespace qingyu::platform::qt {

class BrowserView : public QWidget {
    Q_OBJECT
  public:
    explicit BrowserView(QWidget* parent);

    std::string address() const { return address_; }
    // A http(s) or file address is loaded as it is; anything else is a local file path whose
    // bytes are GBK text.
    void set_address(std::string_view address);
    bool loading() const { return loading_; }
    bool started() const { return view_ != nullptr; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWebEngineView* view();
    void load();

    std::string address_;
    QWebEngineView* view_ = nullptr;
    bool loading_ = false;
};

}  // namespace qingyu::platform::qt
