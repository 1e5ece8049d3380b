#pragma once

#include <QString>

class CAppSettings;
class CImageObject;
class UiServices;

// The scratch bitmap of a capture that ends as JPEG: made exclusively under a unique name starting
// "tempfoto" in the "FastTempPath" folder, or the system's temporary folder when none is set (so
// two captures never share one, and a link planted there is never followed), and removed when
// done unless kept.
class ScratchBitmap {
public:
    explicit ScratchBitmap(const QString& folder);
    ~ScratchBitmap();
    ScratchBitmap(const ScratchBitmap&) = delete;
    ScratchBitmap& operator=(const ScratchBitmap&) = delete;

    // Empty when the file could not be made; Error() then says why.
    const QString& Path() const { return m_path; }
    const QString& Error() const { return m_error; }
    // Leaves the file in place, for the user to recover a picture that could not be converted.
    void Keep() { m_keep = true; }

private:
    QString m_path;
    QString m_error;
    bool m_keep = false;
};

// Converts the picture in SOURCE to DESTINATION (JPEG, or the type its extension names): written
// to "~" + its file name beside it, then renamed over it in one step, so a reader never finds the
// destination missing or half written. SOURCE is removed on success when asked. False, with the
// destination as it was and no "~" file left, when anything fails; REASON then says why.
bool ConvertToJpeg(const QString& destination, const QString& source, bool deleteSource, UiServices& ui,
                   QString* reason = nullptr);

// Writes a captured picture as a bitmap file; the results of the screen grabber's writer:
// 0 written, -1 no file chosen, -2 the file cannot be created, -3 no picture, -4 a write failed.
// An empty PATH asks for one ("Windows Bitmap (*.bmp)"), adding ".bmp" when it has no extension.
int WriteBitmap(const CImageObject& picture, QString path, UiServices& ui, QString* reason = nullptr);

// How storing one captured picture went.
struct StoredPicture {
    enum class Result { Written, WriteFailed, ConversionFailed };
    Result result = Result::WriteFailed;
    int writeCode = 0;  // WriteBitmap's result when the bitmap could not be written
    QString kept;       // the captured bitmap, kept when the conversion failed
    QString reason;
    bool Ok() const { return result == Result::Written; }
};

// Stores PICTURE under NAME as the capture settings say: a bitmap, or with "flgJPG" a scratch
// bitmap converted to JPEG.
StoredPicture StoreCapturedPicture(const CImageObject& picture, const QString& name, const CAppSettings& settings,
                                   UiServices& ui);
// "JPEG Convertion Error: NAME", and on a second line the bitmap kept for the user.
QString ConversionErrorText(const QString& name, const StoredPicture& stored);
