#include "ImageLibrary.h"

#include "platform/UiServices.h"

#include <QFile>
#include <QSaveFile>
#include <QtDebug>
#include <algorithm>
#include <array>
#include <atomic>

namespace {

std::atomic<int> g_jpegQuality{30};
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

void SetUi(UiServices* ui) { g_ui = ui; }

void ShowMessage(const QString& text) {
    if (g_ui)
        g_ui->MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation);
    else
        qWarning().noquote() << text;
}

std::optional<QByteArray> ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) return std::nullopt;
    QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) return std::nullopt;
    return bytes;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace ImageLibrary
