// Pictures of other programs on the page: inserted files, pasted pictures and their own size.
// What embedded objects did on Windows, links to picture files do here.
#include "CDrawView.h"

#include "draw/DrawAnnotation.h"
#include "draw/LinkPicture.h"
#include "platform/CommandIds.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>

namespace {

const QString kPictureFilter = QStringLiteral(
    "Pictures (*.bmp *.dib *.jpg *.jpeg *.gif *.png *.svg *.emf *.wmf *.BMP *.JPG *.JPEG *.GIF *.PNG *.SVG *.EMF *.WMF);;"
    "All Files (*)");

// A picture on the clipboard as a file's bytes and extension, in the order of preference.
std::optional<std::pair<QByteArray, QString>> ClipboardPicture(const QMimeData* data) {
    if (!data) return std::nullopt;
    for (const auto& [type, extension] : {std::pair{"image/svg+xml", "svg"}, std::pair{"image/png", "png"},
                                          std::pair{"image/jpeg", "jpg"}, std::pair{"image/emf", "emf"},
                                          std::pair{"image/x-emf", "emf"}, std::pair{"image/x-wmf", "wmf"}})
        if (data->hasFormat(QString::fromLatin1(type)))
            return std::pair{data->data(QString::fromLatin1(type)), QString::fromLatin1(extension)};
    if (data->hasImage()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (qvariant_cast<QImage>(data->imageData()).save(&buffer, "PNG")) return std::pair{png, QStringLiteral("png")};
    }
    return std::nullopt;
}

}  // namespace

bool CDrawView::CanPastePicture() const { return ClipboardPicture(QApplication::clipboard()->mimeData()).has_value(); }

CDrawRect* CDrawView::LinkPicture(const QString& file) {
    // At (10, 10), as large as the picture is at one pixel per unit.
    const QSize size = LinkedPictureSize(file).value_or(QSize(200, 200));
    auto link = std::make_shared<CDrawRect>(PageRect{10, 10, 10 + size.width(), 10 - size.height()});
    link->shape = CDrawRect::Link;
    link->name = CDrawRect::NamePrefix(CDrawRect::Link) + link->serialText;
    link->text = file;
    if (!m_services.draw.Edits().Add(link)) return nullptr;
    Select(link.get());
    return link.get();
}

void CDrawView::InsertObject() {
    if (!Writable()) return;
    const auto file = m_services.ui.ChooseFile(FileDialogKind::Open, QStringLiteral("Insert New Object"), kPictureFilter, QString());
    if (file) LinkPicture(*file);
}

void CDrawView::PastePicture() {
    const auto picture = ClipboardPicture(QApplication::clipboard()->mimeData());
    if (!picture || !Writable()) return;
    // Kept beside the annotation under a name of its own, so the link finds it wherever both go.
    const QFileInfo annotation(Page().annotationPath);
    const QDir folder = annotation.absoluteDir();
    QString path;
    for (int n = 1; path.isEmpty() || QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("%1_paste%2.%3").arg(annotation.completeBaseName()).arg(n).arg(picture->second));
    QString error;
    if (!SafeFile::Write(path, picture->first, &error)) {
        m_services.ui.MessageBox(QStringLiteral("Error:\nCan't save the pasted picture %1 (%2)").arg(path, error), MsgButtons::Ok,
                                 MsgIcon::Exclamation);
        return;
    }
    LinkPicture(path);
}

void CDrawView::OriginalSize() {
    DrawEdits& edits = m_services.draw.Edits();
    for (CDrawObj* object : SelectionCopy()) {
        const auto* link = dynamic_cast<CDrawRect*>(object);
        if (!link || link->shape != CDrawRect::Link) continue;
        const auto size = LinkedPictureSize(Page().ResolveLink(link->text));
        if (!size) continue;
        const PageRect b = link->bounds.Normalized();
        edits.Relocate(object, PageRect{b.left, b.top, std::int32_t(std::min<std::int64_t>(std::int64_t(b.left) + size->width(), INT32_MAX)),
                                        std::int32_t(std::max<std::int64_t>(std::int64_t(b.top) - size->height(), INT32_MIN))});
    }
}

void CDrawView::RegisterPictureCommands() {
    OnCommand(Cmd::DrawInsertObject, [this] { InsertObject(); }, [this](CommandState& s) { s.enabled = Writable(); });
    OnCommand(Cmd::DrawOriginalSize, [this] { OriginalSize(); }, [this](CommandState& s) {
        const auto* link = m_selection.size() == 1 ? dynamic_cast<const CDrawRect*>(m_selection.front()) : nullptr;
        s.enabled = CurrentDrawViewState().tool == DrawViewState::Select && link && link->shape == CDrawRect::Link && Writable();
    });
}
