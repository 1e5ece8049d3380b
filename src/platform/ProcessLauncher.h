#pragma once

#include <QString>
#include <QStringList>

// Starts other programs, always with an argument list and never through a shell, so no file
// name can be taken for a command.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts PROGRAM without waiting; false when it could not be started.
    virtual bool StartDetached(const QString& program, const QStringList& args) = 0;
    // Why the last StartDetached failed, as the system tells it; empty when it does not say.
    virtual QString StartError() const { return {}; }
    // Runs PROGRAM to its end and returns its standard output, or a null text when it failed.
    virtual QString RunAndRead(const QString& program, const QStringList& args) = 0;
    // Whether PROGRAM is on the PATH.
    virtual bool Exists(const QString& program) const = 0;

    // The desktop's program for FILE, as xdg-mime names it (a .desktop entry), or empty.
    QString FindAssociation(const QString& file);
    // Opens FILE with its associated program.
    bool OpenWithAssociation(const QString& file) { return StartDetached(QStringLiteral("xdg-open"), {file}); }
    // Opens a new mail with FILE attached.
    bool SendMail(const QString& file);
    bool CanSendMail() const { return Exists(QStringLiteral("xdg-email")); }
};

// The launcher of the running program.
class SystemProcessLauncher final : public ProcessLauncher {
public:
    bool StartDetached(const QString& program, const QStringList& args) override;
    QString StartError() const override { return m_startError; }
    QString RunAndRead(const QString& program, const QStringList& args) override;
    bool Exists(const QString& program) const override;

private:
    QString m_startError;
};
