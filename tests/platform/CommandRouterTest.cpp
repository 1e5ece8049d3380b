#include "platform/CommandTarget.h"

#include <gtest/gtest.h>

namespace {

class Target : public CommandTarget {
public:
    explicit Target(bool enabled) {
        OnCommand(1, [this] { ++runs; }, [enabled](CommandState& s) { s.enabled = enabled; });
        OnCommand(2, [this] { ++runs; });
    }
    int runs = 0;
};

}  // namespace

TEST(CommandRouter, TheFirstTargetThatHandlesACommandDecides) {
    Target view(false), document(true);
    CommandRouter router;
    Target* active = &view;
    router.AddTarget([&] { return active; });
    router.AddTarget([&] { return &document; });

    EXPECT_FALSE(router.Update(1).enabled);
    EXPECT_FALSE(router.Execute(1));  // the view disables it; the document never sees it
    EXPECT_EQ(document.runs, 0);

    active = nullptr;  // no active view: the document answers
    EXPECT_TRUE(router.Execute(1));
    EXPECT_EQ(document.runs, 1);

    EXPECT_FALSE(router.Update(99).enabled);  // nobody handles it
    EXPECT_FALSE(router.Execute(99));
}
