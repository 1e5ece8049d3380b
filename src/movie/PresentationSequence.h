#pragma once

#include <functional>
#include <optional>

// How the control bar let a card go. Setup means the setup dialog was accepted; a cancelled one
// is a Cancel.
enum class BarResult { First, Previous, Next, Last, GoTo, Setup, Timer, Cancel };

// The order in which a presentation shows the cards of the working list: a pass from the first
// card to the last, moved about by the control bar, and further passes from the first card while
// repeating. The card count is asked again before every card, since the album may change while
// the show runs.
class PresentationSequence {
public:
    using CardCount = std::function<int()>;

    // The first pass begins at FIRSTCARD, or at the first card when there is no such card.
    PresentationSequence(CardCount count, bool repeat, int firstCard = 0);

    void SetRepeat(bool repeat) { m_repeat = repeat; }
    // The card to show now; nullopt once the presentation is over.
    std::optional<int> NextCard();
    // The card that moving on from the one shown would bring, to be read ahead; nullopt when none.
    std::optional<int> Following() const;
    // Moves on from the card shown by RESULT; CHOSEN is the card a GoTo picked.
    void Apply(BarResult result, int chosen = -1);

private:
    CardCount m_count;
    bool m_repeat;
    int m_shown = -1;
    int m_next;
    bool m_ended = false;
};
