#include "platform/qt/qt_setup.h"

#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QtGlobal>
#include <array>

namespace qingyu::platform::qt {

void prepare_environment(bool software_rendering) {
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray session = qgetenv("XDG_SESSION_TYPE");
    const bool desktop_session = session == "x11" || session == "wayland";
    if (software_rendering || platform.startsWith("offscreen") || !desktop_session) {
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--disable-gpu")) {
            flags = (flags + " --disable-gpu").trimmed();
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
        }
    }
}

void apply_default_font() {
    static constexpr std::array<const char*, 4> families{"WenQuanYi Micro Hei", "Noto Sans CJK SC",
                                                         "Noto Sans SC", "WenQuanYi Zen Hei"};
    const QStringList installed = QFontDatabase::families();
    for (const char* family : families) {
        if (installed.contains(QString::fromLatin1(family))) {
            QApplication::setFont(QFont(QString::fromLatin1(family), 9));
            return;
        }
    }
}

}  // namespace qingyu::platform::qt
