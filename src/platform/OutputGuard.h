#pragma once

#include "FileIdentity.h"

#include <QHash>
#include <QString>
#include <map>
#include <optional>

// The one place that decides whether a command may replace or remove a file. A command protects
// what the user owns and it must not touch (the open album, every card's file and its sound and
// draw companions, its own inputs) and asks before every write and removal. Files are compared
// as the kernel sees them (device and inode), so another spelling, a symbolic link, ".." or a
// hard link cannot slip a protected file past it.
class OutputGuard {
public:
    // Protects the file PATH; WHAT names it in refusals ("the open album"). A file that is
    // missing now is protected by its name, so that nothing takes its place meanwhile.
    void Protect(const QString& path, const QString& what);

    // What the file PATH is when it is protected ("the open album"); nullopt when it may be
    // written.
    std::optional<QString> Protected(const QString& path) const;
    // The message refusing to write PATH, or empty when it may be written.
    QString WriteRefusal(const QString& path) const;
    // The message refusing to remove NAME ('/'-separated, relative) from FOLDER, or empty when it
    // may go: a regular file reached from FOLDER without passing through a symbolic link, and
    // not protected.
    QString RemoveRefusal(const QString& folder, const QString& name) const;

private:
    std::map<FileIdentity, QString> m_protected;
    QHash<QString, QString> m_missing;  // by clean absolute path
};

// The identity of the file PATH names; nullopt for an empty path or when nothing is there.
std::optional<FileIdentity> IdentityOfFile(const QString& path);

// The refusal to write or remove PATH, which is WHAT.
QString OutputRefusal(const QString& path, const QString& what);

// Whether NAME ('/'-separated, relative) may lead out of FOLDER: a ".." or a symbolic link on its
// way (or NAME itself a link), through which an output meant for FOLDER would land elsewhere.
bool EscapesFolder(const QString& folder, const QString& name);
