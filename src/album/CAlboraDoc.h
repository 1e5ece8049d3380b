#pragma once

#include "CFotoDB.h"
#include "CardFileResolver.h"
#include "NameCounter.h"

#include "platform/CommandTarget.h"
#include "platform/Document.h"

#include <QTimer>
#include <functional>

class CAppSettings;

// What the document tells its views with UpdateAllViews.
namespace Hint {
constexpr int Rebuild = 0;
constexpr int DrawChanged = 1;        // 1 to 5: draw annotation changes
constexpr int DrawViewLast = 5;
constexpr int ViewCurrent = 500;      // the current card was chosen for viewing
constexpr int SelectionOnly = 501;    // only the selection changed
}  // namespace Hint

// The fields of the "Album information" dialog.
struct AlbumInfoFields {
    QString name;
    QString description;
    QString author;
    QString directory;
    std::uint32_t created = 0;
    int total = 0;
};

// The draw-annotation side as the document sees it: told when the current card changes and when
// the album's contents go away, and asked about its unsaved changes before either.
class DrawAnnotationLink {
public:
    virtual ~DrawAnnotationLink() = default;
    virtual void LoadForCurrentCard() = 0;
    virtual void Discard() = 0;
    virtual bool HasUnsavedChanges() const = 0;
    // Asks to save the unsaved changes; false when the user cancelled or saving failed.
    virtual bool AskToSave() = 0;
};

// The one open album: the store, the current card, the naming rules, navigation and the timed
// run through the cards.
class CAlboraDoc : public Document, public CommandTarget {
    Q_OBJECT

public:
    static constexpr int kRunPeriodMs = 2000;
    static inline const QString kFileFilter = QStringLiteral("Albora Files (*.crp)");
    static inline const QString kExtension = QStringLiteral(".crp");

    enum class ImageCounter { General, CaptureDialog, Video };

    CAlboraDoc(UiServices& ui, CAppSettings& settings);

    // Asked to edit the album information; returns false when the user cancelled. Without an
    // editor the fields are taken as they are.
    std::function<bool(AlbumInfoFields&)> editAlbumInfo;
    void SetDrawAnnotationLink(DrawAnnotationLink* link) { m_pDrawLink = link; }

    CFotoDB& Db() { return m_db; }
    const CFotoDB& Db() const { return m_db; }
    CAppSettings& Settings() const { return m_settings; }
    CFotoObj* CurrentCard() const { return m_db.GetAt(m_nCurrent); }
    // Whether the drawing of the current card has changes not saved.
    bool DrawingModified() const { return m_pDrawLink && m_pDrawLink->HasUnsavedChanges(); }
    // The drawing first, then the album.
    bool SaveModified() override;
    // Whether card INDEX may become the current card: a changed drawing is asked about first.
    // False when the user kept it; a run through the cards stops there too.
    bool MayMoveTo(int index);
    // Makes card INDEX (its file FILE) the current card once MayMoveTo allows it; false when
    // the user kept the drawing's card. The caller tells the views.
    bool MakeCurrent(int index, const QString& file);
    // Where the album's card files are found on this computer.
    const CardFileResolver& CardFiles() const;
    // The file of card INDEX of the working list as found here; empty without such a card.
    QString CardFile(int index) const;

    int AddFileAsCard(const QString& path);
    // A new card for a picture just made (captured, scanned, pasted): named after FILENAME, dated
    // now, in name order among all cards (a search result gives way to the album).
    // The other views are told; SENDER updates itself. The card's index.
    int InsertImageAsCard(const QString& fileName, View* sender = nullptr);
    bool NewAlbumFromFolder(const QString& folder);
    // A new album as proposed, without asking for its information: the one the program starts
    // with when no album is named.
    bool FileNewUnasked();
    // The folder the album's pictures go to, made and made current first when it is a new
    // album's proposed folder; empty when the album names none.
    QString AlbumFolder();
    // Empty when every candidate name exists.
    QString NextImageFileName(ImageCounter counter = ImageCounter::General);
    QString NextAlbumFolderName();

    // The working list's cards in the order the card list shows them (it may sort them); unset,
    // the album's own order. The views' step keys follow it.
    std::function<std::vector<int>()> shownOrder;
    // Makes current the card DIRECTION places from the current one in the shown order; nothing
    // past either end.
    void StepShown(int direction);

    // Navigation and the run, as the commands do them.
    void GoTop();
    void GoPrev();
    void GoNext();
    void GoBottom();
    void Run();
    void Stop();
    // One tick of the run timer.
    void OnRunTick();
    void EditAlbumInformation();

    QString m_strCurrentFile;
    int m_nCurrent = -1;
    int m_bRunning = 0;

protected:
    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;
    void DeleteContents() override;
    QString FileFilter() const override { return kFileFilter; }
    QString DefaultExtension() const override { return kExtension; }

private:
    void RegisterCommands();
    void GoTo(int index);
    void CurrentCardChanged();
    bool EditInfo(AlbumInfoFields& fields);
    QString ImagePattern(const QString& extension) const;
    void MakeAlbumFolder(const QString& dir);

    CAppSettings& m_settings;
    CFotoDB m_db;
    QTimer m_runTimer;
    DrawAnnotationLink* m_pDrawLink = nullptr;
    bool m_bFromFolder = false;
    bool m_bUnasked = false;
    // A new album's folder, accepted but not made yet.
    QString m_proposedFolder;
    NameCounter m_albumFolderCounter;
    NameCounter m_imageCounters[3];
    mutable CardFileResolver m_cardFiles;
};
