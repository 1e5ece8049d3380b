#include "ProcessLauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString ProcessLauncher::FindAssociation(const QString& file) {
    const QString type = RunAndRead(QStringLiteral("xdg-mime"),
                                    {QStringLiteral("query"), QStringLiteral("filetype"), file})
                             .trimmed();
    if (type.isEmpty()) return {};
    return RunAndRead(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type})
        .trimmed();
}

bool ProcessLauncher::SendMail(const QString& file) {
    return StartDetached(QStringLiteral("xdg-email"),
                         {QStringLiteral("--attach"), QFileInfo(file).absoluteFilePath()});
}

bool SystemProcessLauncher::StartDetached(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(args);
    const bool started = process.startDetached();
    m_startError = started ? QString() : process.errorString();
    return started;
}

QString SystemProcessLauncher::RunAndRead(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

bool SystemProcessLauncher::Exists(const QString& program) const {
    return !QStandardPaths::findExecutable(program).isEmpty();
}
