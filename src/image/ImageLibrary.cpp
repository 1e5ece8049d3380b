#include "ImageLibrary.h"

#include "platform/RegularFile.h"
#include "platform/UiServices.h"

#include <QtDebug>
#include <algorithm>
#include <array>
#include <atomic>

namespace {

std::atomic<int> g_jpegQuality{30};
std::atomic<std::int64_t> g_maxPixels{ImageLibrary::kMaxPixels};
std::atomic<std::int64_t> g_decodedRows{0};
UiServices* g_ui = nullptr;

// A 2^28-pixel picture at 32 bits with a little room for headers: no larger file is a picture.
constexpr qint64 kMaxFileBytes = (qint64(1) << 30) + (1 << 20);

struct TypeEntry {
    const char* extension;
    int type;
};
// Sorted by extension for the binary search.
constexpr std::array<TypeEntry, 8> kTypes = {{{"AVI", IMAGE_AVI},
                                              {"BMP", IMAGE_BMP},
                                              {"DIB", IMAGE_BMP},
                                              {"GIF", IMAGE_GIF},
                                              {"JPEG", IMAGE_JPEG},
                                              {"JPG", IMAGE_JPEG},
                                              {"PNG", IMAGE_PNG},
                                              {"XPM", IMAGE_XPM}}};

}  // namespace

int ImageTypeFromFileName(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf('.');
    if (dot < 0 || dot == fileName.size() - 1) return IMAGE_NONE;
    const QByteArray extension = fileName.mid(dot + 1).toUpper().toLatin1();
    const auto it = std::lower_bound(
        kTypes.begin(), kTypes.end(), extension,
        [](const TypeEntry& entry, const QByteArray& key) { return key > entry.extension; });
    return it != kTypes.end() && extension == it->extension ? it->type : IMAGE_NONE;
}

namespace ImageLibrary {

int JpegQuality() { return g_jpegQuality; }

void SetJpegQuality(int quality) { g_jpegQuality = std::clamp(quality, 0, 100); }

std::int64_t MaxPixels() { return g_maxPixels; }

void SetMaxPixels(std::int64_t pixels) { g_maxPixels = std::clamp<std::int64_t>(pixels, 1, kMaxPixels); }

QString PixelLimitRefusal(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) return QStringLiteral("picture without pixels");
    const std::int64_t limit = MaxPixels();
    // Compared by division: a declared width times height may not fit in 64 bits.
    if (width <= limit / height) return {};
    return QStringLiteral("%1x%2 pixels is more than the limit of %3").arg(width).arg(height).arg(limit);
}

std::int64_t DecodedRows() { return g_decodedRows; }

void CountDecodedRows(std::int64_t rows) { g_decodedRows += rows; }

void SetUi(UiServices* ui) { g_ui = ui; }

void ShowMessage(const QString& text) {
    if (g_ui)
        g_ui->MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation);
    else
        qWarning().noquote() << text;
}

std::optional<QByteArray> ReadFile(const QString& path, QString* reason) {
    return ReadRegularFile(path, kMaxFileBytes, reason);
}

}  // namespace ImageLibrary
