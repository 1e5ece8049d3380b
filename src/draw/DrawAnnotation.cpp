#include "DrawAnnotation.h"

#include "album/CFotoObj.h"
#include "image/CImageObject.h"
#include "image/Orientation.h"
#include "platform/CTime.h"
#include "platform/CommandIds.h"
#include "platform/ProgramPaths.h"
#include "platform/RegularFile.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <ctime>

namespace {

QString Now() { return CTime::Format(DrawPage::kTimeFormat, std::time(nullptr)).value_or(QString()); }

}  // namespace

DrawAnnotation::DrawAnnotation(CAlboraDoc& doc, UiServices& ui) : m_doc(doc), m_ui(ui), m_edits(m_page, m_undo, ui) {
    m_page.createdText = Now();
    m_page.notify = [this](int hint, const CDrawObj* object) {
        m_doc.UpdateAllViews(nullptr, hint, const_cast<CDrawObj*>(object));
    };
    m_page.linkResolver = [this](const QString& text) { return FindLink(text); };
    // Undoing back to what was saved is saved again.
    QObject::connect(&m_undo, &QUndoStack::indexChanged, [this] {
        if (!m_edits.InProgress()) m_page.saved = m_undo.isClean() ? 1 : 0;
    });
    m_doc.SetDrawAnnotationLink(this);
    RegisterCommands();
}

DrawAnnotation::~DrawAnnotation() { m_doc.SetDrawAnnotationLink(nullptr); }

void DrawAnnotation::RegisterCommands() {
    const auto writable = [this](CommandState& s) { s.enabled = !m_page.IsReadOnly(); };
    OnCommand(Cmd::NewDrawAnnotation, [this] { New(); });
    OnCommand(Cmd::LoadDrawAnnotation, [this] { Load(); });
    OnCommand(Cmd::MergeDrawAnnotation, [this] { Merge(); });
    OnCommand(Cmd::SaveDrawAnnotation, [this] { Save(); }, [this](CommandState& s) { s.enabled = m_page.saved == 0; });
    OnCommand(Cmd::SaveDrawAnnotationAs, [this] { SaveAs(); });
    OnCommand(Cmd::DrawAnnotationProperties, [this] { Properties(); });
    OnCommand(Cmd::DrawPaperColor, [this] { PaperColor(); });
    OnCommand(Cmd::DrawMakeReadOnly, [this] { MakeReadOnly(); }, writable);
}

QString DrawAnnotation::FindLink(const QString& text) const {
    if (text.isEmpty() || QFileInfo(text).isFile()) return text;
    // A link made on another computer: its file beside the annotation, or where the album's cards are.
    const QString name = text.mid(std::max(text.lastIndexOf('/'), text.lastIndexOf('\\')) + 1);
    const QString beside = QFileInfo(m_page.annotationPath).dir().filePath(name);
    if (!name.isEmpty() && QFileInfo(beside).isFile()) return beside;
    return m_doc.CardFiles().Resolve(text);
}

void DrawAnnotation::Replaced() {
    m_undo.clear();
    m_page.ResetFlags();
    m_incomplete.clear();
    m_incompleteFile.clear();
    m_refused.clear();
}

bool DrawAnnotation::HasUnsavedChanges() const {
    return !m_page.IsReadOnly() && !m_page.saved && !m_page.annotationPath.isEmpty();
}

bool DrawAnnotation::AskToSave() {
    if (!HasUnsavedChanges()) return true;
    switch (m_ui.MessageBox(QStringLiteral("Save draw anotation ?:\n") + m_page.annotationPath, MsgButtons::YesNoCancel,
                            MsgIcon::Question)) {
        case MsgAnswer::Yes: return Save();
        case MsgAnswer::No: m_page.saved = 1; return true;
        default: return false;
    }
}

