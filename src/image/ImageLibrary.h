#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

class UiServices;

// The file types of pictures.
enum ImageType {
    IMAGE_NONE = -1,
    IMAGE_BMP = 0,
    IMAGE_JPEG = 1,
    IMAGE_GIF = 2,
    IMAGE_XPM = 3,
    IMAGE_PNG = 4,
    IMAGE_AVI = 5,
};

// The type of a file by its extension (the text after the last "."), or IMAGE_NONE.
int ImageTypeFromFileName(const QString& fileName);

// Settings and limits shared by the whole image library.
namespace ImageLibrary {

// No picture larger than this is made, whatever a file declares.
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 28;

// The most pixels one picture may have: kMaxPixels unless set lower (the "MaxPicturePixels"
// setting). Every reader refuses a larger declared size before it allocates.
std::int64_t MaxPixels();
void SetMaxPixels(std::int64_t pixels);
// Empty when a WIDTH x HEIGHT picture is within MaxPixels(), else the reason it is refused
// ("16384x16384 pixels is more than the limit of 268435456").
QString PixelLimitRefusal(std::int64_t width, std::int64_t height);

// Pixel rows the readers have decoded since the program started; a header-only read adds none.
std::int64_t DecodedRows();
void CountDecodedRows(std::int64_t rows);

// The quality new JPEG images are written with (0 to 100).
int JpegQuality();
void SetJpegQuality(int quality);

// Where the library's few messages go; without one they are only logged.
void SetUi(UiServices* ui);
void ShowMessage(const QString& text);

// The whole of a regular file, or nullopt when it cannot be read, is no regular file (a device,
// a pipe, a folder) or is larger than any picture could be; then REASON, when given, says why.
std::optional<QByteArray> ReadFile(const QString& path, QString* reason = nullptr);

}  // namespace ImageLibrary
