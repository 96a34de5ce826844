// The skin engine on Qt: the skin becomes the application's palette and a small style sheet.

#include <QApplication>
#include <QMetaObject>
#include <QPalette>
#include <QThread>

#include "skin_engine/apply.h"

namespace qingyu::skin {
namespace {

QColor colour_of(const Skin& skin, ColourRole role) {
    const Rgb rgb = skin.colours[role];
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QPalette palette_of(const Skin& skin) {
    QPalette palette;
    const std::pair<QPalette::ColorRole, ColourRole> roles[] = {
        {QPalette::Window, window},
        {QPalette::WindowText, window_text},
        {QPalette::Base, base},
        {QPalette::AlternateBase, alternate_base},
        {QPalette::Text, text},
        {QPalette::Button, button},
        {QPalette::ButtonText, button_text},
        {QPalette::Highlight, highlight},
        {QPalette::HighlightedText, highlighted_text},
        {QPalette::ToolTipBase, tool_tip_base},
        {QPalette::ToolTipText, window_text},
        {QPalette::Link, link},
    };
    for (const auto& [qt_role, role] : roles) palette.setColor(qt_role, colour_of(skin, role));
    // Disabled controls keep the skin's colours, faded.
    const std::pair<QPalette::ColorRole, ColourRole> faded_roles[] = {
        {QPalette::WindowText, window_text},
        {QPalette::Text, text},
        {QPalette::ButtonText, button_text},
    };
    for (const auto& [qt_role, role] : faded_roles) {
        QColor colour = colour_of(skin, role);
        colour.setAlpha(110);
        palette.setColor(QPalette::Disabled, qt_role, colour);
    }
    return palette;
}

QString style_sheet_of(const Skin& skin) {
    const QString border_colour = colour_of(skin, border).name();
    const QString button_colour = colour_of(skin, button).name();
    const QString accent = colour_of(skin, highlight).name();
    return QStringLiteral(
               "QPushButton { background: %1; border: %2px solid %3; border-radius: %4px;"
               " padding: 2px 6px; }"
               "QPushButton:hover { border-color: %5; }"
               "QPushButton:pressed { background: %3; }"
               "QTabWidget::pane { border: %2px solid %3; }"
               "QTabBar::tab { background: %1; border: %2px solid %3; padding: 3px 10px; }"
               "QTabBar::tab:selected { background: %6; border-bottom: 2px solid %5; }")
        .arg(button_colour)
        .arg(skin.border_width)
        .arg(border_colour)
        .arg(skin.corner_radius)
        .arg(accent)
        .arg(colour_of(skin, window).name());
}

}  // namespace

bool apply_skin(const Skin& skin) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) return true;  // no windows in this process
    const QPalette palette = palette_of(skin);
    const QString style_sheet = style_sheet_of(skin);
    auto dress = [app, palette, style_sheet] {
        QApplication::setPalette(palette);
        app->setStyleSheet(style_sheet);
    };
    // Widgets belong to the GUI thread; a call from elsewhere is carried there.
    if (QThread::currentThread() == app->thread()) {
        dress();
    } else {
        QMetaObject::invokeMethod(app, dress, Qt::QueuedConnection);
    }
    return true;
}

}  // namespace qingyu::skin
