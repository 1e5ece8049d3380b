#pragma once

#include <QString>
#include <QStringList>

// The quick browser's favourite folders, one a line in "quick.lst" in the user's data folder.
namespace QuickFolders {

QString ListPath();
// Whole lines, whatever their length; a CR before the LF (a list from Windows) is dropped, and a
// list that is not UTF-8 is read as Windows-1252. A missing list is empty; so is one that cannot
// be read (no regular file, too large), and then REASON says why.
QStringList Read(const QString& path, QString* reason = nullptr);
// UTF-8 lines, each ended by LF, replacing the list in one step; false with the system's REASON.
bool Write(const QString& path, const QStringList& folders, QString* reason = nullptr);

}  // namespace QuickFolders
