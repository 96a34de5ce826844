#pragma once
// GBK core texts to and from Qt's UTF-16 strings.

#include <QString>
#include <string>
#include <string_view>

namespace qingyu::platform::qt {

QString from_gbk(std::string_view gbk);
std::string to_gbk(const QString& text);

// A GBK path as the core builds it ("\" separators) as a local file name.
QString local_file_name(std::string_view gbk_path);

}  // namespace qingyu::platform::qt
