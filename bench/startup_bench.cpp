// Start-up of the desktop program beside a bare Qt window with the same widget kinds: the time
// from starting the process to its first painted window, and the peak memory of the process
// (max RSS from wait4; the largest of the process and the helpers it waited for). Both run on an
// Xvfb display that the benchmark starts itself; the cases are skipped where Xvfb is missing.
// The program runs in a network namespace of its own when one can be made, so it starts offline.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path own_folder() {
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).parent_path();
}

fs::path executable(const char* variable, const fs::path& relative) {
    if (const char* path = std::getenv(variable); path != nullptr && *path != '\0') return path;
    return own_folder() / relative;
}

bool on_path(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        if (access((folders.substr(start, end - start) + "/" + name).c_str(), X_OK) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// One Xvfb for the whole run, on the first display number that is free.
class VirtualDisplay {
  public:
    static VirtualDisplay& instance() {
        static VirtualDisplay display;
        return display;
    }

    const std::optional<std::string>& name() const { return name_; }

    ~VirtualDisplay() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }

  private:
    VirtualDisplay() {
        if (!on_path("Xvfb")) return;
        for (int number = 91; number < 140 && !name_; ++number) {
            const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
            if (fs::exists(lock) || fs::exists(socket)) continue;
            const std::string display = ":" + std::to_string(number);
            pid_ = fork();
            if (pid_ == 0) {
                const int null = open("/dev/null", O_WRONLY);
                dup2(null, STDOUT_FILENO);
                dup2(null, STDERR_FILENO);
                execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
                       "tcp", static_cast<char*>(nullptr));
                _exit(127);
            }
            const auto deadline = Clock::now() + std::chrono::seconds(10);
            while (Clock::now() < deadline && !fs::exists(socket)) {
                if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                    pid_ = -1;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            if (pid_ > 0 && fs::exists(socket)) name_ = display;
        }
    }

    pid_t pid_ = -1;
    std::optional<std::string> name_;
};

struct StartUp {
    double first_paint_ms = 0;
    double max_rss_mib = 0;
    bool ok = false;
};

// Starts the command with QINGYU_FIRST_PAINT_FD set, waits for its notice and for its end.
StartUp start_up(const std::vector<std::string>& command, const std::string& display) {
    StartUp result;
    std::string home = (fs::temp_directory_path() / "qingyu-bench-XXXXXX").string();
    if (mkdtemp(home.data()) == nullptr) return result;
    int notice[2];
    if (pipe(notice) != 0) return result;
    const auto started = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(notice[0]);
        setenv("DISPLAY", display.c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
        setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        setenv("QINGYU_RUN_DIRECTORY", home.c_str(), 1);
        setenv("QINGYU_FIRST_PAINT_FD", std::to_string(notice[1]).c_str(), 1);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::vector<char*> arguments;
        for (const auto& word : command) arguments.push_back(const_cast<char*>(word.c_str()));
        arguments.push_back(nullptr);
        execvp(arguments[0], arguments.data());
        _exit(127);
    }
    close(notice[1]);
    if (pid < 0) {
        close(notice[0]);
        return result;
    }
    pollfd readable{notice[0], POLLIN, 0};
    char buffer[16] = {};
    if (poll(&readable, 1, 60000) == 1 && read(notice[0], buffer, sizeof buffer) > 0) {
        result.first_paint_ms =
            std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        result.ok = true;
    } else {
        kill(pid, SIGKILL);
    }
    close(notice[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.max_rss_mib = static_cast<double>(usage.ru_maxrss) / 1024.0;
    result.ok = result.ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::error_code ignored;
    fs::remove_all(home, ignored);
    return result;
}

void run_start_up(benchmark::State& state, const std::vector<std::string>& command) {
    const auto& display = VirtualDisplay::instance().name();
    if (!display) {
        state.SkipWithError("Xvfb is not installed or did not start");
        return;
    }
    if (access(command.front().c_str(), X_OK) != 0 && command.front() != "unshare") {
        state.SkipWithError(("not built: " + command.front()).c_str());
        return;
    }
    double paint_total = 0;
    double rss_peak = 0;
    for (auto _ : state) {
        const StartUp run = start_up(command, *display);
        if (!run.ok) {
            state.SkipWithError("the process did not paint its window or failed");
            return;
        }
        state.SetIterationTime(run.first_paint_ms / 1000.0);
        paint_total += run.first_paint_ms;
        rss_peak = std::max(rss_peak, run.max_rss_mib);
    }
    state.counters["first_paint_ms"] = paint_total / static_cast<double>(state.iterations());
    state.counters["max_rss_MiB"] = rss_peak;
}

void BM_StartUpBareWindow(benchmark::State& state) {
    run_start_up(state, {executable("QINGYU_BARE_WINDOW", "startup/qingyu-bare-window").string()});
}

void BM_StartUpProgramScreenshot(benchmark::State& state) {
    const std::string program = executable("QINGYU_PROGRAM", "../desktop/qingyu").string();
    const std::string shot = (fs::temp_directory_path() / "qingyu-bench-shot.png").string();
    std::vector<std::string> command{program, "--screenshot", shot};
    if (access(program.c_str(), X_OK) == 0 && std::system("unshare -rn true 2>/dev/null") == 0) {
        command.insert(command.begin(), {"unshare", "-rn"});
    }
    run_start_up(state, command);
    std::error_code ignored;
    fs::remove(shot, ignored);
}

BENCHMARK(BM_StartUpBareWindow)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpProgramScreenshot)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
