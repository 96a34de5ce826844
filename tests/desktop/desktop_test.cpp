// The qingyu program as a user starts it: command-line mistakes, no display, and a screenshot of
// every page taken under xvfb-run in a network namespace of its own (no outside service is
// reachable there, as on a machine that is offline).

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QTemporaryDir>
#include <array>
#include <initializer_list>

namespace {

const QString program = QStringLiteral(QINGYU_PROGRAM);
const QString xvfb_run = QStringLiteral(XVFB_RUN);

struct Outcome {
    int exit_code = -1;
    QString error_output;
};

Outcome run(const QString& command, const QStringList& arguments,
            const QProcessEnvironment& environment, int timeout_ms = 30000) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(command, arguments);
    Outcome outcome;
    if (!process.waitForFinished(timeout_ms)) {
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.error_output = QString::fromLocal8Bit(process.readAllStandardError());
    return outcome;
}

QProcessEnvironment without_display() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    return environment;
}

class DesktopProgramTest : public testing::Test {
  protected:
    void SetUp() override {
        if (program.isEmpty() || !QFileInfo::exists(program)) GTEST_SKIP() << "qingyu not built";
    }
};

TEST_F(DesktopProgramTest, CommandLineMistakesEndWithTheUsageLine) {
    const std::array<QStringList, 6> mistakes{{
        {"--bogus"},
        {"--screenshot"},
        {"--services", ""},
        {"--tab", "2"},
        {"--screenshot", "out.png", "--tab", "5"},
        {"--screenshot", "out.png", "--tab", "two"},
    }};
    for (const auto& arguments : mistakes) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome outcome = run(program, arguments, without_display());
        EXPECT_EQ(outcome.exit_code, 2);
        EXPECT_TRUE(outcome.error_output.contains("usage: qingyu"));
        EXPECT_EQ(outcome.error_output.count('\n'), 1);
    }
}

TEST_F(DesktopProgramTest, WithoutADisplayItTellsHowToUseXvfb) {
    const Outcome outcome = run(program, {}, without_display());
    EXPECT_EQ(outcome.exit_code, 1);
    EXPECT_TRUE(outcome.error_output.contains("xvfb-run -a qingyu"));
    EXPECT_EQ(outcome.error_output.count('\n'), 1);
}

class ScreenshotTest : public DesktopProgramTest, public testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        DesktopProgramTest::SetUp();
        if (IsSkipped()) return;
        if (xvfb_run.isEmpty()) GTEST_SKIP() << "xvfb-run is not installed";
        if (QProcess::execute("unshare", {"-rn", "true"}) != 0) {
            GTEST_SKIP() << "cannot give the program a network namespace of its own";
        }
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QDir(folder.path()).mkpath("run"));
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment environment = without_display();
        environment.insert("HOME", folder.path());
        environment.insert("XDG_RUNTIME_DIR", folder.path());
        environment.insert("XDG_CACHE_HOME", folder.filePath("cache"));
        environment.insert("XDG_CONFIG_HOME", folder.filePath("config"));
        environment.insert("QINGYU_RUN_DIRECTORY", folder.filePath("run"));
        return environment;
    }

    QTemporaryDir folder;
};

TEST_P(ScreenshotTest, SavesThePageAtTheWindowsOuterSize) {
    const int page = GetParam();
    const QString image_file = folder.filePath(QString("page-%1.png").arg(page));
    const Outcome outcome = run("unshare",
                                {"-rn", xvfb_run, "-a", "-s", "-screen 0 1024x768x24", program,
                                 "--screenshot", image_file, "--tab", QString::number(page)},
                                environment(), 120000);
    ASSERT_EQ(outcome.exit_code, 0) << outcome.error_output.toStdString();

    QImage image(image_file);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 614);
    EXPECT_EQ(image.height(), 481);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 16) << "the window looks blank";
    // The window was closed as the user closes it, which saves the settings.
    EXPECT_TRUE(QDir(folder.filePath("run")).exists(QString::fromUtf8("晴屿配置.ini")));
}

INSTANTIATE_TEST_SUITE_P(EveryPage, ScreenshotTest, testing::Values(1, 2, 3, 4));

}  // namespace
