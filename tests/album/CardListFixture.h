#pragma once

#include "TestDoubles.h"
#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "album/editing/CardDialogs.h"
#include "album/ui/CAlboraView.h"
#include "album/ui/CardListModel.h"
#include "platform/HeadlessUi.h"
#include "platform/MainWindowServices.h"
#include "platform/ProcessLauncher.h"
#include "platform/media/MciInterpreter.h"
#include "platform/media/SoundPlayer.h"
#include "sound/SoundAnnotations.h"

#include <QItemSelectionModel>
#include <QTreeView>
#include <deque>
#include <functional>

// Dialog answers from a script: each question takes the next answer of its kind.
class ScriptedCardDialogs : public CardDialogs {
public:
    std::deque<std::function<bool(CFotoObj&)>> edits;
    std::deque<std::pair<QString, QString>> searches;  // text, field; empty text cancels
    std::deque<std::pair<QString, bool>> renames;       // new name, preserve
    std::deque<std::pair<QString, bool>> converts;      // format, preserve
    int editCalls = 0;

    bool EditCard(CFotoObj& card) override {
        ++editCalls;
        if (edits.empty()) return false;
        auto edit = edits.front();
        edits.pop_front();
        return edit(card);
    }
    bool AskSearch(QString& text, QString& field) override {
        if (searches.empty()) return false;
        std::tie(text, field) = searches.front();
        searches.pop_front();
        return !text.isEmpty();
    }
    bool AskRename(const QString&, const QString&, QString& newName, bool& preserve) override {
        if (renames.empty()) return false;
        std::tie(newName, preserve) = renames.front();
        renames.pop_front();
        return true;
    }
    bool AskConvert(const QString&, QString& format, bool& preserve) override {
        if (converts.empty()) return false;
        std::tie(format, preserve) = converts.front();
        converts.pop_front();
        return true;
    }
};

// A card list view over a document, with headless answers for everything it asks.
struct CardListFixture {
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};
    ScriptedCardDialogs dialogs;
    RecordingLauncher launcher;
    MciInterpreter mci{QStringLiteral("audiotestsrc is-live=true")};
    SoundPlayer player;
    SoundAnnotations sound{ui, settings, mci, player};
    EditingSession session;
    RecordingMainWindow mainWindow;
    CAlboraView view{doc, {ui, dialogs, launcher, sound, session, &mainWindow, nullptr}};
    HintLog other;

    CardListFixture() { doc.AddView(&other); }

    void AddCards(const QStringList& names, const QStringList& graphics = {}) {
        for (qsizetype i = 0; i < names.size(); ++i) {
            auto card = std::make_shared<CFotoObj>();
            card->m_strName = names[i];
            card->m_strGraphic = graphics.value(i);
            doc.Db().List().AddTail(card);
        }
        view.RebuildAll(true);
    }
    void Select(std::initializer_list<int> rows) {
        view.List()->clearSelection();
        for (int row : rows)
            view.List()->selectionModel()->select(view.Model()->index(row, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList Names() const {
        QStringList names;
        for (int i = 0; i < doc.Db().List().GetCount(); ++i) names << doc.Db().List().GetAt(i)->m_strName;
        return names;
    }
    QStringList RowNames() const {
        QStringList names;
        for (int r = 0; r < view.Model()->rowCount(); ++r) names << view.Model()->RowAt(r).texts[0];
        return names;
    }
    std::vector<int> RowCards() const {
        std::vector<int> cards;
        for (int r = 0; r < view.Model()->rowCount(); ++r) cards.push_back(view.Model()->RowAt(r).card);
        return cards;
    }
};
