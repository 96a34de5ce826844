#include "app/window_created.h"

#include "app/control_names.h"
#include "app/settings.h"
#include "app/skin.h"
#include "platform/worker.h"
#include "ticker/ticker.h"

namespace qingyu {
namespace {

// Paging and downloads stay unusable until the first search has results.
void disable_paging_and_download_buttons(platform::WindowEngine& window) {
    for (const auto name : {controls::button2, controls::button3, controls::button4,
                            controls::button5, controls::button6, controls::button7}) {
        window.set_enabled(name, false);
    }
}

// The board's mailbox comes from the services; no signed-in QQ account is looked for yet, so
// posts go out under the typed nickname.
void set_board_identity(const AppContext& context) {
    platform::WindowEngine& window = *context.window;
    BoardMailbox& mailbox = context.state->board_mailbox;
    mailbox.account = context.services->mail_account;
    mailbox.password = context.services->mail_password;
    context.state->use_qq_identity = false;
    window.set_visible(controls::board_edit_box14, true);
    window.set_visible(controls::board_label19, true);
    window.set_visible(controls::board_combo_box1, false);
    window.set_visible(controls::board_picture_box1, false);
}

void set_board_hosts(const AppContext& context) {
    BoardMailbox& mailbox = context.state->board_mailbox;
    mailbox.pop3_server = context.services->pop3_host;
    mailbox.pop3_port = context.services->pop3_port;
    mailbox.smtp_server = context.services->smtp_host;
    mailbox.smtp_port = context.services->smtp_port;
    context.state->submit_allowed = true;
}

}  // namespace

// The start-up steps, in order. Steps that start work on a worker return at once and hand the
// worker a copy of the context.
void run_window_created(const AppContext& context) {
    platform::WindowEngine& window = *context.window;
    // 1. The skin; without it the window stays unskinned.
    attach_skin(window_skin);
    // 2.
    disable_paging_and_download_buttons(window);
    // 3. Keyword, blocked words and page size into their controls.
    load_settings(window);
    // 4. The news ticker, on a worker of its own.
    platform::start_worker([context, sites = TickerSites{context.services->maker_site + "/",
                                                         context.services->ping_host}] {
        load_ticker(*context.window, *context.state, sites);
    });
    // 5. The board's mailbox and the poster's identity.
    set_board_identity(context);
    // 6.
    set_board_hosts(context);
    // 7. The first board load starts on a worker here.
}

void run_window_destroyed(const AppContext& context) {
    save_settings(*context.window);
}

}  // namespace qingyu
