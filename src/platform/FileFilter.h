#pragma once

#include <QString>

// A Windows file filter ("Text *.TXT|*.txt|...||") in Qt's form; "*.*" means every file.
QString QtFileFilter(const QString& windowsFilter);
