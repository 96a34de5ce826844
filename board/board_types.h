#pragma once
// The feedback board's records: the mailbox that holds the board, one entry, and the display
// settings the administrator writes into the board text. GBK texts.

#include <string>

namespace qingyu {

struct BoardMailbox {
    std::string pop3_server;
    int pop3_port = 110;
    std::string smtp_server;
    int smtp_port = 25;
    std::string account;  // login for both servers; recipient and sender of every post
    std::string password;
};

struct BoardMessage {
    std::string nickname;  // a typed nickname, or the HTML of a QQ identity
    std::string content;
    std::string time_text;
};

struct BoardSettings {
    std::string pinned_text;
    int page_size = 0;
    int font_size = 0;
    std::string number_color;
    std::string nickname_color;
    std::string content_color;
    std::string border_color;
};

}  // namespace qingyu
