#include "toolkit/AccessibleChildren.h"

#include <cstdlib>
#include <limits>

namespace tk {
namespace {

using Outcome = NavigateAnswer::Outcome;

// Twice the centre, so that it stays whole.
long long CentreX2(const ChildBox& box) {
    return static_cast<long long>(box.left) + box.right;
}
long long CentreY2(const ChildBox& box) {
    return static_cast<long long>(box.top) + box.bottom;
}

// The nearest child in a screen direction from boxes[from]: the one whose centre lies that way,
// closest along the direction and then across it; list order breaks a tie.
NavigateAnswer Spatial(std::size_t from, NavigateDirection direction, const std::vector<ChildBox>& boxes) {
    const bool horizontal = direction == NavigateDirection::Left || direction == NavigateDirection::Right;
    const bool backwards = direction == NavigateDirection::Left || direction == NavigateDirection::Up;
    const ChildBox& start = boxes[from];
    NavigateAnswer best{Outcome::None, kChildSelf};
    long long bestAlong = std::numeric_limits<long long>::max();
    long long bestAcross = std::numeric_limits<long long>::max();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (i == from) {
            continue;
        }
        long long along =
            horizontal ? CentreX2(boxes[i]) - CentreX2(start) : CentreY2(boxes[i]) - CentreY2(start);
        if (backwards) {
            along = -along;
        }
        if (along <= 0) {
            continue;
        }
        const long long across = std::llabs(horizontal ? CentreY2(boxes[i]) - CentreY2(start)
                                                       : CentreX2(boxes[i]) - CentreX2(start));
        if (along < bestAlong || (along == bestAlong && across < bestAcross)) {
            bestAlong = along;
            bestAcross = across;
            best = {Outcome::Found, ChildIdOf(i)};
        }
    }
    return best;
}

}  // namespace

std::optional<std::size_t> ChildIndexOf(long childId, std::size_t count) {
    if (childId < 1 || static_cast<unsigned long>(childId) > count) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(childId - 1);
}

std::optional<long> ChildAt(int x, int y, const std::vector<ChildBox>& boxes) {
    for (std::size_t i = boxes.size(); i-- > 0;) {
        const ChildBox& box = boxes[i];
        if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) {
            return ChildIdOf(i);
        }
    }
    return std::nullopt;
}

NavigateAnswer NavigateChildren(long start, long direction, const std::vector<ChildBox>& boxes) {
    if (direction < static_cast<long>(NavigateDirection::Up) ||
        direction > static_cast<long>(NavigateDirection::LastChild)) {
        return {Outcome::Invalid, kChildSelf};
    }
    const auto to = static_cast<NavigateDirection>(direction);
    const std::size_t count = boxes.size();
    const bool toChild = to == NavigateDirection::FirstChild || to == NavigateDirection::LastChild;
    if (start == kChildSelf) {
        if (!toChild || count == 0) {
            return {Outcome::None, kChildSelf};
        }
        return {Outcome::Found, to == NavigateDirection::FirstChild ? ChildIdOf(0) : ChildIdOf(count - 1)};
    }
    const std::optional<std::size_t> from = ChildIndexOf(start, count);
    if (!from || toChild) {
        return {Outcome::Invalid, kChildSelf};  // simple elements have no children
    }
    switch (to) {
        case NavigateDirection::Next:
            return *from + 1 < count ? NavigateAnswer{Outcome::Found, ChildIdOf(*from + 1)}
                                     : NavigateAnswer{Outcome::None, kChildSelf};
        case NavigateDirection::Previous:
            return *from > 0 ? NavigateAnswer{Outcome::Found, ChildIdOf(*from - 1)}
                             : NavigateAnswer{Outcome::None, kChildSelf};
        default:
            return Spatial(*from, to, boxes);
    }
}

}  // namespace tk
