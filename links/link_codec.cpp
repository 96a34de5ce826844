#include "links/link_codec.h"

#include <cstddef>

#include "links/base64.h"
#include "web/text_ops.h"

namespace qingyu {
namespace {

constexpr std::string_view http_prefix = "http://";
constexpr std::string_view thunder_prefix = "thunder://";
constexpr std::string_view flashget_prefix = "Flashget://";
constexpr std::string_view qqdl_prefix = "qqdl://";
constexpr std::string_view thunder_head = "AA";
constexpr std::string_view thunder_tail = "ZZ";
constexpr std::string_view flashget_wrapper = "[FLASHGET]";
constexpr std::string_view flashget_suffix = "&1926";

std::string_view after_prefix(std::string_view link, std::string_view prefix) {
    return link.size() > prefix.size() ? link.substr(prefix.size()) : std::string_view();
}

std::string_view up_to_zero(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

std::string without_ends(std::string_view text, std::size_t front, std::size_t back) {
    if (text.size() <= front + back) return {};
    return std::string(text.substr(front, text.size() - front - back));
}

std::string wrapped(std::string_view head, std::string_view url, std::string_view tail) {
    std::string payload;
    payload.reserve(head.size() + url.size() + tail.size());
    payload.append(head).append(url).append(tail);
    return payload;
}

std::string plain_url_of(std::string_view link, int form) {
    switch (form) {
        case link_thunder:
            return decode_thunder(link);
        case link_flashget:
            return decode_flashget(link);
        case link_qqdl:
            return decode_qqdl(link);
        default:
            return std::string(link);
    }
}

// The form the link already has by its beginning, or -1 when a scheme text occurs only later.
// A link that begins with a scheme text holds it, so the search through the whole link is needed
// only when it begins with none.
int form_of(std::string_view link) {
    if (link.starts_with(http_prefix)) return link_plain_url;
    if (link.starts_with(thunder_prefix)) return link_thunder;
    if (link.starts_with(flashget_prefix)) return link_flashget;
    if (link.starts_with(qqdl_prefix)) return link_qqdl;
    const bool holds_scheme =
        contains_text(link, http_prefix) || contains_text(link, thunder_prefix) ||
        contains_text(link, flashget_prefix) || contains_text(link, qqdl_prefix);
    return holds_scheme ? -1 : link_plain_url;
}

}  // namespace

std::string encode_thunder(std::string_view url) {
    return std::string(thunder_prefix) + base64_encode(wrapped(thunder_head, url, thunder_tail));
}

std::string encode_flashget(std::string_view url) {
    return std::string(flashget_prefix) +
           base64_encode(wrapped(flashget_wrapper, url, flashget_wrapper)) +
           std::string(flashget_suffix);
}

std::string encode_qqdl(std::string_view url) {
    return std::string(qqdl_prefix) + base64_encode(url);
}

std::string decode_thunder(std::string_view link) {
    const std::string bytes = base64_decode(after_prefix(link, thunder_prefix));
    return without_ends(up_to_zero(bytes), thunder_head.size(), thunder_tail.size());
}

std::string decode_flashget(std::string_view link) {
    std::string_view payload = after_prefix(link, flashget_prefix);
    payload = payload.substr(0, payload.find('&'));
    const std::string bytes = base64_decode(payload);
    return without_ends(up_to_zero(bytes), flashget_wrapper.size(), flashget_wrapper.size());
}

std::string decode_qqdl(std::string_view link) {
    const std::string bytes = base64_decode(after_prefix(link, qqdl_prefix));
    return std::string(up_to_zero(bytes));
}

std::string convert_link(std::string_view link, int target) {
    if (link.empty() || target < link_plain_url || target > link_qqdl) {
        return std::string(convert_link_failure);
    }
    const int form = form_of(link);
    if (form < 0) return std::string(convert_link_failure);
    if (form == target) return std::string(link);
    const std::string url = plain_url_of(link, form);
    switch (target) {
        case link_thunder:
            return encode_thunder(url);
        case link_flashget:
            return encode_flashget(url);
        case link_qqdl:
            return encode_qqdl(url);
        default:
            return url;
    }
}

}  // namespace qingyu
