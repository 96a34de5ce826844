#pragma once
// Fixtures for the program's tests: a private temporary folder per test that serves as the run
// directory and the configuration folder and is removed at the end, and a run of the whole
// program on the headless window engine.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/services.h"
#include "loopback_server.h"
#include "platform/files.h"
#include "platform/headless/headless_engine.h"

namespace qingyu::test {

using platform::headless::HeadlessEngine;

inline std::string read_bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void write_bytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// As in the program, a window engine outlives every worker (the ticker's may still be running
// when a test ends): it is kept, reachable, until the test program ends.
inline HeadlessEngine& kept_engine() {
    static auto* engines = new std::vector<std::unique_ptr<HeadlessEngine>>;
    return *engines->emplace_back(std::make_unique<HeadlessEngine>());
}

// The ticker's addresses on a loopback port where nothing listens.
inline void use_loopback_ticker(Services& services) {
    services.ping_host = "127.0.0.1:" + std::to_string(unused_port());
    services.maker_site = "http://" + services.ping_host;
}

class TempFolderTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qingyu-app-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        if (const char* config = std::getenv("XDG_CONFIG_HOME")) saved_config_home = config;
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        use_run_directory(root / "run");
        std::filesystem::create_directories(run_directory);
        write_loopback_services(run_directory / "qingyu-services.conf");
    }

    // Every outside service on a loopback port where nothing listens: no test reaches any other
    // address, and the ticker's start-up check fails at once.
    static void write_loopback_services(const std::filesystem::path& file) {
        const std::string nowhere = "127.0.0.1:" + std::to_string(unused_port());
        write_bytes(file, "ping_host = " + nowhere + "\nmaker_site = http://" + nowhere + "\n");
    }

    void TearDown() override {
        platform::set_run_directory("");
        if (saved_config_home) {
            setenv("XDG_CONFIG_HOME", saved_config_home->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    // The folders of these tests have ASCII names, the same in GBK and UTF-8.
    void use_run_directory(const std::filesystem::path& folder) {
        run_directory = folder;
        platform::set_run_directory(folder.string());
    }

    // A run directory no file can be created in, whoever runs the tests: its would-be parent is
    // a file.
    void use_unwritable_run_directory() {
        write_bytes(root / "blocker", "not a folder");
        use_run_directory(root / "blocker" / "run");
    }

    std::filesystem::path settings_file() const { return run_directory / u8"晴屿配置.ini"; }
    std::filesystem::path config_settings_file() const {
        return root / "config" / "qingyu" / u8"晴屿配置.ini";
    }

    // Runs the program; `user` acts on the open window on the window's thread, after the
    // window-created sequence, and the window is then closed as the user closes it.
    int run_session(const std::function<void(HeadlessEngine&)>& user,
                    const ProgramOptions& options = {}) {
        HeadlessEngine& engine = kept_engine();
        engine.post([&] {
            user(engine);
            engine.close();
        });
        return run_program(engine, options);
    }

    std::filesystem::path root;
    std::filesystem::path run_directory;
    std::optional<std::string> saved_config_home;
};

}  // namespace qingyu::test