void DrawAnnotation::LoadForCurrentCard() {
    const int index = m_doc.m_nCurrent;
    const CFotoObj* card = m_doc.Db().GetAt(index);
    // The document and the draw view both pass a change of card on: it is handled, or refused,
    // once.
    const QString file = card ? m_doc.CardFile(index) : QString();
    if (index == m_boundIndex && file == m_boundFile) return;
    m_boundIndex = index;
    m_boundFile = file;
    if (!AskToSave()) return;
    if (!card || card->m_strGraphic.isEmpty()) return;
    QString path = AnnotationFileName(file);
    // Notes made by earlier versions were named after the first dot of the whole path.
    if (const QString legacy = LegacyCompanionFileName(file, QStringLiteral(".adw"));
        !QFileInfo::exists(path) && QFileInfo(legacy).isFile())
        path = legacy;
    m_page.Clear();
    Replaced();
    m_page.annotationPath = path;
    if (QFileInfo(path).isFile()) {
        ReadAnnotation(path);
        m_page.RedrawAll();
        if (m_incomplete.isEmpty()) m_ui.SetStatusText(0, QStringLiteral("Anotation loaded..."));
    } else {
        m_page.createdText = Now();
    }
}

void DrawAnnotation::Discard() {
    m_boundIndex = -1;
    m_boundFile.clear();
    m_page.Clear();
    Replaced();
    m_page.saved = 1;
}

DrawPage::ReadResult DrawAnnotation::ReadAnnotation(const QString& path) {
    const DrawPage::ReadResult result = ReadFile(path, [this](QByteArrayView bytes) { return m_page.Deserialize(bytes); });
    if (!result.refusal.isEmpty()) {
        m_refused = result.error;
        m_ui.MessageBox(result.refusal, MsgButtons::Ok, MsgIcon::Exclamation);
    } else if (!result.complete) {
        // What was read stays; saving over the file would cut off the rest, so Save asks first.
        m_incomplete = result.error;
        m_incompleteFile = QFileInfo(path).absoluteFilePath();
        m_ui.SetStatusText(0, QStringLiteral("Anotation read in part: %1").arg(result.error));
    }
    return result;
}

