#include "platform/qt/browser_view.h"

#include <QFile>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "platform/qt/qt_text.h"
#include "platform/shell.h"

namespace qingyu::platform::qt {

namespace {

// setContent() carries the page in a data address, which the engine limits to 2 MB.
constexpr qint64 max_inline_page = 2 * 1024 * 1024 - 4096;

void open_outside(const QUrl& url) {
    open_url(url.toString(QUrl::FullyEncoded).toStdString());
}

bool is_web_address(const QString& address) {
    return address.startsWith(u"http://", Qt::CaseInsensitive) ||
           address.startsWith(u"https://", Qt::CaseInsensitive) ||
           address.startsWith(u"file:", Qt::CaseInsensitive) ||
           address.startsWith(u"about:", Qt::CaseInsensitive);
}

}  // namespace

LinkOpeningPage::LinkOpeningPage(QWebEngineProfile* profile, QObject* parent,
                                 bool catches_new_window)
    : QWebEnginePage(profile, parent), catches_new_window_(catches_new_window) {}

bool LinkOpeningPage::acceptNavigationRequest(const QUrl& url, NavigationType type,
                                              bool main_frame) {
    if (catches_new_window_) {
        open_outside(url);
        deleteLater();
        return false;
    }
    if (type == NavigationTypeLinkClicked && main_frame) {
        open_outside(url);
        return false;
    }
    return true;
}

QWebEnginePage* LinkOpeningPage::createWindow(WebWindowType) {
    return new LinkOpeningPage(profile(), this, true);
}

BrowserView::BrowserView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void BrowserView::set_address(std::string_view address) {
    address_ = std::string(address);
    load();
}

void BrowserView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    view();
}

QWebEngineView* BrowserView::view() {
    if (view_ != nullptr) return view_;
    view_ = new QWebEngineView(this);
    auto* page = new LinkOpeningPage(QWebEngineProfile::defaultProfile(), view_, false);
    QWebEngineSettings* settings = page->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setDefaultTextEncoding(QStringLiteral("GBK"));
    view_->setPage(page);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    connect(view_, &QWebEngineView::loadStarted, this, [this] { loading_ = true; });
    connect(view_, &QWebEngineView::loadFinished, this, [this] { loading_ = false; });
    layout()->addWidget(view_);
    return view_;
}

void BrowserView::load() {
    QWebEngineView* web = view();
    const QString address = from_gbk(address_);
    if (address.isEmpty()) {
        web->setUrl(QUrl(QStringLiteral("about:blank")));
        return;
    }
    if (is_web_address(address)) {
        web->setUrl(QUrl(address));
        return;
    }
    const QString file_name = local_file_name(address_);
    const QUrl base = QUrl::fromLocalFile(file_name);
    QFile file(file_name);
    if (file.size() > max_inline_page) {
        // Too large to pass inline: the engine reads it, with GBK as the default encoding.
        web->setUrl(base);
        return;
    }
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    loading_ = true;
    web->setContent(bytes, QStringLiteral("text/html;charset=GBK"), base);
}

}  // namespace qingyu::platform::qt
