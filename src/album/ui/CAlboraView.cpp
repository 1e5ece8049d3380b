#include "CAlboraView.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "album/UtilityDefinition.h"
#include "platform/CommandIds.h"
#include "platform/MainWindowServices.h"
#include "platform/ProcessLauncher.h"
#include "platform/UiServices.h"
#include "platform/widgets/CommandActions.h"
#include "sound/SoundAnnotations.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace {

// The "ListColumns" setting: the four widths the user gave the columns, the sort column (-1 for
// album order) and its direction, as "200,200,150,400;1;0".
struct ListLayout {
    std::array<int, CardListModel::kColumns> widths{};
    int sortColumn = -1;
    bool ascending = true;

    static ListLayout Parse(const QString& text) {
        ListLayout layout;
        const QStringList parts = text.split(';');
        const QStringList widths = parts.value(0).split(',');
        if (widths.size() == CardListModel::kColumns)
            for (int c = 0; c < CardListModel::kColumns; ++c) layout.widths[std::size_t(c)] = std::clamp(widths[c].toInt(), 0, 10000);
        layout.sortColumn = std::clamp(parts.value(1, QStringLiteral("-1")).toInt(), -1, CardListModel::kColumns - 1);
        layout.ascending = parts.value(2) != QLatin1String("0");
        return layout;
    }
    QString Format() const {
        QStringList texts;
        for (int width : widths) texts << QString::number(width);
        return QStringLiteral("%1;%2;%3").arg(texts.join(',')).arg(sortColumn).arg(ascending ? 1 : 0);
    }
    bool HasWidths() const { return std::all_of(widths.begin(), widths.end(), [](int w) { return w > 0; }); }
};

}  // namespace

