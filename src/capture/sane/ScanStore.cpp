#include "ScanStore.h"

#include "PhotoSplitter.h"

#include "album/CAppSettings.h"
#include "album/NameCounter.h"
#include "capture/CapturedPicture.h"
#include "platform/UiServices.h"

#include <QFileInfo>

namespace {

// The scanner's names count on their own, across dialogs, for the whole run.
NameCounter& ScannerCounter() {
    static NameCounter counter;
    return counter;
}

ScanStoreEvent Store(const CImageObject& picture, const QString& prefix, const CAppSettings& settings,
                     UiServices& ui, const QDir& folder) {
    ScanStoreEvent event;
    const QString pattern = prefix + (settings.flgJPG ? QStringLiteral(".jpg") : QStringLiteral(".bmp"));
    const auto name = ScannerCounter().Next(pattern, folder);
    if (!name) {
        event.message = QStringLiteral("Error write from Twain: ") + pattern;
        return event;
    }
    event.name = *name;
    const StoredPicture stored = StoreCapturedPicture(picture, folder.filePath(*name), settings, ui);
    if (stored.result == StoredPicture::Result::WriteFailed) {
        event.message = QStringLiteral("Error write from Twain: ") + *name;
    } else if (stored.result == StoredPicture::Result::ConversionFailed) {
        event.conversionFailed = true;
        event.message = ConversionErrorText(*name, stored);
    } else {
        event.written = QFileInfo::exists(folder.filePath(*name));
        event.message = QStringLiteral("Save OK from Twain Source: ") + *name;
    }
    return event;
}

}  // namespace

std::vector<ScanStoreEvent> StoreScannedPage(const ScannedPage& page, bool split, const QString& prefix,
                                             const CAppSettings& settings, UiServices& ui, const QDir& folder) {
    WaitCursor wait(ui);
    std::vector<ScanStoreEvent> events;
    if (!page.picture) return events;
    const std::vector<QRect> photos = split ? FindPhotos(*page.picture, page.dpi) : std::vector<QRect>();
    if (photos.empty()) {
        events.push_back(Store(*page.picture, prefix, settings, ui, folder));
        return events;
    }
    for (const QRect& area : photos) events.push_back(Store(CropPicture(*page.picture, area), prefix, settings, ui, folder));
    return events;
}
