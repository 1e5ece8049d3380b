#include "CardListModel.h"

#include <algorithm>

namespace {
const char* const kTitles[CardListModel::kColumns] = {"Name", "Graphic", "Date", "Description"};
}

int CardListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CardListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant CardListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_rows.size())) return {};
    const Row& row = m_rows[std::size_t(index.row())];
    if (role == Qt::DisplayRole) {
        QString text = row.texts[std::size_t(index.column())];
        // Descriptions of several lines show on one.
        return text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace('\n', ' ');
    }
    if (role == Qt::ToolTipRole && index.column() == 3) return row.texts[3];
    // A name made from a path tells its file first: the column cuts the end where the name is.
    if (role == Qt::ToolTipRole && index.column() == 0) {
        const QString& name = row.texts[0];
        const QString file = name.section('/', -1).section('\\', -1);
        return file == name ? QVariant() : QVariant(file + '\n' + name);
    }
    if (role == Qt::UserRole) return row.card;
    return {};
}

QVariant CardListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumns)
        return QString::fromLatin1(kTitles[section]);
    return {};
}

void CardListModel::SetRows(std::vector<Row> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int CardListModel::RowOfCard(int card) const {
    const auto it = std::find_if(m_rows.begin(), m_rows.end(), [card](const Row& r) { return r.card == card; });
    return it == m_rows.end() ? -1 : int(it - m_rows.begin());
}

void CardListModel::ReplaceRow(int row, Row value) {
    m_rows[std::size_t(row)] = std::move(value);
    Q_EMIT dataChanged(index(row, 0), index(row, kColumns - 1));
}

void CardListModel::RemoveRow(int row) {
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void CardListModel::InsertRow(int row, Row value) {
    beginInsertRows({}, row, row);
    m_rows.insert(m_rows.begin() + row, std::move(value));
    endInsertRows();
}

void CardListModel::ShiftCards(int from, int delta) {
    for (Row& row : m_rows)
        if (row.card >= from) row.card += delta;
}

void CardListModel::SortByColumn(int column, bool ascending) {
    Q_EMIT layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<int> cards;
    for (const QModelIndex& i : before) cards.push_back(m_rows[std::size_t(i.row())].card);
    std::sort(m_rows.begin(), m_rows.end(), [column, ascending](const Row& a, const Row& b) {
        const int order = QString::compare(a.texts[std::size_t(column)], b.texts[std::size_t(column)], Qt::CaseSensitive);
        return ascending ? order < 0 : order > 0;
    });
    int maxCard = -1;
    for (const Row& row : m_rows) maxCard = std::max(maxCard, row.card);
    std::vector<int> rowOf(std::size_t(maxCard + 1), -1);
    for (std::size_t r = 0; r < m_rows.size(); ++r)
        if (m_rows[r].card >= 0) rowOf[std::size_t(m_rows[r].card)] = int(r);
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int card = cards[std::size_t(i)];
        after << (card >= 0 ? index(rowOf[std::size_t(card)], before[i].column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}