CAlboraView::CAlboraView(CAlboraDoc& doc, Services services, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_services(services),
      m_commands({doc, services.ui, services.dialogs, *this, services.launcher, services.sound, services.session}),
      m_model(new CardListModel(this)),
      m_list(new QTreeView(this)) {
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setContextMenuPolicy(Qt::DefaultContextMenu);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicatorShown(false);
    m_list->header()->setStretchLastSection(true);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &CAlboraView::SortByColumn);
    // The widths a user gives the columns last across rebuilds and restarts.
    connect(m_list->header(), &QHeaderView::sectionResized, this, [this] {
        if (m_settingWidths) return;
        ListLayout layout = ListLayout::Parse(m_doc.Settings().ListColumns);
        for (int c = 0; c < CardListModel::kColumns; ++c) layout.widths[std::size_t(c)] = m_list->columnWidth(c);
        m_doc.Settings().ListColumns = layout.Format();
    });
    connect(m_list, &QTreeView::doubleClicked, this, [this] { m_commands.Modify(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setAcceptDrops(true);
    m_list->setAcceptDrops(false);
    setFocusProxy(m_list);
    RegisterCommands();
    m_doc.AddView(this);
    m_doc.shownOrder = [this] {
        std::vector<int> cards;
        for (int row = 0; row < m_model->rowCount(); ++row) cards.push_back(m_model->RowAt(row).card);
        return cards;
    };
    RebuildAll(true);
}

CAlboraView::~CAlboraView() { m_doc.shownOrder = nullptr; }

void CAlboraView::RegisterCommands() {
    auto& c = m_commands;
    const auto selection = [this](CommandState& s) { s.enabled = !SelectedCards().empty(); };
    const auto canAdd = [this](CommandState& s) { s.enabled = m_commands.CanAdd(); };
    OnCommand(Cmd::ViewCurrentImage, [this] { ViewCurrentImage(); }, selection);
    OnCommand(Cmd::CardAdd, [&c] { c.Add(); }, canAdd);
    OnCommand(Cmd::CardModify, [&c] { c.Modify(); });
    OnCommand(Cmd::CardDelete, [&c] { c.Delete(); }, canAdd);
    OnCommand(Cmd::CardSearch, [&c] { c.Search(); }, canAdd);
    OnCommand(Cmd::ViewAllCards, [&c] { c.ViewAllCards(); });
    OnCommand(Cmd::CopyCard, [&c] { c.CopyCard(); }, selection);
    OnCommand(Cmd::PasteCard, [&c] { c.PasteCard(); }, [this](CommandState& s) { s.enabled = m_commands.CanPasteCard(); });
    OnCommand(Cmd::EditPaste, [&c] { c.PasteImage(QApplication::clipboard()->image()); },
              [](CommandState& s) { s.enabled = QApplication::clipboard()->mimeData() &&
                                                QApplication::clipboard()->mimeData()->hasImage(); });
    OnCommand(Cmd::Association, [&c] { c.Association(); }, [this](CommandState& s) { s.enabled = m_commands.CanAssociate(); });
    OnCommand(Cmd::FileSendMail, [&c] { c.Send(); },
              [this](CommandState& s) { s.enabled = m_services.launcher.CanSendMail(); });
    OnCommand(Cmd::RenameImage, [&c] { c.Rename(); });
    OnCommand(Cmd::FilePrint, [this] { PrintCardList(false); });
    OnCommand(Cmd::FilePrintPreview, [this] { PrintCardList(true); });
    OnCommand(Cmd::ConvertImage, [&c] { c.Convert(); });
    OnCommand(Cmd::SoundPlay, [this] {
        const auto s = Selection();
        if (s) m_services.sound.PlaySound(m_doc.CardFiles().Resolve(s->graphic));
    }, [this](CommandState& s) {
        const auto sel = Selection();
        s.enabled = sel && SoundAnnotations::HasSound(m_doc.CardFiles().Resolve(sel->graphic));
    });
    OnCommand(Cmd::SoundRecord, [this] {
        const auto s = Selection();
        if (s) m_services.sound.RecordSound(m_doc.CardFiles().Resolve(s->graphic));
    }, [this](CommandState& s) {
        const auto sel = Selection();
        s.enabled = sel && !sel->graphic.isEmpty();
    });
    for (int i = 0; i < UtilityDefinition::kCount; ++i) {
        QString* definition = UtilitySettings(m_doc.Settings())[std::size_t(i)];
        OnCommand(Cmd::kUtilities[i], [this, definition] { RunUtility(*definition); },
                  [definition](CommandState& s) { s.enabled = UtilityDefinition::IsEnabled(*definition); });
    }
}

CardListModel::Row CAlboraView::RowForCard(int card) const {
    CardListModel::Row row;
    row.card = card;
    if (const CFotoObj* c = m_doc.Db().GetAt(card)) {
        const SelectedCardTexts texts = CardTexts(*c);
        row.texts = {texts.name, texts.graphic, texts.date, texts.description};
    }
    return row;
}

void CAlboraView::SetColumnWidths() {
    const ListLayout layout = ListLayout::Parse(m_doc.Settings().ListColumns);
    const int width = std::max(m_list->viewport()->width(), 400);
    // A sixth of the width, but never too narrow for the date it shows.
    const int dateWidth = std::max(width / 6, fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 00:00:00")) + 16);
    const std::array<int, CardListModel::kColumns> fractions = {width / 4, width / 4, dateWidth, width / 2};
    const auto& widths = layout.HasWidths() ? layout.widths : fractions;
    m_settingWidths = true;
    for (int c = 0; c < CardListModel::kColumns; ++c) m_list->setColumnWidth(c, widths[std::size_t(c)]);
    m_settingWidths = false;
}

void CAlboraView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The columns take their share of the width the window really has when it first shows.
    if (!m_bColumnsSized) {
        m_bColumnsSized = true;
        SetColumnWidths();
    }
}

void CAlboraView::RebuildAll(bool recreateColumns) {
    UiServices& ui = m_services.ui;
    WaitCursor wait(ui);
    // Bare card names are relative to the album directory, or to the album file's folder when an
    // album made elsewhere names a directory this computer does not have.
    const CardFileResolver& files = m_doc.CardFiles();
    const QString directory = files.Directory();
    if (!directory.isEmpty() && !QDir::setCurrent(directory))
        ui.MessageBox(QStringLiteral("Error: can't set to album directory!\r") + directory, MsgButtons::Ok,
                      MsgIcon::Exclamation);
    const int count = m_doc.Db().GetCount();
    ui.SetStatusText(0, QStringLiteral("Listing..."));
    ui.ProgressBegin(0, count, 1);
    std::vector<CardListModel::Row> rows;
    rows.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        rows.push_back(RowForCard(i));
        ui.ProgressStep();
    }
    m_model->SetRows(std::move(rows));
    ui.ProgressEnd();
    ShowCount();
    // The rows come in album order; a sort the user chose comes back over them.
    const ListLayout layout = ListLayout::Parse(m_doc.Settings().ListColumns);
    ApplySort(layout.sortColumn, layout.ascending);
    const QString album = m_doc.GetPathName();
    if (files.DirectoryFallsBack() && m_fallbackNoted != album) {
        m_fallbackNoted = album;
        ui.SetStatusText(0, QStringLiteral("The album directory %1 is not on this computer: cards are looked for in %2")
                                .arg(m_doc.Db().List().m_strDirectory, directory));
    }
    if (recreateColumns) SetColumnWidths();
    if (m_doc.m_nCurrent >= 0 && m_doc.m_nCurrent < count) SelectRow(m_model->RowOfCard(m_doc.m_nCurrent), true);
}

void CAlboraView::OnUpdate(View*, int hint, void*) {
    if (hint >= Hint::DrawChanged && hint <= Hint::DrawViewLast) return;
    if (hint == Hint::SelectionOnly) {
        m_list->clearSelection();
        if (m_nSortColumn == -1 && m_doc.m_nCurrent != -1) SelectRow(m_doc.m_nCurrent, true);
        return;
    }
    RebuildAll(false);
}

void CAlboraView::SelectRow(int row, bool scroll) {
    if (row < 0 || row >= m_model->rowCount()) return;
    const QModelIndex index = m_model->index(row, 0);
    m_list->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    if (scroll) m_list->scrollTo(index);
}

std::vector<int> CAlboraView::SelectedCards() const {
    QModelIndexList rows = m_list->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<int> cards;
    for (const QModelIndex& index : rows) cards.push_back(m_model->RowAt(index.row()).card);
    return cards;
}

void CAlboraView::RebuildRowOf(int card) {
    const int row = m_model->RowOfCard(card);
    if (row >= 0) m_model->ReplaceRow(row, RowForCard(card));
}

void CAlboraView::RemoveRowOf(int card) {
    const int row = m_model->RowOfCard(card);
    if (row >= 0) m_model->RemoveRow(row);
    m_model->ShiftCards(card + 1, -1);
    ShowCount();
}

void CAlboraView::ShowCount() { m_services.ui.SetStatusTextF(0, "%d items listed", m_model->rowCount()); }

void CAlboraView::AddRowFor(int card) {
    m_model->ShiftCards(card, +1);
    // In album order the row goes where its card is; in a sorted list at the end.
    const int row = m_nSortColumn == -1 ? std::min(card, m_model->rowCount()) : m_model->rowCount();
    m_model->InsertRow(row, RowForCard(card));
    ShowCount();
}

void CAlboraView::SelectOnly(int card) {
    m_list->clearSelection();
    SelectRow(m_model->RowOfCard(card), true);
}

void CAlboraView::SortByColumn(int column) {
    if (column < 0 || column >= CardListModel::kColumns) return;
    ApplySort(column, column != m_nSortColumn ? true : !m_bSortAscending);
    ListLayout layout = ListLayout::Parse(m_doc.Settings().ListColumns);
    layout.sortColumn = column;
    layout.ascending = m_bSortAscending;
    m_doc.Settings().ListColumns = layout.Format();
}

void CAlboraView::ApplySort(int column, bool ascending) {
    m_nSortColumn = column;
    m_bSortAscending = ascending;
    QHeaderView* header = m_list->header();
    header->setSortIndicatorShown(column >= 0);
    if (column < 0) return;
    m_model->SortByColumn(column, ascending);
    header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

std::optional<SelectedCardTexts> CAlboraView::Selection() const {
    QModelIndexList rows = m_list->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    const QModelIndex first = *std::min_element(rows.begin(), rows.end(),
                                                [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    const auto& texts = m_model->RowAt(first.row()).texts;
    return SelectedCardTexts{texts[0], texts[1], texts[2], texts[3]};
}

void CAlboraView::ViewCurrentImage() {
    const std::vector<int> cards = SelectedCards();
    if (cards.empty() || !m_doc.MakeCurrent(cards.front(), m_model->RowAt(m_model->RowOfCard(cards.front())).texts[1]))
        return;
    m_doc.UpdateAllViews(this, Hint::ViewCurrent);
    if (m_services.mainWindow) m_services.mainWindow->ShowTab(MainWindowServices::ImageTab);
}

bool CAlboraView::RunUtility(const QString& definition) {
    return ::RunUtility(definition, m_doc, Selection(), m_services.ui, m_services.launcher, UtilityQuestion::Ask, this);
}

void CAlboraView::ShowContextMenu(const QPoint& globalPos) {
    if (!m_services.actions) return;
    QMenu menu(window());
    CommandActions& a = *m_services.actions;
    a.Fill(&menu, {Cmd::ViewCurrentImage, 0, Cmd::CopyCard, Cmd::PasteCard, Cmd::EditPaste, 0, Cmd::CardAdd,
                   Cmd::CardDelete, Cmd::CardModify, 0});
    QMenu* sound = menu.addMenu(QStringLiteral("&Sound anotations"));
    a.Fill(sound, {Cmd::SoundPlay, Cmd::SoundRecord});
    menu.addSeparator();
    a.Fill(&menu, {Cmd::CardSearch, Cmd::ViewAllCards, 0, Cmd::MaximizeListView, Cmd::RestoreAllViews,
                   Cmd::ListViewerProperties});
    a.Refresh();
    menu.exec(globalPos);
}

bool CAlboraView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space) &&
            key->modifiers() == Qt::NoModifier) {
            ViewCurrentImage();
            return true;
        }
        if (key->key() == Qt::Key_Menu) {
            ShowContextMenu(m_list->viewport()->mapToGlobal(QPoint(5, 5)));
            return true;
        }
    }
    if (watched == m_list->viewport() && event->type() == QEvent::ContextMenu) {
        ShowContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CAlboraView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CAlboraView::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    m_commands.DropFiles(paths);
}
