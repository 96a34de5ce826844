#pragma once
// The link schemes of the Thunder, FlashGet and QQ Xuanfeng download managers, each wrapping a
// plain URL in Base64, and the conversion of a link between the four forms. Texts are GBK bytes.

#include <string>
#include <string_view>

namespace qingyu {

// The target numbers of convert_link.
inline constexpr int link_plain_url = 0;
inline constexpr int link_thunder = 1;
inline constexpr int link_flashget = 2;
inline constexpr int link_qqdl = 3;

// "转换失败", the result of a conversion that cannot be made.
inline constexpr std::string_view convert_link_failure = "\xd7\xaa\xbb\xbb\xca\xa7\xb0\xdc";

// The link in the form that `target` names, or convert_link_failure for an empty link, a link
// where a scheme text occurs only after the start, or an unknown target. A link holding none of
// "http://", "thunder://", "Flashget://" and "qqdl://" (with their case) is taken as the plain
// URL; a form the link already has comes back unchanged.
std::string convert_link(std::string_view link, int target);

// "thunder://" + Base64 of ("AA" + url + "ZZ").
std::string encode_thunder(std::string_view url);
// "Flashget://" + Base64 of ("[FLASHGET]" + url + "[FLASHGET]") + "&1926".
std::string encode_flashget(std::string_view url);
// "qqdl://" + Base64 of url.
std::string encode_qqdl(std::string_view url);

// The plain URL inside a link of the scheme; the caller has checked the prefix. The wrappers are
// cut off by their length without being looked at, and the decoded text ends at its first zero
// byte.
std::string decode_thunder(std::string_view link);
std::string decode_flashget(std::string_view link);
std::string decode_qqdl(std::string_view link);

}  // namespace qingyu
