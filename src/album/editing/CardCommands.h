#pragma once

#include "album/CFotoDB.h"

#include <QImage>
#include <QString>
#include <QStringList>

class CAlboraDoc;
class CardDialogs;
class CardListSurface;
class ProcessLauncher;
class SoundAnnotations;
class UiServices;

// What lives as long as the program: the cards last copied with "Copy card" and the last search.
struct EditingSession {
    CFotoDB cardClipboard;
    QString lastSearchText;
    QString lastSearchField = CFotoDB::kFieldName;
};

// The card commands of the card list: add, modify, delete, search, copy and paste cards, paste an
// image, dropped files, association, mail, rename and convert. They act on the selected rows
// of a CardListSurface and report through the Ui services.
class CardCommands {
public:
    struct Environment {
        CAlboraDoc& doc;
        UiServices& ui;
        CardDialogs& dialogs;
        CardListSurface& list;
        ProcessLauncher& launcher;
        SoundAnnotations& sound;
        EditingSession& session;
    };

    explicit CardCommands(Environment environment) : e(environment) {}

    // Enable rules.
    bool CanAdd() const;  // also Delete and Search
    bool HasSelection() const;
    bool CanPasteCard() const;
    bool CanAssociate() const;

    void Add();
    void Modify();
    void Delete();
    void Search();
    void ViewAllCards();
    void CopyCard();
    void PasteCard();
    // "Paste": IMAGE is the picture on the system clipboard (null when there is none).
    void PasteImage(const QImage& image);
    void DropFiles(const QStringList& paths);
    void Association();
    void Send();
    void Rename();
    void Convert();
    // A new card for FILENAME (capture, paste), selected in the list.
    void InsertImageAsCard(const QString& fileName);

private:
    // The card of a row; a row that points nowhere is treated as no selection.
    CFotoObj* Card(int index) const;
    // The card's file as found on this computer.
    QString FileOf(const CFotoObj& card) const;
    // The cards of GOING whose files no other card of the album names, each file once.
    std::vector<const CFotoObj*> CardsWithFilesOnlyTheyName(const std::vector<const CFotoObj*>& going) const;
    void OfferToErase(const std::vector<const CFotoObj*>& going);
    bool CheckObjectFile(const CFotoObj& card, const char* verb);
    void Changed(int hint = 0);

    Environment e;
};
