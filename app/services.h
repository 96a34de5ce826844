#pragma once
// The outside services by role. Public hosts are the defaults; a services file overrides them.
// No credential is built in: the board mailbox's account and password come only from the file.
//
// The file is UTF-8 text of "key = value" lines; blank lines and lines beginning with "#" are
// skipped, blanks around keys and values are dropped. Keys:
//   search_host           the web search's host name
//   storage_host          the cloud-storage host name (share pages and the download interface)
//   maker_site            scheme and host of the maker's web server: the ticker's home page, and
//                         the fallback result pattern at "/bd.txt"
//   maker_space           the maker's personal web space (second link under the tabs)
//   qq_avatar_service     scheme and host of the QQ avatar image service
//   qq_portrait_service   scheme and host of the QQ nickname (portrait) service
//   qq_thumbnail_service  scheme and host of the avatar thumbnails written into board entries
//   qq_chat_service       scheme and host of the chat links written into board entries
//   qq_time_service       scheme and host of the QQ server-time service
//   pinned_icon_host      scheme and host of the board's pinned-content icon
//   ping_host             host name (optionally ":port") the reachability check connects to
//   pop3_host, pop3_port  the board mailbox's POP3 server
//   smtp_host, smtp_port  the board mailbox's SMTP server
//   mail_account          the board mailbox's address, its login for both servers
//   mail_password         the board mailbox's password
// Host names may carry ":port". Addresses lose a trailing "/". The three services written into
// board entries (thumbnail, chat, time) may not contain "-", "\" or "|", which separate the
// parts of an entry.

#include <optional>
#include <string>
#include <string_view>

namespace qingyu {

struct Services {
    std::string search_host = "www.baidu.com";
    std::string storage_host = "pan.baidu.com";
    std::string maker_site = "http://www.qingyu.example";
    std::string maker_space = "http://qzone.qq.com";
    std::string qq_avatar_service = "http://qlogo1.store.qq.com";
    std::string qq_portrait_service = "http://r.qzone.qq.com";
    std::string qq_thumbnail_service = "http://q1.qlogo.cn";
    std::string qq_chat_service = "http://wpa.qq.com";
    std::string qq_time_service = "http://cgi.im.qq.com";
    std::string pinned_icon_host = "http://tb2.bdstatic.com";
    std::string ping_host = "www.baidu.com";
    std::string pop3_host = "pop.163.com";
    int pop3_port = 110;
    std::string smtp_host = "smtp.163.com";
    int smtp_port = 25;
    std::string mail_account;
    std::string mail_password;

    std::string fallback_pattern_address() const { return maker_site + "/bd.txt"; }
};

// The outcome of reading a services file: the services, or one line "FILE:LINE: reason" (or
// "FILE: reason" for the file as a whole).
struct ServicesResult {
    std::optional<Services> services;
    std::string error;
};

// Reads services from `text`; `file_name` names it in error lines.
ServicesResult parse_services(std::string_view text, std::string_view file_name);

// The services for this run: from `named_file` (a UTF-8 file name) when given, which must then
// exist; else from "qingyu-services.conf" in the run directory when present; else the defaults.
ServicesResult load_services(std::string_view named_file);

inline constexpr std::string_view services_file_name = "qingyu-services.conf";

}  // namespace qingyu
