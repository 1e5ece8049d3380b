#pragma once

#include "DrawEdits.h"
#include "DrawPage.h"

#include "album/CAlboraDoc.h"
#include "platform/CommandTarget.h"

#include <QSize>
#include <QUndoStack>
#include <functional>
#include <optional>

class UiServices;

// What the New dialog asks.
struct NewAnnotationChoice {
    int width = DrawPage::kClearedWidth, height = DrawPage::kClearedHeight;
    bool fromTemplate = false;
    QString templateName = QStringLiteral("Normal.adw");
    QString imagePath;
    bool autoInsert = false;
    bool fix = false;
};

// The album document's drawing: the page bound to the current card, its undo stack and edits, and
// the annotation commands (new, load, merge, save, save as, properties, paper colour, read only).
class DrawAnnotation : public DrawAnnotationLink, public CommandTarget {
public:
    static inline const QString kFilter = QStringLiteral("AlboDraw Anotation (*.adw);;All Files (*)");
    static inline const QString kLabelsAssistant = QStringLiteral("Labels Assistant...");

    DrawAnnotation(CAlboraDoc& doc, UiServices& ui);
    ~DrawAnnotation() override;

    DrawPage& Page() { return m_page; }
    QUndoStack& UndoStack() { return m_undo; }
    DrawEdits& Edits() { return m_edits; }

    // Dialogs, behind seams so that the commands run headless: the New dialog (false when
    // cancelled), the colour chooser, and the default printer's page in millimetres.
    std::function<bool(NewAnnotationChoice&, const QStringList& templates)> chooseNew;
    std::function<std::optional<ColorRef>(ColorRef initial)> chooseColor;
    std::function<std::optional<QSizeF>()> printerPageMillimetres;
    // Brings the draw view forward, as New does at its end.
    std::function<void()> showDrawView;

    void LoadForCurrentCard() override;
    void Discard() override;
    // Changes that replacing the page would lose: not on a read-only page or one without a file.
    bool HasUnsavedChanges() const override;
    // Asks to save unsaved changes before the page is replaced; false when the user cancelled.
    bool AskToSave() override;
    void PrinterPageSize();
    // The template files shipped beside the program.
    QStringList Templates() const;

    // The commands; each returns whether it did its work.
    bool New();
    bool NewWith(const NewAnnotationChoice& choice);
    bool Load();
    bool LoadFile(const QString& path);
    bool Merge();
    bool MergeFile(const QString& path);
    bool Save();
    bool SaveAs();
    bool SaveTo(const QString& path);
    void Properties();
    bool PaperColor();
    bool MakeReadOnly();

    // Why the page's file was not read whole; empty when it was.
    const QString& Incomplete() const { return m_incomplete; }
    // Why the page's file was refused before any object was read (no annotation, a later
    // version's, unreadable); empty when it was not.
    const QString& Refused() const { return m_refused; }

private:
    void RegisterCommands();
    // Reads PATH into the page (appending); shows a refusal, tells an early stop.
    DrawPage::ReadResult ReadAnnotation(const QString& path);
    // READ over the bytes of PATH, or a refusal saying why the file cannot be read.
    static DrawPage::ReadResult ReadFile(const QString& path, const std::function<DrawPage::ReadResult(QByteArrayView)>& read);
    bool WriteAnnotation(const QString& path);
    void Replaced();
    QString FindLink(const QString& text) const;

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    DrawPage m_page;
    QUndoStack m_undo;
    DrawEdits m_edits;
    QString m_incomplete;
    QString m_incompleteFile;
    QString m_refused;
    // The card the page was last bound to (or refused to leave).
    int m_boundIndex = -1;
    QString m_boundFile;
};
