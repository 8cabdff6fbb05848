// Child ids, hit-testing and navigation of an accessible object whose children are simple elements.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/AccessibleChildren.h"

namespace {

using tk::ChildBox;
using tk::NavigateAnswer;
using Dir = tk::NavigateDirection;
using Outcome = NavigateAnswer::Outcome;

// Three caption buttons in a row, 20 x 22 each, as the frame lays them out.
const std::vector<ChildBox> kRow = {{700, 4, 720, 26}, {720, 4, 740, 26}, {740, 4, 760, 26}};

TEST(AccessibleChildren, ChildIdsAreOneBasedListPositions) {
    struct Case {
        long id;
        std::size_t count;
        std::optional<std::size_t> index;
    };
    for (const Case& c : {Case{1, 3, 0}, Case{3, 3, 2}, Case{0, 3, std::nullopt}, Case{4, 3, std::nullopt},
                          Case{-1, 3, std::nullopt}, Case{1, 0, std::nullopt}}) {
        EXPECT_EQ(tk::ChildIndexOf(c.id, c.count), c.index) << "id " << c.id << " of " << c.count;
    }
    EXPECT_EQ(tk::ChildIndexOf(tk::ChildIdOf(2), 3), std::size_t{2});
}

TEST(AccessibleChildren, HitTestFindsTheBoxWithRightAndBottomEdgesOutside) {
    EXPECT_EQ(tk::ChildAt(700, 4, kRow), 1L);
    EXPECT_EQ(tk::ChildAt(720, 25, kRow), 2L);  // the first box's right edge is the second's
    EXPECT_EQ(tk::ChildAt(759, 10, kRow), 3L);
    EXPECT_EQ(tk::ChildAt(760, 10, kRow), std::nullopt);
    EXPECT_EQ(tk::ChildAt(710, 26, kRow), std::nullopt);
    EXPECT_EQ(tk::ChildAt(10, 10, {}), std::nullopt);
    // Overlapping boxes: the one listed last is on top.
    EXPECT_EQ(tk::ChildAt(5, 5, {{0, 0, 10, 10}, {0, 0, 10, 10}}), 2L);
}

struct NavigateCase {
    long start;
    long direction;
    Outcome outcome;
    long childId;
};

TEST(AccessibleChildren, NavigationInARow) {
    const NavigateCase cases[] = {
        // From the object itself: its first and last child; its siblings are not its own to tell.
        {0, 7, Outcome::Found, 1},
        {0, 8, Outcome::Found, 3},
        {0, 5, Outcome::None, 0},
        {0, 3, Outcome::None, 0},
        // Among the children, in list order and on the screen.
        {1, 5, Outcome::Found, 2},
        {3, 5, Outcome::None, 0},
        {2, 6, Outcome::Found, 1},
        {1, 6, Outcome::None, 0},
        {1, 4, Outcome::Found, 2},
        {3, 3, Outcome::Found, 2},
        {1, 3, Outcome::None, 0},
        {2, 1, Outcome::None, 0},
        {2, 2, Outcome::None, 0},
        // Simple elements have no children; unknown starts and directions are refused.
        {2, 7, Outcome::Invalid, 0},
        {4, 5, Outcome::Invalid, 0},
        {-1, 5, Outcome::Invalid, 0},
        {1, 0, Outcome::Invalid, 0},
        {1, 9, Outcome::Invalid, 0},
    };
    for (const NavigateCase& c : cases) {
        const NavigateAnswer answer = tk::NavigateChildren(c.start, c.direction, kRow);
        EXPECT_EQ(answer.outcome, c.outcome) << "from " << c.start << " direction " << c.direction;
        EXPECT_EQ(answer.childId, c.childId) << "from " << c.start << " direction " << c.direction;
    }
}

TEST(AccessibleChildren, NavigationWithoutChildrenAndOnTheScreen) {
    EXPECT_EQ(tk::NavigateChildren(0, 7, {}).outcome, Outcome::None);
    EXPECT_EQ(tk::NavigateChildren(1, 5, {}).outcome, Outcome::Invalid);
    // A column of three with one more to the right of the top one, listed out of screen order: down
    // and up follow the screen, the nearest along the way wins, and of two as near the one straight
    // across does.
    const std::vector<ChildBox> grid = {{0, 40, 50, 60}, {100, 0, 150, 20}, {0, 0, 50, 20}, {0, 80, 50, 100}};
    EXPECT_EQ(tk::NavigateChildren(3, static_cast<long>(Dir::Down), grid).childId, 1);
    EXPECT_EQ(tk::NavigateChildren(4, static_cast<long>(Dir::Up), grid).childId, 1);
    EXPECT_EQ(tk::NavigateChildren(1, static_cast<long>(Dir::Up), grid).childId, 3);
    EXPECT_EQ(tk::NavigateChildren(3, static_cast<long>(Dir::Right), grid).childId, 2);
    EXPECT_EQ(tk::NavigateChildren(2, static_cast<long>(Dir::Left), grid).childId, 3);
}

}  // namespace
