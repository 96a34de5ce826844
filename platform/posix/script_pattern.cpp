#include "platform/posix/script_pattern.h"

namespace qingyu::platform {
namespace {

constexpr std::wstring_view word_chars = L"A-Za-z0-9_";
constexpr std::wstring_view word_class = L"[A-Za-z0-9_]";
constexpr std::wstring_view non_word_class = L"[^A-Za-z0-9_]";
constexpr std::wstring_view word_boundary =
    L"(?:(?<=[A-Za-z0-9_])(?![A-Za-z0-9_])|(?<![A-Za-z0-9_])(?=[A-Za-z0-9_]))";
constexpr std::wstring_view non_word_boundary =
    L"(?:(?<=[A-Za-z0-9_])(?=[A-Za-z0-9_])|(?<![A-Za-z0-9_])(?![A-Za-z0-9_]))";
constexpr std::wstring_view line_start = L"(?<![^\\n\\r\\x{2028}\\x{2029}])";
constexpr std::wstring_view line_end = L"(?![^\\n\\r\\x{2028}\\x{2029}])";
constexpr std::wstring_view any_but_line_feed = L"[^\\n]";
constexpr std::wstring_view boost_specials = L"\\^$.|?*+()[]{}-/";

bool is_hex(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

bool is_ascii_letter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool hex_run(std::wstring_view pattern, std::size_t at, std::size_t count) {
    if (pattern.size() - at < count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!is_hex(pattern[at + i])) return false;
    }
    return true;
}

class Translator {
  public:
    Translator(std::wstring_view pattern, bool multiline)
        : pattern_(pattern), multiline_(multiline) {}

    std::wstring run() {
        while (at_ < pattern_.size()) {
            const wchar_t c = pattern_[at_++];
            if (c == L'\\') {
                escape();
            } else if (in_class_) {
                class_char(c);
            } else {
                plain_char(c);
            }
        }
        return std::move(out_);
    }

  private:
    void class_char(wchar_t c) {
        if (c == L']') in_class_ = false;
        // Boost would read "[:", "[=" and "[." as the start of a POSIX class; here it is literal.
        if (c == L'[') out_ += L'\\';
        out_ += c;
    }

    void plain_char(wchar_t c) {
        const std::wstring_view rest = pattern_.substr(at_);
        switch (c) {
            case L'.':
                out_ += any_but_line_feed;
                return;
            case L'^':
                out_ += multiline_ ? line_start : L"^";
                return;
            case L'$':
                out_ += multiline_ ? line_end : L"$";
                return;
            case L'[':
                if (rest.starts_with(L"]")) {
                    out_ += L"(?!)";
                    at_ += 1;
                } else if (rest.starts_with(L"^]")) {
                    out_ += L"[\\s\\S]";
                    at_ += 2;
                } else {
                    out_ += L'[';
                    if (rest.starts_with(L"^")) {
                        out_ += L'^';
                        at_ += 1;
                    }
                    in_class_ = true;
                }
                return;
            default:
                out_ += c;
        }
    }

    void escape() {
        if (at_ == pattern_.size()) {
            out_ += L'\\';  // a trailing backslash: Boost refuses it, as the component does
            return;
        }
        const wchar_t e = pattern_[at_++];
        switch (e) {
            case L'd':
            case L'D':
            case L's':
            case L'S':
            case L'n':
            case L'r':
            case L't':
            case L'f':
                out_ += L'\\';
                out_ += e;
                return;
            case L'w':
                out_ += in_class_ ? word_chars : word_class;
                return;
            case L'W':
                out_ += in_class_ ? L"\\W" : non_word_class;
                return;
            case L'b':
                out_ += in_class_ ? L"\\x{08}" : word_boundary;
                return;
            case L'B':
                out_ += in_class_ ? L"B" : non_word_boundary;
                return;
            case L'v':
                out_ += L"\\x{0B}";
                return;
            case L'c':
                if (at_ < pattern_.size() && is_ascii_letter(pattern_[at_])) {
                    out_ += L"\\c";
                    out_ += pattern_[at_++];
                } else {
                    out_ += L"\\\\c";
                }
                return;
            case L'x':
                hex_escape(2, L'x');
                return;
            case L'u':
                hex_escape(4, L'u');
                return;
            default:
                break;
        }
        if (e >= L'0' && e <= L'9') {
            out_ += L'\\';  // back-references and \0 read the same in both languages
            out_ += e;
        } else {
            literal(e);
        }
    }

    void hex_escape(std::size_t digits, wchar_t letter) {
        if (!hex_run(pattern_, at_, digits)) {
            out_ += letter;
            return;
        }
        out_ += L"\\x{";
        out_ += pattern_.substr(at_, digits);
        out_ += L'}';
        at_ += digits;
    }

    // An escape without a meaning of its own stands for the character itself.
    void literal(wchar_t c) {
        if (boost_specials.find(c) != std::wstring_view::npos) out_ += L'\\';
        out_ += c;
    }

    std::wstring_view pattern_;
    bool multiline_;
    std::size_t at_ = 0;
    bool in_class_ = false;
    std::wstring out_;
};

}  // namespace

std::wstring script_pattern_to_boost(std::wstring_view pattern, bool multiline) {
    return Translator(pattern, multiline).run();
}

}  // namespace qingyu::platform
