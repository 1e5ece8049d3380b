#include "SitePictures.h"

#include "HtmlText.h"
#include "SiteCopy.h"

#include "image/CImageObject.h"
#include "platform/UiServices.h"

#include <QFileInfo>

PictureTarget PictureTargetOf(const QString& imageFormat) {
    if (imageFormat == QLatin1String("No convert")) return {IMAGE_NONE, {}};
    if (imageFormat == QLatin1String("GIF")) return {IMAGE_GIF, QStringLiteral(".gif")};
    return {IMAGE_JPEG, QStringLiteral(".jpg")};
}

QString PictureName(const QString& source, const PictureTarget& target) {
    // Stored paths may still carry Windows separators.
    const qsizetype slash = std::max(source.lastIndexOf(QLatin1Char('/')), source.lastIndexOf(QLatin1Char('\\')));
    const QString name = source.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return SafeOutputName(target.type == IMAGE_NONE ? name : base + target.extension);
}

namespace {

enum class Step { Done, Skipped, EndPictures, Abort };

Step WritePicture(const SitePicture& picture, const QString& path, const PictureTarget& target, UiServices& ui) {
    const auto readError = [&] {
        ui.MessageBox(QStringLiteral("Error:\nReading file: ") + picture.source, MsgButtons::Ok, MsgIcon::Exclamation);
        return Step::EndPictures;
    };
    if (!QFileInfo(picture.source).isFile()) return readError();
    // Unchanged copies keep every byte and the file's own metadata.
    if (target.type == IMAGE_NONE || ImageTypeFromFileName(picture.source) == target.type) {
        switch (CopyWithRetry(picture.source, path, ui)) {
        case CopyOutcome::Copied: return Step::Done;
        case CopyOutcome::Skipped: return Step::Skipped;
        case CopyOutcome::Aborted: return Step::Abort;
        }
    }
    CImageObject image;
    if (!image.Load(picture.source)) return readError();
    if (!image.Save(path, target.type)) {
        ui.MessageBox(QStringLiteral("Error:\nCan't save image: ") + path, MsgButtons::Ok, MsgIcon::Exclamation);
        return Step::EndPictures;
    }
    return Step::Done;
}

}  // namespace

bool WritePictures(const std::vector<SitePicture>& pictures, const QString& outDir, const PictureTarget& target,
                   UiServices& ui) {
    ui.SetStatusText(0, QStringLiteral("Wait, graphic conversion..."));
    ui.ProgressBegin(0, static_cast<int>(pictures.size()), 1);
    Step step = Step::Done;
    for (const SitePicture& picture : pictures) {
        const QString path = outDir + QLatin1Char('/') + picture.name;
        step = WritePicture(picture, path, target, ui);
        if (step == Step::EndPictures || step == Step::Abort) break;
        if (step == Step::Done) {
            ui.SetStatusText(0, QStringLiteral("Creating: ") + path);
            ui.ProgressStep();
        }
    }
    ui.ProgressEnd();
    if (step == Step::Abort) return false;
    ui.SetStatusText(0, QStringLiteral("End, graphic conversion."));
    return true;
}
