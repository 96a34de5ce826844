#pragma once
// The main window's event dispatch: each control event reaches the handler registered for its
// control and kind; a menu command reaches the handler of its item. Events without a handler do
// nothing.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "app/app_context.h"
#include "platform/window.h"

namespace qingyu {

class MainWindow {
  public:
    using Handler = std::function<void(const platform::Event&)>;

    explicit MainWindow(AppContext context);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    const AppContext& context() const { return context_; }

    // On the window's thread.
    void handle(const platform::Event& event);

  private:
    void on(std::string_view control, platform::EventKind kind, Handler handler);
    void on_menu(std::string_view item, Handler handler);

    AppContext context_;
    std::map<std::pair<std::string, platform::EventKind>, Handler> handlers_;
    std::map<std::string, Handler> menu_handlers_;
};

}  // namespace qingyu
