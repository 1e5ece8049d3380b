#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <optional>

// A private folder for one test, made current while the test runs (the album rules resolve bare
// names against the current directory).
class ScopedTestDir {
public:
    ScopedTestDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ScopedTestDir() { QDir::setCurrent(m_previous); }

    QString Path(const QString& name = {}) const {
        return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
    }
    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Bytes from a hex text with blanks, "FF FF 00".
inline QByteArray Hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

// Runs the event loop until CONDITION holds or MS milliseconds have passed; the last answer.
inline bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

// What a run of a program did.
struct ProgramRun {
    int code = -1;
    QByteArray out;
    QString err;
};

// Runs PROGRAM with ARGS in the current folder and waits for it.
inline ProgramRun RunProgram(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

#ifdef ALBORA_CLI_PATH
inline ProgramRun Cli(const QStringList& args) { return RunProgram(QStringLiteral(ALBORA_CLI_PATH), args); }

// The names of ALBUM's cards in album order, as albora-cli shows them.
inline QStringList CliCardNames(const QString& album) {
    QStringList names;
    for (const QString& line : QString::fromUtf8(Cli({"album", "show", album}).out).split('\n'))
        if (line.contains('\t')) names << line.section('\t', 1, 1);
    return names;
}
#endif

// What a program run on a full disk did.
struct FullDiskRun {
    int code = -1;
    QString err;
};

// Runs PROGRAM with ARGS in a folder of its own that is full: a small memory file system in a
// private mount namespace, holding copies of SEED's files and no free space. The program starts
// in that folder; afterwards its files are copied into RESULT. Nullopt where this machine cannot
// make such a namespace.
inline std::optional<FullDiskRun> RunOnFullDisk(const QString& seed, const QString& result, const QString& program,
                                                 const QStringList& args) {
    QTemporaryDir mountPoint;
    const char* script = R"(mount -t tmpfs -o size=2m tmpfs "$1" || exit 99
cp -a "$2"/. "$1"/ && cd "$1" || exit 99
dd if=/dev/zero of=.filler bs=4k >/dev/null 2>&1
dd if=/dev/zero of=.filler2 bs=1 >/dev/null 2>&1
result="$3"; shift 3
"$@"; code=$?
rm -f .filler .filler2; cp -a . "$result"/; exit $code)";
    QProcess process;
    process.start(QStringLiteral("unshare"), QStringList{"-rm", "sh", "-c", script, "sh", mountPoint.path(), seed, result,
                                                         program} + args);
    if (!process.waitForFinished(60000) || process.exitCode() == 99) return std::nullopt;
    return FullDiskRun{process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}