bool DrawAnnotation::WriteAnnotation(const QString& path) {
    if (!m_incompleteFile.isEmpty() && QFileInfo(path).absoluteFilePath() == m_incompleteFile &&
        m_ui.MessageBox(QStringLiteral("%1\nwas read only in part (%2).\nSaving replaces the whole file with what "
                                       "was read. Save it ?")
                            .arg(path, m_incomplete),
                        MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return false;
    const int wasSaved = m_page.saved;
    const QByteArray bytes = m_page.Serialize();
    QString error;
    if (!SafeFile::Write(path, bytes, &error)) {
        m_page.saved = wasSaved;
        m_ui.MessageBox(QStringLiteral("Error:\nCan't save draw anotation!:\n") + path +
                            (error.isEmpty() ? QString() : QStringLiteral("\n(%1)").arg(error)),
                        MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    if (QFileInfo(path).absoluteFilePath() == m_incompleteFile) {
        m_incomplete.clear();
        m_incompleteFile.clear();
    }
    return true;
}

void DrawAnnotation::PrinterPageSize() {
    const std::optional<QSizeF> mm = printerPageMillimetres ? printerPageMillimetres() : std::nullopt;
    if (!mm) return;
    const auto units = [](double millimetres) { return std::int32_t(std::lround(millimetres * 1000 / 254)); };
    const std::int32_t width = units(mm->width()), height = units(mm->height());
    if (width == m_page.pageWidth && height == m_page.pageHeight) return;
    m_page.pageWidth = width;
    m_page.pageHeight = height;
    m_page.RedrawAll();
}

QStringList DrawAnnotation::Templates() const {
    const QString folder = ProgramPaths::FindShippedFile(QStringLiteral("TEMPLATE"));
    if (folder.isEmpty()) return {};
    QStringList names;
    for (const QFileInfo& file : QDir(folder).entryInfoList({QStringLiteral("*.ad*")}, QDir::Files, QDir::Name))
        if (file.isWritable() || file.isReadable()) names << file.fileName();
    return names;
}

bool DrawAnnotation::New() {
    if (!AskToSave()) return false;
    PrinterPageSize();
    NewAnnotationChoice choice;
    choice.width = m_page.pageWidth;
    choice.height = m_page.pageHeight;
    const int index = m_doc.m_nCurrent;
    if (index >= 0 && index < m_doc.Db().GetCount()) choice.imagePath = m_doc.Db().GetAt(index)->m_strGraphic;
    choice.autoInsert = !choice.imagePath.isEmpty();
    if (chooseNew && !chooseNew(choice, Templates())) return false;
    return NewWith(choice);
}

bool DrawAnnotation::NewWith(const NewAnnotationChoice& choice) {
    m_page.Clear();
    Replaced();
    const int index = m_doc.m_nCurrent;
    const QString image = choice.imagePath.isEmpty() ? QString() : m_doc.CardFiles().Resolve(choice.imagePath);
    const QString card = index >= 0 && index < m_doc.Db().GetCount() ? m_doc.CardFile(index) : QString();
    m_page.annotationPath = card.isEmpty() ? QStringLiteral("untitled.adw") : AnnotationFileName(card);
    m_page.pageWidth = choice.width;
    m_page.pageHeight = choice.height;
    m_page.createdText = Now();
    m_page.saved = 0;
    if (choice.fromTemplate) {
        if (choice.templateName == kLabelsAssistant)
            m_ui.MessageBox(QStringLiteral("Not implemented:\n") + choice.templateName, MsgButtons::Ok, MsgIcon::Information);
        const QString folder = ProgramPaths::FindShippedFile(QStringLiteral("TEMPLATE"));
        const QString path = QDir(folder.isEmpty() ? QStringLiteral("TEMPLATE") : folder).filePath(choice.templateName);
        if (!folder.isEmpty() && QFileInfo(path).isFile()) {
            ReadAnnotation(path);
            m_incompleteFile.clear();
            m_page.saved = 0;
        } else if (choice.templateName != kLabelsAssistant) {
            m_ui.MessageBox(QStringLiteral("Error:\nCan't find template file!:\n") + path, MsgButtons::Ok, MsgIcon::Exclamation);
        }
    }
    if (choice.autoInsert && !choice.imagePath.isEmpty()) {
        const CImageObject picture(image);
        if (!picture.IsValid()) {
            m_ui.MessageBox(QStringLiteral("Error:\nReading file: ") + choice.imagePath, MsgButtons::Ok, MsgIcon::Exclamation);
            return false;
        }
        // The link shows the picture upright, so its rectangle has the upright shape.
        const bool sideways = Orientation::OfFile(image) >= 5;
        const int uprightWidth = sideways ? picture.GetHeight() : picture.GetWidth();
        const int uprightHeight = sideways ? picture.GetWidth() : picture.GetHeight();
        // A photo larger than the page is shrunk in proportion to lie on it whole; a smaller one
        // keeps its size.
        const double fit = std::min({1.0, double(m_page.pageWidth) / uprightWidth,
                                     double(m_page.pageHeight) / uprightHeight});
        const auto w = std::int32_t(std::max(1L, std::lround(uprightWidth * fit)));
        const auto h = std::int32_t(std::max(1L, std::lround(uprightHeight * fit)));
        const QString name = index >= 0 && index < m_doc.Db().GetCount() ? m_doc.Db().GetAt(index)->m_strName : QString();
        auto link = std::make_shared<CDrawRect>(PageRect{-w / 2, h / 2, w / 2, -h / 2}, CDrawRect::Link, name,
                                                choice.imagePath, QString());
        if (m_page.Add(link)) {
            if (choice.fix) link->SetFixed(1);
            link->Repaint();
        }
        m_page.saved = 0;
    }
    if (showDrawView) showDrawView();
    m_doc.UpdateAllViews(nullptr, Hint::DrawChanged);
    m_ui.SetStatusText(0, QStringLiteral("New anotation created..."));
    return true;
}

bool DrawAnnotation::Load() {
    if (!AskToSave()) return false;
    const auto path = m_ui.ChooseFile(FileDialogKind::Open, QStringLiteral("Load anotation"), kFilter, QString());
    return path && LoadFile(*path);
}

bool DrawAnnotation::LoadFile(const QString& path) {
    m_page.Clear();
    Replaced();
    if (!QFileInfo(path).isFile()) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't find file!:\n") + path, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    m_page.annotationPath = path;
    ReadAnnotation(path);
    m_page.RedrawAll();
    m_page.saved = 1;
    if (m_incomplete.isEmpty()) m_ui.SetStatusText(0, QStringLiteral("Anotation loaded..."));
    return true;
}

bool DrawAnnotation::Merge() {
    if (m_page.IsReadOnly()) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't merge on a read-only draw anotation!"), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    const auto path = m_ui.ChooseFile(FileDialogKind::Open, QStringLiteral("Merge anotation"), kFilter, QString());
    return path && MergeFile(*path);
}

bool DrawAnnotation::MergeFile(const QString& path) {
    if (m_page.IsReadOnly()) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't merge on a read-only draw anotation!"), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (!QFileInfo::exists(path)) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't find file!:\n") + path, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    const DrawPage::ReadResult result = ReadFile(path, [this](QByteArrayView bytes) { return m_edits.Merge(bytes); });
    if (!result.refusal.isEmpty()) m_ui.MessageBox(result.refusal, MsgButtons::Ok, MsgIcon::Exclamation);
    else if (!result.complete) m_ui.SetStatusText(0, QStringLiteral("Anotation read in part: %1").arg(result.error));
    if (result.complete) m_ui.SetStatusText(0, QStringLiteral("Anotation loaded and merged..."));
    return result.complete;
}

DrawPage::ReadResult DrawAnnotation::ReadFile(const QString& path,
                                              const std::function<DrawPage::ReadResult(QByteArrayView)>& read) {
    QString reason;
    if (const std::optional<QByteArray> bytes = ReadRegularFile(path, DrawPage::kMaxFileBytes, &reason)) return read(*bytes);
    DrawPage::ReadResult result;
    result.complete = false;
    result.error = reason;
    result.refusal = QStringLiteral("Error:\nCan't read draw anotation!:\n%1\n(%2)").arg(path, reason);
    return result;
}

bool DrawAnnotation::Save() {
    if (m_page.IsReadOnly()) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't save a read-only draw anotation!"), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (m_page.annotationPath.isEmpty() && m_page.saved == 0) {
        const auto path = m_ui.ChooseFile(FileDialogKind::Save, QStringLiteral("Save Draw Anotation As"), kFilter, DrawPage::kUnnamed);
        if (!path) return false;
        m_page.annotationPath = AnnotationFileName(*path);
    }
    if (!WriteAnnotation(m_page.annotationPath)) return false;
    m_undo.setClean();
    m_page.saved = 1;
    m_ui.SetStatusText(0, QStringLiteral("Anotation saved..."));
    return true;
}

bool DrawAnnotation::SaveAs() {
    if (m_page.IsReadOnly()) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't save a read-only draw anotation!"), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    const auto path = m_ui.ChooseFile(FileDialogKind::Save, QStringLiteral("Save Draw Anotation As"), kFilter, DrawPage::kUnnamed);
    return path && SaveTo(*path);
}

bool DrawAnnotation::SaveTo(const QString& path) {
    if (!WriteAnnotation(path)) return false;
    m_undo.setClean();
    m_page.saved = 1;
    m_ui.SetStatusText(0, QStringLiteral("Anotation saved..."));
    return true;
}

void DrawAnnotation::Properties() {
    m_ui.MessageBox(QStringLiteral("File name:\t%1\nSize:\t\t(%2,%3)\n# Objects:\t%4\nSaved:\t\t%5")
                        .arg(m_page.annotationPath)
                        .arg(m_page.pageWidth)
                        .arg(m_page.pageHeight)
                        .arg(m_page.objects.size())
                        .arg(m_page.saved ? QStringLiteral("Yes") : QStringLiteral("No")),
                    MsgButtons::Ok, MsgIcon::Information);
}

bool DrawAnnotation::PaperColor() {
    if (m_page.IsReadOnly()) return false;
    const std::optional<ColorRef> color = chooseColor ? chooseColor(0) : std::nullopt;
    if (!color) return false;
    m_edits.SetPaper(*color);
    m_ui.SetStatusText(0, QStringLiteral("Paper color changed..."));
    return true;
}

bool DrawAnnotation::MakeReadOnly() {
    if (m_page.IsReadOnly()) return false;
    if (m_ui.MessageBox(m_page.annotationPath + QStringLiteral("\nAbout to make this file anotation read-only\nAre you shure ?"),
                        MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return false;
    m_page.pageFlags |= DrawPage::kReadOnly;
    for (const auto& object : m_page.objects) object->SetFixed(1);
    // The page cannot change from now on: there is nothing left to undo.
    m_undo.clear();
    const bool written = WriteAnnotation(m_page.annotationPath);
    if (written) m_page.saved = 1;
    return written;
}
