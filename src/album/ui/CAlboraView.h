#pragma once

#include "CardListModel.h"
#include "album/editing/CardCommands.h"
#include "album/editing/CardListSurface.h"
#include "album/Placeholders.h"
#include "platform/CommandTarget.h"
#include "platform/Document.h"

#include <QWidget>
#include <memory>

class CardListModel;
class CommandActions;
class MainWindowServices;
class QPrinter;
class QTreeView;

// The card list: one row per card of the working list with its name, object file, date and
// description; sorted by a click on a column; the home of the card commands.
class CAlboraView : public QWidget, public View, public CommandTarget, public CardListSurface {
    Q_OBJECT

public:
    struct Services {
        UiServices& ui;
        CardDialogs& dialogs;
        ProcessLauncher& launcher;
        SoundAnnotations& sound;
        EditingSession& session;
        MainWindowServices* mainWindow;  // may be null
        CommandActions* actions;         // for the context menu; may be null
    };

    CAlboraView(CAlboraDoc& doc, Services services, QWidget* parent = nullptr);
    ~CAlboraView() override;

    void OnUpdate(View* sender, int hint, void* object) override;

    // CardListSurface.
    std::vector<int> SelectedCards() const override;
    void RebuildAll(bool recreateColumns) override;
    void RebuildRowOf(int card) override;
    void RemoveRowOf(int card) override;
    void AddRowFor(int card) override;
    void SelectOnly(int card) override;
    View* SenderView() override { return this; }

    // Sorts by column C as a click on its header does.
    void SortByColumn(int column);
    int SortColumn() const { return m_nSortColumn; }
    bool SortAscending() const { return m_bSortAscending; }
    void ViewCurrentImage();
    // Runs a utility definition on the first selected card, asking first; false on failure.
    bool RunUtility(const QString& definition);
    // The framework's print commands: the card list as a text table.
    void PrintCardList(bool preview);
    // Printers print the list at this resolution, so the FontSize setting means the same
    // everywhere.
    static constexpr int kPrintResolution = 600;
    // The first selected card's four texts, for placeholders.
    std::optional<SelectedCardTexts> Selection() const;
    CardCommands& Commands() { return m_commands; }
    QTreeView* List() const { return m_list; }
    CardListModel* Model() const { return m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void RegisterCommands();
    void SetColumnWidths();
    void ShowCount();
    void ApplySort(int column, bool ascending);
    void ShowContextMenu(const QPoint& globalPos);
    CardListModel::Row RowForCard(int card) const;
    void SelectRow(int row, bool scroll);
    void SetUpPrinter(QPrinter& printer) const;

    CAlboraDoc& m_doc;
    Services m_services;
    CardCommands m_commands;
    CardListModel* m_model;
    QTreeView* m_list;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
    bool m_bColumnsSized = false;
    bool m_settingWidths = false;
    QString m_fallbackNoted;  // the album whose missing directory the status bar has told of
};
