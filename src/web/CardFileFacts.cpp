#include "CardFileFacts.h"

#include "platform/CTime.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

namespace CardFileFacts {

QString CreationDate(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile()) return {};
    const QDateTime born = file.birthTime();
    return CTime::CardDate((born.isValid() ? born : file.lastModified()).toSecsSinceEpoch()).value_or(QString());
}

QString Size(const QString& path) {
    const QFileInfo file(path);
    // The C locale, as the dates: a page reads the same whoever made it.
    return file.isFile() ? QLocale::c().formattedDataSize(file.size(), 1, QLocale::DataSizeTraditionalFormat)
                         : QString();
}

}  // namespace CardFileFacts
