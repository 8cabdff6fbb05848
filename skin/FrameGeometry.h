// The arithmetic of the skinned frame: how big its parts are, where they go, how many tiles fill a
// strip, which part of the window a point is (for dragging and resizing), how a resize drag is held
// at the minimum size, and what the caption buttons and the caption double-click do.
// Platform-independent: the window code feeds in sizes and points and applies the answers.
//
// The skin images arrive already at the window's scale, so every size taken from them is in pixels.
// The fixed distances below (gaps, borders, the minimum size) are design sizes at 96 DPI: each
// function that uses one takes the window's tk::DpiScale.
#pragma once

#include <array>

#include "skin/SkinSet.h"
#include "toolkit/DpiScale.h"

namespace skin {

struct Extent {
    int width = 0;
    int height = 0;
    bool operator==(const Extent&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// The pixel sizes of the 25 skin images (0 x 0 for a missing file).
using SkinExtents = std::array<Extent, kSkinImageCount>;

// The caption band's height before any skin was measured.
constexpr int kInitialCaptionHeight = 47;

// Sizes of the frame parts for a window of outer size W x H.
struct FrameSizes {
    int topHeight = 0;  // ImgTop's height; its width follows the window
    Extent bottom;      // imgbottom
    Extent left;        // imgLeft
    Extent right;       // imgRight
    Extent topLeft;     // imgTopLeft
    Extent topRight;    // imgTopRight
    Extent main;        // pnlMain
    int captionHeight = 0;
};
FrameSizes SizeFrameParts(const SkinExtents& skin, int width, int height);

// The hover images: the three caption buttons, then the four corners.
constexpr int kHotImageCount = 7;
enum HotImageIndex : int {
    kMinimizeButton = 0,
    kMaximizeButton = 1,
    kCloseButton = 2,
    kTopLeftCorner = 3,
    kTopRightCorner = 4,
    kBottomLeftCorner = 5,
    kBottomRightCorner = 6,
};

// Top-left positions of the frame parts (window client coordinates).
struct FramePlacement {
    std::array<Point, kHotImageCount> hotImages;
    Point systemMenu;
    Point topLeft;   // imgTopLeft
    Point topRight;  // imgTopRight
    Point left;      // imgLeft
    Point right;     // imgRight
    Point bottom;    // imgbottom
    Point main;      // pnlMain
};
// buttons: the three caption buttons' own sizes (each follows its current face).
FramePlacement PlaceFrameParts(const SkinExtents& skin, int width, int height, int captionHeight,
                               const std::array<Extent, 3>& buttons, tk::DpiScale scale = tk::DpiScale());

// The caption text's top: half the "TopLeftActivate" height, less 5.
int CaptionLabelTop(const SkinExtents& skin, tk::DpiScale scale = tk::DpiScale());

// Tiles laid at 0, tile, 2 x tile, ... for n = 0 .. length div tile (integer division truncating
// toward zero): length div tile + 1 tiles. A tile of no size draws nothing (0), and a length so
// negative that the last index would be below 0 gives 0 as well.
int TileCount(int length, int tile);
// The strip lengths the tile counts use: the caption and the sides the full window, the bottom
// strip the window width less 10.
int BottomTileLength(int width, tk::DpiScale scale = tk::DpiScale());

// Which part of the window a point is.
enum class HitZone {
    Default,  // leave the system's answer
    Caption,
    Client,
    Left,
    Right,
    Top,
    TopLeft,
    TopRight,
    Bottom,
    BottomLeft,
    BottomRight,
};

struct HitTestInput {
    int x = 0;  // client coordinates
    int y = 0;
    int width = 0;  // the window's outer size
    int height = 0;
    int captionHeight = kInitialCaptionHeight;
    int minimizeLeft = 0;  // the minimize button's left, whether shown or not
    bool resizable = true;
    bool maximized = false;
    tk::DpiScale scale;
};
// The border width of the left and top resize borders; the right and bottom ones start at
// width - 5 and height - 5.
constexpr int kResizeBorder = 6;
HitZone HitTest(const HitTestInput& in);

// Whether a caption double-click at (x, y) toggles maximize: inside the caption band, left of the
// minimize button and more than 6 pixels from the left and top edges.
bool InCaptionDoubleClickZone(int x, int y, int captionHeight, int minimizeLeft,
                              tk::DpiScale scale = tk::DpiScale());

// The edge a resize drag moves; the values are those of the system's sizing message.
enum class SizingEdge : int {
    Left = 1,
    Right = 2,
    Top = 3,
    TopLeft = 4,
    TopRight = 5,
    Bottom = 6,
    BottomLeft = 7,
    BottomRight = 8,
};
constexpr int kMinimumWidth = 800;
constexpr int kMinimumHeight = 600;
// Holds a proposed window rectangle at the minimum size (scaled) by pinning the edge being dragged.
Rect PinMinimumTrackSize(Rect proposed, int edge, tk::DpiScale scale = tk::DpiScale());
// The window's rounded corners: the ellipse size of the shape's corners.
constexpr int kShapeCornerSize = 9;

enum class FrameState { Normal, Minimized, Maximized };
enum class CaptionCommand { None, Minimize, Maximize, Restore, Close };
// What a click on hover image `index` asks for (only the three buttons act).
CaptionCommand CaptionButtonCommand(int index, FrameState state);
// What a caption double-click asks for.
CaptionCommand CaptionDoubleClickCommand(FrameState state);

// The window menu's items (Alt+Space, a right-click on the caption), in order, and which are
// enabled: restore while maximized, move unless maximized, size and maximize only for a resizable
// window that is not maximized, minimize and close always.
enum class SystemMenuItem { Restore, Move, Size, Minimize, Maximize, Close };
inline constexpr SystemMenuItem kSystemMenuItems[] = {SystemMenuItem::Restore,  SystemMenuItem::Move,
                                                      SystemMenuItem::Size,     SystemMenuItem::Minimize,
                                                      SystemMenuItem::Maximize, SystemMenuItem::Close};
bool SystemMenuItemEnabled(SystemMenuItem item, FrameState state, bool resizable);
// The item's text (UTF-8), with its access key.
const char* SystemMenuItemText(SystemMenuItem item);
// What choosing it asks for; move and size are the system's own keyboard loops (None here).
CaptionCommand SystemMenuItemCommand(SystemMenuItem item);

// The face set a caption button shows: its own, except restore for the maximize button of a
// maximized window.
FaceSet ButtonFaceSet(int button, bool maximized);
// The button's hint for a face set (UTF-8).
const char* ButtonHint(FaceSet set);

// Where and how big a maximized window is: the work area's top-left corner, its width, and one
// pixel less than its height.
struct MaximizeBounds {
    Point position;
    Extent size;
};
MaximizeBounds MaximizeBoundsFor(const Rect& workArea);
// The same on the monitor the window is on, as the system's min-max message wants them: the work
// area's corner relative to the monitor's own corner (so a task bar on the top or left edge moves
// it), the work area's width and one pixel less than its height.
MaximizeBounds MaximizeBoundsOn(const Rect& monitor, const Rect& workArea);

}  // namespace skin
