#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

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
