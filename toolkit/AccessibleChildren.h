// The child ids of an accessible object whose children are simple elements, and the answers to
// hit-testing and navigation among them, apart from the system. The children are numbered 1..n in
// the order the object lists them; 0 is the object itself.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tk {

// The id that names the object itself rather than one of its children.
constexpr long kChildSelf = 0;

// The list index that a child id names, or nothing for the object itself and for ids outside
// 1..count.
std::optional<std::size_t> ChildIndexOf(long childId, std::size_t count);
constexpr long ChildIdOf(std::size_t index) {
    return static_cast<long>(index) + 1;
}

// A child's rectangle (screen coordinates, right and bottom exclusive).
struct ChildBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The child whose box holds the point (the last listed when boxes overlap), or nothing.
std::optional<long> ChildAt(int x, int y, const std::vector<ChildBox>& boxes);

// The directions a client may navigate in; the values are the system's navigation codes.
enum class NavigateDirection : long {
    Up = 1,
    Down = 2,
    Left = 3,
    Right = 4,
    Next = 5,
    Previous = 6,
    FirstChild = 7,
    LastChild = 8,
};

struct NavigateAnswer {
    enum class Outcome {
        Found,    // childId is where the navigation ends
        None,     // a fair question with no element in that direction
        Invalid,  // an unknown direction, a start that is no child, or a child asked for children
    };
    Outcome outcome = Outcome::None;
    long childId = kChildSelf;
};

// Navigation from `start` (kChildSelf or a child's id): the first and last child from the object
// itself; the neighbours in list order (next, previous) and the nearest child whose centre lies in
// that direction on the screen (up, down, left, right) from a child. Siblings of the object itself
// are its parent's to tell, so those questions find nothing here.
NavigateAnswer NavigateChildren(long start, long direction, const std::vector<ChildBox>& boxes);

}  // namespace tk
