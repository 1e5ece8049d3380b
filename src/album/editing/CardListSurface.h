#pragma once

#include <vector>

class View;

// The card list as the card commands see it: rows that carry the index of their card in the
// working list, and the few ways the commands change them.
class CardListSurface {
public:
    virtual ~CardListSurface() = default;
    // The cards of the selected rows, in row order.
    virtual std::vector<int> SelectedCards() const = 0;
    // Refills every row from the working list (with new columns when asked).
    virtual void RebuildAll(bool recreateColumns) = 0;
    // Shows the card's current texts in its row.
    virtual void RebuildRowOf(int card) = 0;
    // Removes the card's row; rows of later cards move down one index.
    virtual void RemoveRowOf(int card) = 0;
    // Adds a row for a card inserted at CARD; rows of that card and later move up one index.
    virtual void AddRowFor(int card) = 0;
    // Selects the card's row only.
    virtual void SelectOnly(int card) = 0;
    // The view that sends the hints of the commands.
    virtual View* SenderView() = 0;
};
