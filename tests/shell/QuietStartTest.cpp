#include "TestFiles.h"

#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

// What xdotool answers, trimmed; the user's hands on the keyboard.
QString Xdotool(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), args);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// Whether the program of PID has started a process of the browser engine.
bool HasBrowserEngine(qint64 pid) {
    QProcess process;
    process.start(QStringLiteral("pgrep"), {"-P", QString::number(pid), "QtWebEngine"});
    process.waitForFinished(10000);
    return !process.readAllStandardOutput().isEmpty();
}

}  // namespace

// In everyday use the program keeps stderr for its own messages: Qt's note about a session
// without a runtime folder and the browser engine's log stay out of it, also once the Web Site
// tab has shown a page.
TEST(QuietStart, StderrStaysEmptyThroughTheWebSiteTab) {
    // A menu or dialog of a test running beside it holds the display's keyboard.
    if (!qEnvironmentVariableIsSet("ALBORA_TEST_ALONE")) GTEST_SKIP() << "run alone, as QuietStart.Alone";
#ifdef __SANITIZE_ADDRESS__
    // These builds turn OpenGL off for the sanitizers, and the browser engine says what it draws with.
    GTEST_SKIP() << "the sanitizer build draws without OpenGL";
#endif
    ScopedTestDir dir;
    ASSERT_EQ(Cli({"album", "new", dir.Path("a.crp"), "--name", "Holidays"}).code, 0);
    // No tip and no welcome at the start, so the keys reach the main window.
    QDir().mkpath(dir.Path("config/Marenkis Setup"));
    dir.Write("config/Marenkis Setup/Albora.ini", "[Tip]\nStartUp=1\n[Albora]\nflgWelcomeDlg=0\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", dir.Path("config"));
    environment.insert("XDG_DATA_HOME", dir.Path("data"));
    environment.insert("XDG_CACHE_HOME", dir.Path("cache"));
    environment.remove("XDG_RUNTIME_DIR");
    environment.remove("QT_LOGGING_RULES");
    environment.remove("QTWEBENGINE_CHROMIUM_FLAGS");
    QProcess albora;
    albora.setProcessEnvironment(environment);
    albora.start(QStringLiteral(ALBORA_GUI_PATH), {dir.Path("a.crp")});
    ASSERT_TRUE(albora.waitForStarted());
    const QString pid = QString::number(albora.processId());
    QString window;
    ASSERT_TRUE(WaitFor([&] {
        window = Xdotool({"search", "--onlyvisible", "--pid", pid, "--name", " - Albora$"}).section('\n', 0, 0);
        return !window.isEmpty();
    }, 60000)) << albora.readAllStandardError().toStdString();
    // Other tests' windows on the same display may hold the keyboard: each key is given to the
    // window anew, and Ctrl+Tab goes round the tabs one at a time until the Web Site's shows.
    const auto key = [&](const char* keys) {
        Xdotool({"windowfocus", "--sync", window});
        Xdotool({"key", "--window", window, keys});
    };
    bool engine = false;
    for (int i = 0; i < 15 && !engine; ++i) {
        key("ctrl+Tab");
        engine = WaitFor([&] { return HasBrowserEngine(albora.processId()); }, 4000);
    }
    EXPECT_TRUE(engine);
    // Time for the page and the engine's graphics to start, and to say whatever they say.
    QThread::sleep(3);
    for (int i = 0; i < 5 && albora.state() != QProcess::NotRunning; ++i) {
        key("ctrl+q");
        albora.waitForFinished(10000);
    }
    ASSERT_EQ(albora.state(), QProcess::NotRunning);
    EXPECT_EQ(albora.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(albora.readAllStandardError()), QString());
}
