#include <gtest/gtest.h>

#include <vector>

#include "movie/PresentationSequence.h"

namespace {

struct Step {
    BarResult result;
    int chosen = -1;
};
constexpr int kEnded = -1;

// The cards SEQUENCE shows while the bar answers with STEPS in turn, and then the card it shows
// next or kEnded.
std::vector<int> Shown(PresentationSequence& sequence, const std::vector<Step>& steps) {
    std::vector<int> shown;
    for (const Step& step : steps) {
        const std::optional<int> card = sequence.NextCard();
        if (!card) break;
        shown.push_back(*card);
        sequence.Apply(step.result, step.chosen);
    }
    shown.push_back(sequence.NextCard().value_or(kEnded));
    return shown;
}

PresentationSequence Cards(const int& count, bool repeat, int first = 0) {
    return PresentationSequence([&count] { return count; }, repeat, first);
}

using Order = std::vector<int>;

}  // namespace

TEST(PresentationSequence, OneCardWithRepeatComesBackAfterEveryNextOrTimerUntilCancel) {
    const int count = 1;
    PresentationSequence sequence = Cards(count, true);
    EXPECT_EQ(
        Shown(sequence,
              {{BarResult::Next}, {BarResult::Timer}, {BarResult::Next}, {BarResult::Cancel}}),
        (Order{0, 0, 0, 0, kEnded}));
}

TEST(PresentationSequence, APassEndsTheShowUnlessItRepeats) {
    const int count = 3;
    PresentationSequence once = Cards(count, false);
    EXPECT_EQ(Shown(once, {{BarResult::Timer}, {BarResult::Next}, {BarResult::Timer}}),
              (Order{0, 1, 2, kEnded}));
    PresentationSequence again = Cards(count, true);
    EXPECT_EQ(Shown(again, {{BarResult::Timer}, {BarResult::Next}, {BarResult::Timer}}),
              (Order{0, 1, 2, 0}));
    // Repeat switched off in the setup dialog ends at the end of the pass under way.
    PresentationSequence switched = Cards(count, true);
    EXPECT_EQ(Shown(switched, {{BarResult::Next}}), (Order{0, 1}));
    switched.SetRepeat(false);
    EXPECT_EQ(Shown(switched, {{BarResult::Next}, {BarResult::Next}}), (Order{1, 2, kEnded}));
}

TEST(PresentationSequence, TheBarsButtonsMoveThroughTheCards) {
    const int count = 5;
    PresentationSequence sequence = Cards(count, false);
    EXPECT_EQ(Shown(sequence, {{BarResult::Previous},  // on the first card it stays there
                               {BarResult::Next},
                               {BarResult::Next},
                               {BarResult::Previous},
                               {BarResult::Last},
                               {BarResult::First},
                               {BarResult::GoTo, 4},  // the last name in the list
                               {BarResult::GoTo, 2},
                               {BarResult::GoTo, 5},  // no such card: the same one again
                               {BarResult::Setup}}),  // a setup taken goes on with the next card
              (Order{0, 0, 1, 2, 1, 4, 0, 4, 2, 2, 3}));
    PresentationSequence cancelled = Cards(count, true);
    EXPECT_EQ(Shown(cancelled, {{BarResult::Next}, {BarResult::Cancel}}), (Order{0, 1, kEnded}));
}

// Cards may come and go while the show runs: the count is asked before every card.
TEST(PresentationSequence, FollowsTheAlbumAsItChanges) {
    int count = 5;
    PresentationSequence shrinking = Cards(count, true);
    EXPECT_EQ(Shown(shrinking, {{BarResult::Next}, {BarResult::Next}}), (Order{0, 1, 2}));
    count = 2;
    shrinking.Apply(BarResult::Next);
    EXPECT_EQ(shrinking.NextCard(), 0);  // past the end: the next pass
    count = 4;
    EXPECT_EQ(Shown(shrinking, {{BarResult::Last}}), (Order{0, 3}));

    // An album emptied under a repeating show ends it rather than looking for a card forever.
    count = 0;
    shrinking.Apply(BarResult::Next);
    EXPECT_EQ(shrinking.NextCard(), std::nullopt);

    count = 3;
    PresentationSequence growing = Cards(count, false);
    EXPECT_EQ(Shown(growing, {{BarResult::Next}, {BarResult::Next}}), (Order{0, 1, 2}));
    count = 4;
    growing.Apply(BarResult::Next);
    EXPECT_EQ(growing.NextCard(), 3);
}

TEST(PresentationSequence, TheFirstPassMayStartAtTheCurrentCard) {
    const int count = 4;
    PresentationSequence repeating = Cards(count, true, 2);
    EXPECT_EQ(Shown(repeating, {{BarResult::Next}, {BarResult::Next}, {BarResult::Next}}),
              (Order{2, 3, 0, 1}));
    PresentationSequence once = Cards(count, false, 3);
    EXPECT_EQ(Shown(once, {{BarResult::Previous}, {BarResult::Next}, {BarResult::Next}}),
              (Order{3, 2, 3, kEnded}));
    // Without a current card (-1), or one the album no longer has, the show starts at the first.
    PresentationSequence none = Cards(count, false, -1);
    EXPECT_EQ(none.NextCard(), 0);
    PresentationSequence gone = Cards(count, false, 9);
    EXPECT_EQ(gone.NextCard(), 0);
}

// The card read ahead is the one "next" brings.
TEST(PresentationSequence, FollowingIsTheCardNextBrings) {
    const int count = 3;
    PresentationSequence sequence = Cards(count, true);
    EXPECT_EQ(sequence.NextCard(), 0);
    EXPECT_EQ(sequence.Following(), 1);
    sequence.Apply(BarResult::Last);
    EXPECT_EQ(sequence.NextCard(), 2);
    EXPECT_EQ(sequence.Following(), 0);
    sequence.SetRepeat(false);
    EXPECT_EQ(sequence.Following(), std::nullopt);
}
