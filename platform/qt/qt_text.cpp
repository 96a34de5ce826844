#include "platform/qt/qt_text.h"

#include "platform/codepage.h"

namespace qingyu::platform::qt {

QString from_gbk(std::string_view gbk) {
    return QString::fromStdU16String(gbk_to_utf16(gbk));
}

std::string to_gbk(const QString& text) {
    return utf16_to_gbk(text.toStdU16String());
}

QString local_file_name(std::string_view gbk_path) {
    QString name = from_gbk(gbk_path);
    name.replace(u'\\', u'/');
    return name;
}

}  // namespace qingyu::platform::qt
