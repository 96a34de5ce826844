// qingyu-cli started as a separate process, its output and exit code read back.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#if defined(QINGYU_HAVE_TEST_SUPPORT)
#include "loopback_server.h"
#endif

extern char** environ;

namespace {

struct Outcome {
    int exit_code = -1;  // -1 when the program did not end by itself
    std::string out;
    std::string err;
};

// Runs qingyu-cli with the arguments, reading both outputs until it ends or 30 seconds pass.
Outcome run_cli(const std::vector<std::string>& arguments) {
    Outcome outcome;
    int out_pipe[2];
    int err_pipe[2];
    if (pipe2(out_pipe, O_CLOEXEC) != 0) return outcome;
    if (pipe2(err_pipe, O_CLOEXEC) != 0) {
        close(out_pipe[0]);
        close(out_pipe[1]);
        return outcome;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out_pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err_pipe[1], STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(QINGYU_CLI)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, QINGYU_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out_pipe[1]);
    close(err_pipe[1]);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::array<pollfd, 2> ends{{{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}}};
    std::array<std::string*, 2> sinks{&outcome.out, &outcome.err};
    int open_ends = 2;
    while (spawned == 0 && open_ends > 0 && std::chrono::steady_clock::now() < deadline) {
        if (poll(ends.data(), ends.size(), 100) <= 0) continue;
        for (std::size_t i = 0; i < ends.size(); ++i) {
            if (ends[i].fd < 0 || ends[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t got = read(ends[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                ends[i].fd = -1;
                --open_ends;
            }
        }
    }
    close(out_pipe[0]);
    close(err_pipe[0]);
    if (spawned != 0) return outcome;
    if (open_ends > 0) kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (open_ends == 0 && WIFEXITED(status)) outcome.exit_code = WEXITSTATUS(status);
    return outcome;
}

constexpr std::string_view failure_utf8 = "\xe8\xbd\xac\xe6\x8d\xa2\xe5\xa4\xb1\xe8\xb4\xa5";

struct Case {
    std::vector<std::string> arguments;
    std::string out;
};

std::string joined(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) line += "[" + argument + "] ";
    return line;
}

TEST(CliTest, ConvertPrintsTheRequestedFormOnOneLine) {
    const std::vector<Case> cases{
        {{"convert", "abc", "--to", "thunder"}, "thunder://QUFhYmNaWg==\n"},
        {{"convert", "--to", "thunder", "abc"}, "thunder://QUFhYmNaWg==\n"},
        {{"convert", "--to=qqdl", "abc"}, "qqdl://YWJj\n"},
        {{"convert", "abc", "--to", "flashget"},
         "Flashget://W0ZMQVNIR0VUXWFiY1tGTEFTSEdFVF0=&1926\n"},
        {{"convert", "thunder://QUFhYmNaWg==", "--to", "url"}, "abc\n"},
        {{"convert", "--to", "qqdl", "--", "-x"}, "qqdl://LXg=\n"},
        // Control characters of a decoded link neither break the line nor reach the terminal.
        {{"convert", "qqdl://aHR0cDovL2EvG1sySngKeQ==", "--to", "url"}, "http://a/%1B[2Jx%0Ay\n"},
    };
    for (const auto& [arguments, out] : cases) {
        const Outcome outcome = run_cli(arguments);
        EXPECT_EQ(outcome.exit_code, 0) << joined(arguments);
        EXPECT_EQ(outcome.out, out) << joined(arguments);
        EXPECT_EQ(outcome.err, "") << joined(arguments);
    }
}

TEST(CliTest, ConvertWithoutTargetPrintsAllFourForms) {
    const Outcome outcome = run_cli({"convert", "qqdl://YWJj"});
    EXPECT_EQ(outcome.exit_code, 0);
    EXPECT_EQ(outcome.out,
              "url: abc\n"
              "thunder: thunder://QUFhYmNaWg==\n"
              "flashget: Flashget://W0ZMQVNIR0VUXWFiY1tGTEFTSEdFVF0=&1926\n"
              "qqdl: qqdl://YWJj\n");
}

TEST(CliTest, LinksThatCannotBeConvertedExitWithOne) {
    const std::vector<std::vector<std::string>> cases{
        {"convert", "https://a.example/?u=http://b.example/", "--to", "thunder"},
        {"convert", "see qqdl://YWJj"},
        {"convert", "", "--to", "url"},
    };
    for (const auto& arguments : cases) {
        const Outcome outcome = run_cli(arguments);
        EXPECT_EQ(outcome.exit_code, 1) << joined(arguments);
        EXPECT_EQ(outcome.out, std::string(failure_utf8) + "\n") << joined(arguments);
    }
}

TEST(CliTest, UsageErrorsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> cases{
        {},
        {"bogus"},
        {"--bogus"},
        {"convert"},
        {"convert", "abc", "--bogus"},
        {"convert", "abc", "--to"},
        {"convert", "abc", "--to", "magnet"},
        {"convert", "abc", "--to", "Thunder"},
        {"convert", "abc", "def"},
        {"convert", "abc", "--to", "bad\nvalue"},
    };
    for (const auto& arguments : cases) {
        const Outcome outcome = run_cli(arguments);
        EXPECT_EQ(outcome.exit_code, 2) << joined(arguments);
        EXPECT_EQ(outcome.out, "") << joined(arguments);
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
        EXPECT_TRUE(outcome.err.ends_with('\n')) << outcome.err;
        EXPECT_TRUE(outcome.err.starts_with("qingyu-cli")) << outcome.err;
    }
}

TEST(CliTest, HelpIsOnEveryLevel) {
    const std::vector<std::vector<std::string>> cases{
        {"--help"},
        {"-h"},
        {"convert", "--help"},
        {"convert", "abc", "--to", "thunder", "-h"},
    };
    for (const auto& arguments : cases) {
        const Outcome outcome = run_cli(arguments);
        EXPECT_EQ(outcome.exit_code, 0) << joined(arguments);
        EXPECT_TRUE(outcome.out.starts_with("usage: qingyu-cli")) << outcome.out;
        EXPECT_EQ(outcome.err, "") << joined(arguments);
    }
    EXPECT_NE(run_cli({"--help"}).out.find("convert"), std::string::npos);
}

TEST(CliTest, ChineseUrlsTravelAsGbkAndComeBackAsUtf8) {
    const std::string url = "http://example.com/\xe6\x99\xb4\xe5\xb1\xbf.txt";  // 晴屿 in UTF-8
    const Outcome thunder = run_cli({"convert", url, "--to", "thunder"});
    ASSERT_EQ(thunder.exit_code, 0);
    // The payload holds the GBK bytes C7 E7 D3 EC.
    EXPECT_EQ(thunder.out, "thunder://QUFodHRwOi8vZXhhbXBsZS5jb20vx+fT7C50eHRaWg==\n");

    for (const char* target : {"thunder", "flashget", "qqdl"}) {
        const Outcome encoded = run_cli({"convert", url, "--to", target});
        ASSERT_EQ(encoded.exit_code, 0) << target;
        const std::string link = encoded.out.substr(0, encoded.out.find('\n'));
        const Outcome decoded = run_cli({"convert", link, "--to", "url"});
        EXPECT_EQ(decoded.exit_code, 0) << target;
        EXPECT_EQ(decoded.out, url + "\n") << target;
    }
}

#if defined(QINGYU_HAVE_TEST_SUPPORT)
// The ticker's fetch on the in-memory window, against a loopback site that is also the ping target.
TEST(CliTest, TickerPrintsTheArticlesOrWhyThereAreNone) {
    const std::string block =
        "<li class=\"meta-views\">\n\t\t\t\t\t12 views\n\t\t\t\t</li>\n\t\t\t\t"
        "<li class=\"meta-comments\">\n\t\t\t\t\t<a href=\"http://site/a1#comments\"\n"
        "\t\t\t\t\t\ttitle=\"One \xc9\xcf\xb5\xc4\xc6\xc0\xc2\xdb\">3 \xcc\xf5\xc6\xc0\xc2\xdb</a>";
    qingyu::test::LoopbackServer site({qingyu::test::http_response("HTTP/1.1 200 OK\r\n", block)});
    const std::string services = testing::TempDir() + "ticker-services.conf";
    std::ofstream(services) << "ping_host = " << site.host_port()
                            << "\nmaker_site = " << site.url("") << "\n";
    const Outcome found = run_cli({"ticker", "--services", services});
    EXPECT_EQ(found.exit_code, 0) << found.err;
    // "One 点击：12 评论：3", a tab and the link, in UTF-8.
    EXPECT_EQ(found.out,
              "One \xe7\x82\xb9\xe5\x87\xbb\xef\xbc\x9a"
              "12 \xe8\xaf\x84\xe8\xae\xba\xef\xbc\x9a"
              "3\thttp://site/a1\n");

    std::ofstream(services) << "ping_host = 127.0.0.1:" << qingyu::test::unused_port() << "\n";
    const Outcome offline = run_cli({"ticker", "--services", services});
    EXPECT_EQ(offline.exit_code, 1);
    EXPECT_EQ(
        offline.err,
        "\xe6\x9c\xaa\xe8\xbf\x9e\xe6\x8e\xa5\xe5\x88\xb0\xe7\xbd\x91\xe7\xbb\x9c\n");  // 未连接到网络
}
#endif

}  // namespace
