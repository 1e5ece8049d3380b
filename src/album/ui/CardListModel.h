#pragma once

#include <QAbstractTableModel>
#include <array>
#include <vector>

// The rows of the card list: four texts and the index of the row's card in the working list
// (its item data), which stays with the row when the rows are sorted.
class CardListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kColumns = 4;
    struct Row {
        std::array<QString, kColumns> texts;
        int card = -1;
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetRows(std::vector<Row> rows);
    const Row& RowAt(int row) const { return m_rows[row]; }
    // The row of CARD, or -1.
    int RowOfCard(int card) const;
    void ReplaceRow(int row, Row value);
    void RemoveRow(int row);
    void InsertRow(int row, Row value);
    // Adds DELTA to the card index of every row whose card is at least FROM.
    void ShiftCards(int from, int delta);
    // Sorts by the text of COLUMN, comparing characters without folding case.
    void SortByColumn(int column, bool ascending);

private:
    std::vector<Row> m_rows;
};
