#include "CImgView.h"

#include "ImageClipboard.h"
#include "ImageViewDialogs.h"
#include "MoviePlayer.h"
#include "ViewPainting.h"

#include "album/CAlboraDoc.h"
#include "image/Orientation.h"
#include "album/CAppSettings.h"
#include "platform/CommandIds.h"
#include "platform/UiServices.h"
#include "platform/widgets/CommandActions.h"
#include "platform/widgets/PrintDialogs.h"
#include "sound/SoundAnnotations.h"

#include <QFileInfo>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

bool CImgView::s_showInfo = true;

namespace {
const QString kExportFilter = QStringLiteral(
    "Bitmaps (*.bmp);;DIBs (*.dib);;Compuserve (*.gif);;JPEG (*.jpg *.jpeg);;Png (*.png);;All (*)");
}

CImgView::CImgView(CAlboraDoc& doc, Services services, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_services(services), m_zoom(ImageZoom::FromSetting(doc.Settings().ImageZoom)) {
    s_showInfo = doc.Settings().flgInfo != 0;
    viewport()->setCursor(Qt::CrossCursor);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    RegisterCommands();
    RegisterTransforms();
    m_doc.AddView(this);
}

CImgView::~CImgView() = default;

void CImgView::RegisterCommands() {
    const auto valid = [this](CommandState& s) { s.enabled = HasImage() && !m_busy; };
    RegisterZoomCommands();
    OnCommand(Cmd::ShowInfo, [this] {
        s_showInfo = !s_showInfo;
        viewport()->update();
    }, [](CommandState& s) { s.checked = s_showInfo; });
    OnCommand(Cmd::EditCopy, [this] { CopyToClipboard(); }, valid);
    OnCommand(Cmd::ImageInformation, [this] { ShowImageInformation(); });
    OnCommand(Cmd::ExportImage, [this] { Export(); }, valid);
    OnCommand(Cmd::SaveTransform, [this] { SavePrompt(); },
              [this](CommandState& s) { s.enabled = HasImage() && m_modified; });
    OnCommand(Cmd::EditUndo, [this] { Undo(); },
              [this](CommandState& s) { s.enabled = HasImage() && !m_fileName.isEmpty() && m_modified; });
    OnCommand(Cmd::SelectNone, [this] {
        m_selection = QRect();
        m_tracker.Clear();
        viewport()->update();
    }, [this](CommandState& s) { s.enabled = !m_selection.isEmpty(); });
    OnCommand(Cmd::SoundPlay, [this] { m_services.sound.PlaySound(m_fileName); }, [this](CommandState& s) {
        s.enabled = HasImage() && SoundAnnotations::HasSound(m_fileName);
    });
    OnCommand(Cmd::SoundRecord, [this] { m_services.sound.RecordSound(m_fileName); }, valid);
    OnCommand(Cmd::PlayMovie, [this] { (new MoviePlayer(m_fileName, window()))->show(); },
              [this](CommandState& s) { s.enabled = !m_fileName.isEmpty() && QFileInfo::exists(m_fileName); });
    OnCommand(Cmd::FilePrint, [this] { PrintWithDialog(false); }, valid);
    OnCommand(Cmd::FilePrintPreview, [this] { PrintWithDialog(true); }, valid);
}

void CImgView::OnUpdate(View*, int hint, void*) {
    if (hint >= Hint::DrawChanged && hint <= Hint::DrawViewLast) return;
    LoadCurrentCard();
}

void CImgView::LoadCurrentCard() {
    WaitCursor wait(m_services.ui);
    m_message.clear();
    SavePrompt();
    m_modified = false;
    const CFotoObj* card = m_doc.CurrentCard();
    if (!card) {
        SetImage(CImageObject());
        m_message = QStringLiteral("Not selected");
        viewport()->update();
        return;
    }
    const QString file = m_doc.CardFile(m_doc.m_nCurrent);
    if (!QFileInfo::exists(file)) m_message = QStringLiteral("Error:\nFile not found:\n") + file;
    CImageObject image;
    if (Orientation::LoadUpright(image, file) && image.GetWidth() > 0 && image.GetHeight() > 0) {
        SetImage(std::move(image));
    } else {
        SetImage(CImageObject());
        m_message = QStringLiteral("Error: Can't open image file: ") + file;
    }
    m_fileName = file;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    if (m_fullScreen) m_fullScreen->SetPicture(m_bitmap);
    viewport()->update();
}

void CImgView::SetImage(CImageObject image) {
    m_image = std::move(image);
    m_bitmap = m_image.MakeBitmap();
    m_selection = QRect();
    m_tracker.Clear();
    UpdateScrollBars();
}

void CImgView::SetSelection(const QRect& rect) {
    m_tracker.SetRect(rect);
    TakeSelectionFromTracker();
    viewport()->update();
}

void CImgView::SavePrompt() {
    if (!m_modified) return;
    if (m_services.ui.MessageBox(QStringLiteral("Modified image: ") + m_fileName +
                                     QStringLiteral("\nSave transformed image?"),
                                 MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    if (m_image.Save(m_fileName))
        m_modified = false;
    else
        ReportSaveFailure(m_image);
    // Thumbnails and lists follow the new picture; this view loads it again.
    m_doc.UpdateAllViews(nullptr, Hint::Rebuild);
}

void CImgView::ReportSaveFailure(const CImageObject& image) {
    const QString reason = image.WriteError();
    m_services.ui.MessageBox(QStringLiteral("Error:\nCan't save file!") + (reason.isEmpty() ? QString() : "\n" + reason),
                             MsgButtons::Ok, MsgIcon::Exclamation);
}

void CImgView::Undo() {
    CImageObject image;
    if (Orientation::LoadUpright(image, m_fileName) && image.GetWidth() > 0)
        SetImage(std::move(image));
    else
        SetImage(CImageObject());
    m_modified = false;
    viewport()->update();
}

void CImgView::Export() {
    if (!HasImage()) {
        m_services.ui.Beep();
        return;
    }
    const auto path = m_services.ui.ChooseFile(FileDialogKind::Save, QStringLiteral("Export image"),
                                               kExportFilter, QStringLiteral("export.bmp"));
    if (!path) return;
    // A copy is saved, so the view keeps its picture, its type and its modified state.
    CImageObject copy = m_image.Clone();
    if (!copy.Save(*path)) ReportSaveFailure(copy);
}

void CImgView::ShowImageInformation() {
    if (!HasImage()) return;
    m_services.ui.MessageBox(ViewPainting::InformationText(m_fileName, m_image), MsgButtons::Ok, MsgIcon::Information);
}

void CImgView::CopyToClipboard() {
    if (!HasImage()) return;
    if (m_selection.isEmpty()) {
        ImageClipboard::CopyWholeImage(m_image);
        return;
    }
    const CImageObject part = ImageTransforms::Crop(m_image, m_selection);
    if (!part.IsValid()) return;
    ImageClipboard::CopyBitmap(part);
    m_services.ui.SetStatusTextF(0, "Copied croped image, new size: (%d,%d)", part.GetWidth(), part.GetHeight());
}

void CImgView::ApplyTransform(std::optional<CImageObject> result, const QString& status) {
    if (!result || !result->IsValid()) {
        m_services.ui.MessageBox(QStringLiteral("Error:\nCannot allocate memory for operation."), MsgButtons::Ok,
                                 MsgIcon::Exclamation);
        return;
    }
    SetImage(std::move(*result));
    m_modified = true;
    if (!status.isEmpty()) m_services.ui.SetStatusText(0, status);
    viewport()->update();
}

void CImgView::ShowContextMenu(const QPoint& globalPos) {
    if (!m_services.actions) return;
    QMenu menu(window());
    CommandActions& a = *m_services.actions;
    a.Fill(&menu, {Cmd::ZoomFit, Cmd::ZoomEighth, Cmd::ZoomQuarter, Cmd::ZoomHalf, Cmd::Zoom1, Cmd::Zoom2, Cmd::Zoom3,
                   Cmd::Zoom4, Cmd::Zoom5, 0, Cmd::StretchImage, Cmd::ShowInfo, Cmd::FullScreen, 0,
                   Cmd::EditCopy, Cmd::ImageInformation, Cmd::ExportImage, Cmd::SaveTransform, Cmd::EditUndo, 0,
                   Cmd::ImageSize, Cmd::ImageRotate, Cmd::ImageRotate180, Cmd::ImageRotate90CW,
                   Cmd::ImageRotate90CCW, Cmd::ImageFlipHorizontal, Cmd::ImageFlipVertical, Cmd::ImageCrop,
                   Cmd::ColorVariation, Cmd::BrightnessContrast, 0, Cmd::SelectNone});
    QMenu* sound = menu.addMenu(QStringLiteral("&Sound anotations"));
    a.Fill(sound, {Cmd::SoundPlay, Cmd::SoundRecord});
    a.Fill(&menu, {Cmd::PlayMovie, 0, Cmd::FilePrint, Cmd::FilePrintPreview});
    a.Refresh();
    menu.exec(globalPos);
}

void CImgView::contextMenuEvent(QContextMenuEvent* event) {
    ShowContextMenu(event->reason() == QContextMenuEvent::Keyboard ? viewport()->mapToGlobal(QPoint(5, 5))
                                                                    : event->globalPos());
}

void CImgView::Print(QPrinter& printer) {
    if (!HasImage()) return;
    const CAppSettings& s = m_doc.Settings();
    QPainter painter;
    if (!painter.begin(&printer)) return;
    // The picture keeps its proportions on paper: the width between the margins sets the height.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int width = page.width() - s.MarXIzqBorde - s.MarXDerBorde;
    const int height = int(qint64(m_image.GetHeight()) * printer.logicalDpiY() * width /
                           (qint64(m_image.GetWidth()) * printer.logicalDpiX()));
    m_image.Stretch(&painter, s.MarXIzqBorde, s.MarYArribaBorde, width, height);
    painter.end();
}

void CImgView::PrintWithDialog(bool preview) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(600);
    printer.setDocName(QFileInfo(m_fileName).fileName());
    PrintOrPreview(this, printer, preview, [this](QPrinter& target) { Print(target); });
}
