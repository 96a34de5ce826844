#pragma once
// The embedded browser. The web engine is started only when the view is first shown or first
// given an address, so the window paints without waiting for it. JavaScript is off, and a link
// the user clicks opens in the desktop's browser instead of inside the view.

#include <QWebEnginePage>
#include <QWidget>
#include <string>
#include <string_view>

class QWebEngineView;

namespace qingyu::platform::qt {

// Hands the links the user clicks to the desktop (platform::open_url) and refuses them in the
// view. A page made for a link that asks for a new window only passes that link on.
class LinkOpeningPage : public QWebEnginePage {
  public:
    LinkOpeningPage(QWebEngineProfile* profile, QObject* parent, bool catches_new_window);

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool main_frame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

  private:
    bool catches_new_window_;
};

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
