#include "platform/qt/controls.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>
#include <array>
#include <utility>

#include "platform/qt/browser_view.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/report_list.h"

namespace qingyu::platform::qt {

namespace {

bool raises(const ControlSpec& design, EventKind kind) {
    return std::find(design.events.begin(), design.events.end(), kind) != design.events.end();
}

// Key presses, focus loss and left-button presses of one control, raised before the control
// itself handles them.
class ControlEventFilter : public QObject {
  public:
    ControlEventFilter(QObject* parent, const ControlSpec& design, RaiseEvent raise)
        : QObject(parent),
          name_(design.name),
          keys_(raises(design, EventKind::key_pressed)),
          focus_(raises(design, EventKind::focus_lost)),
          mouse_(raises(design, EventKind::left_button_down)),
          raise_(std::move(raise)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                if (keys_) {
                    const int code = windows_key_code(static_cast<QKeyEvent*>(event)->key());
                    if (code != 0) raise_(Event{EventKind::key_pressed, name_, code, -1, {}});
                }
                break;
            case QEvent::FocusOut:
                // The control's own context menu takes the focus for a moment; that is no loss.
                if (focus_ && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
                    raise_(Event{EventKind::focus_lost, name_, 0, -1, {}});
                }
                break;
            case QEvent::MouseButtonPress:
                if (mouse_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                    raise_(Event{EventKind::left_button_down, name_, 0, -1, {}});
                }
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::string name_;
    bool keys_;
    bool focus_;
    bool mouse_;
    RaiseEvent raise_;
};

QString button_caption(std::string_view text) {
    return from_gbk(text).replace(u'&', QStringLiteral("&&"));
}

std::string button_text(const QPushButton* button) {
    return to_gbk(button->text().replace(QStringLiteral("&&"), QStringLiteral("&")));
}

QString hyper_text(const ControlSpec& design) {
    QStringList links;
    for (const auto& link : design.links) {
        links << QStringLiteral("<a href=\"%1\">%2</a>")
                     .arg(from_gbk(link.address).toHtmlEscaped(),
                          from_gbk(link.caption).toHtmlEscaped());
    }
    return links.join(from_gbk(design.text).toHtmlEscaped());
}

// Multi-line boxes hold CR LF line breaks in the core and LF in the widget.
QString to_widget_lines(std::string_view text) {
    return from_gbk(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string from_widget_lines(const QString& text) {
    QString lines = text;
    return to_gbk(lines.replace(u'\n', QStringLiteral("\r\n")));
}

QWidget* build_widget(const ControlSpec& design, QWidget* parent, const RaiseEvent& raise) {
    const std::string name = design.name;
    switch (design.kind) {
        case ControlKind::button: {
            auto* button = new QPushButton(button_caption(design.text), parent);
            button->setAutoDefault(false);
            QObject::connect(button, &QPushButton::clicked, button, [raise, name] {
                raise(Event{EventKind::clicked, name, 0, -1, {}});
            });
            return button;
        }
        case ControlKind::text_box: {
            if (design.multiline) {
                auto* box = new QPlainTextEdit(to_widget_lines(design.text), parent);
                box->setReadOnly(design.read_only);
                return box;
            }
            auto* box = new QLineEdit(from_gbk(design.text), parent);
            box->setReadOnly(design.read_only);
            return box;
        }
        case ControlKind::label: {
            auto* label = new QLabel(from_gbk(design.text), parent);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            return label;
        }
        case ControlKind::combo_box: {
            auto* combo = new QComboBox(parent);
            for (const auto& item : design.items) combo->addItem(from_gbk(item));
            combo->setCurrentIndex(design.selected_index);
            QObject::connect(combo, &QComboBox::activated, combo, [raise, name](int index) {
                raise(Event{EventKind::item_selected, name, 0, index, {}});
            });
            return combo;
        }
        case ControlKind::picture_box: {
            auto* picture = new QLabel(parent);
            picture->setAlignment(Qt::AlignCenter);
            return picture;
        }
        case ControlKind::report_list: {
            QTreeWidget* list = make_report_list(design, parent);
            QObject::connect(list, &QTreeWidget::customContextMenuRequested, list,
                             [list, raise, name](const QPoint& position) {
                                 QTreeWidgetItem* item = list->itemAt(position);
                                 if (item == nullptr) return;
                                 list->setCurrentItem(item);
                                 const int row = list->indexOfTopLevelItem(item);
                                 raise(Event{EventKind::item_right_clicked, name, 0, row, {}});
                             });
            QObject::connect(list, &QTreeWidget::itemDoubleClicked, list,
                             [list, raise, name](QTreeWidgetItem* item) {
                                 const int row = list->indexOfTopLevelItem(item);
                                 raise(Event{EventKind::double_clicked, name, 0, row, {}});
                             });
            return list;
        }
        case ControlKind::tab_control: {
            auto* tabs = new QTabWidget(parent);
            for (const auto& caption : design.items) tabs->addTab(new QWidget(), from_gbk(caption));
            return tabs;
        }
        case ControlKind::browser:
            return new BrowserView(parent);
        case ControlKind::hyper_label: {
            auto* label = new QLabel(hyper_text(design), parent);
            label->setTextFormat(Qt::RichText);
            label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
            label->setOpenExternalLinks(false);
            QObject::connect(label, &QLabel::linkActivated, label,
                             [raise, name](const QString& link) {
                                 raise(Event{EventKind::link_clicked, name, 0, -1, to_gbk(link)});
                             });
            return label;
        }
        case ControlKind::timer:
            break;
    }
    return nullptr;
}

template <class T>
T* as(const Control& control) {
    return qobject_cast<T*>(control.widget.data());
}

}  // namespace

int windows_key_code(int qt_key) {
    if ((qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) ||
        (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z)) {
        return qt_key;  // Qt's codes for these are their ASCII codes, as the window system's are
    }
    if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F12) return 112 + (qt_key - Qt::Key_F1);
    static constexpr std::array<std::pair<int, int>, 16> keys{{
        {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},
        {Qt::Key_Backspace, 8},
        {Qt::Key_Tab, 9},
        {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32},
        {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34},
        {Qt::Key_End, 35},
        {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},
        {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46},
    }};
    for (const auto& [qt, code] : keys) {
        if (qt == qt_key) return code;
    }
    return 0;
}

Control build_control(const ControlSpec& design, QWidget* parent, const RaiseEvent& raise) {
    Control control;
    control.design = design;
    if (design.kind == ControlKind::timer) {
        control.timer = new QTimer(parent);
        const std::string name = design.name;
        QObject::connect(control.timer, &QTimer::timeout, control.timer, [raise, name] {
            raise(Event{EventKind::timer_tick, name, 0, -1, {}});
        });
        set_control_timer_period(control, design.timer_period_ms);
        return control;
    }
    QWidget* widget = build_widget(design, parent, raise);
    control.widget = widget;
    widget->setObjectName(from_gbk(design.name));
    if (!design.font.family.empty() || design.font.point_size != 9 || design.font.bold) {
        QFont font = widget->font();
        if (!design.font.family.empty()) font.setFamily(from_gbk(design.font.family));
        if (design.font.point_size > 0) font.setPointSize(design.font.point_size);
        font.setBold(design.font.bold);
        widget->setFont(font);
    }
    if (raises(design, EventKind::key_pressed) || raises(design, EventKind::focus_lost) ||
        raises(design, EventKind::left_button_down)) {
        widget->installEventFilter(new ControlEventFilter(widget, design, raise));
    }
    widget->setEnabled(design.enabled);
    widget->setVisible(design.visible);
    return control;
}

std::string control_text(const Control& control) {
    if (auto* button = as<QPushButton>(control)) return button_text(button);
    if (auto* box = as<QLineEdit>(control)) return to_gbk(box->text());
    if (auto* box = as<QPlainTextEdit>(control)) return from_widget_lines(box->toPlainText());
    if (auto* combo = as<QComboBox>(control)) return to_gbk(combo->currentText());
    if (auto* tabs = as<QTabWidget>(control)) return to_gbk(tabs->tabText(tabs->currentIndex()));
    if (auto* browser = as<BrowserView>(control)) return browser->address();
    if (control.design.kind == ControlKind::picture_box) return {};
    if (auto* label = as<QLabel>(control)) return to_gbk(label->text());
    return {};
}

void set_control_text(Control& control, std::string_view text) {
    if (auto* button = as<QPushButton>(control)) {
        button->setText(button_caption(text));
    } else if (auto* box = as<QLineEdit>(control)) {
        box->setText(from_gbk(text));
    } else if (auto* box = as<QPlainTextEdit>(control)) {
        box->setPlainText(to_widget_lines(text));
    } else if (auto* combo = as<QComboBox>(control)) {
        combo->setCurrentText(from_gbk(text));
    } else if (auto* browser = as<BrowserView>(control)) {
        browser->set_address(text);
    } else if (control.design.kind == ControlKind::label ||
               control.design.kind == ControlKind::hyper_label) {
        as<QLabel>(control)->setText(from_gbk(text));
    }
}

bool control_visible(const Control& control) {
    return control.widget && !control.widget->isHidden();
}

bool control_enabled(const Control& control) {
    if (control.timer) return true;
    return control.widget && control.widget->isEnabledTo(control.widget->parentWidget());
}

void set_control_enabled(Control& control, bool enabled) {
    if (control.widget) control.widget->setEnabled(enabled);
}

int control_selected_index(const Control& control) {
    if (auto* combo = as<QComboBox>(control)) return combo->currentIndex();
    if (auto* list = as<QTreeWidget>(control)) return report_selected_row(list);
    if (auto* tabs = as<QTabWidget>(control)) return tabs->currentIndex();
    return -1;
}

void set_control_selected_index(Control& control, int index) {
    if (auto* combo = as<QComboBox>(control)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    } else if (auto* list = as<QTreeWidget>(control)) {
        report_select_row(list, index);
    } else if (auto* tabs = as<QTabWidget>(control)) {
        if (index >= 0 && index < tabs->count()) tabs->setCurrentIndex(index);
    }
}

std::vector<std::string> control_items(const Control& control) {
    std::vector<std::string> items;
    if (auto* combo = as<QComboBox>(control)) {
        for (int i = 0; i < combo->count(); ++i) items.push_back(to_gbk(combo->itemText(i)));
    } else if (auto* tabs = as<QTabWidget>(control)) {
        for (int i = 0; i < tabs->count(); ++i) items.push_back(to_gbk(tabs->tabText(i)));
    }
    return items;
}

void clear_control_items(Control& control) {
    if (auto* combo = as<QComboBox>(control)) combo->clear();
}

void add_control_item(Control& control, std::string_view item) {
    if (auto* combo = as<QComboBox>(control)) combo->addItem(from_gbk(item));
}

void set_control_picture(Control& control, std::string_view bytes) {
    if (control.design.kind != ControlKind::picture_box) return;
    auto* picture = as<QLabel>(control);
    QPixmap pixmap;
    if (bytes.empty() || !pixmap.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                                              static_cast<uint>(bytes.size()))) {
        picture->clear();
        return;
    }
    picture->setPixmap(
        pixmap.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

int control_timer_period(const Control& control) {
    return control.timer && control.timer->isActive() ? control.timer->interval() : 0;
}

void set_control_timer_period(Control& control, int period_ms) {
    if (!control.timer) return;
    if (period_ms <= 0) {
        control.timer->stop();
    } else {
        control.timer->start(period_ms);
    }
}

}  // namespace qingyu::platform::qt
