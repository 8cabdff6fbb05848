// The skinned frame's arithmetic, checked against the default Blue skin's sizes: caption tiles
// 64 x 32, edges 4 pixels, top corners 8 x 32, bottom corners 8 x 8, upper edge pieces 4 x 8,
// caption buttons 28 x 22, in the design window of 817 x 600.
#include "skin/FrameGeometry.h"

#include <gtest/gtest.h>

#include <limits>

using namespace skin;

namespace {

constexpr int kW = 817;
constexpr int kH = 600;

SkinExtents BlueSkin() {
    SkinExtents s{};
    s[kTopActivate] = s[kTopdeActivate] = {64, 32};
    s[kBottom] = {64, 4};
    s[kLeft] = s[kRight] = {4, 64};
    s[kTopLeftActivate] = s[kTopLeftdeActivate] = s[kTopRightActivate] = s[kTopRightdeActivate] = {8, 32};
    s[kBottomLeft] = s[kBottomRight] = {8, 8};
    for (int i = kBtnMinNormal; i < kTopLeft1; ++i) {
        s[static_cast<size_t>(i)] = {28, 22};
    }
    s[kTopLeft1] = s[kTopRight1] = {4, 8};
    return s;
}

const std::array<Extent, 3> kButtons = {{{28, 22}, {28, 22}, {28, 22}}};
// The minimize button's left in the design window: W - 3 x 28 - 8.
constexpr int kMinimizeLeft = kW - 3 * 28 - 8;

HitZone Hit(int x, int y, bool resizable = true, bool maximized = false) {
    HitTestInput in;
    in.x = x;
    in.y = y;
    in.width = kW;
    in.height = kH;
    in.captionHeight = 32;
    in.minimizeLeft = kMinimizeLeft;
    in.resizable = resizable;
    in.maximized = maximized;
    return HitTest(in);
}

}  // namespace

TEST(SkinSet, NamesKeepTheirMixedCaseAndFaceSetsFollowTheirIndices) {
    EXPECT_EQ(kSkinImageNames.size(), 25u);
    EXPECT_EQ(kSkinImageNames[kTopdeActivate], "TopdeActivate");
    EXPECT_EQ(kSkinImageNames[kTopRightdeActivate], "TopRightdeActivate");
    EXPECT_EQ(kSkinImageNames[21], "btn_Orig_Over");
    EXPECT_EQ(kSkinImageNames[kTopRight1], "TopRight_1");
    EXPECT_EQ(FaceImage(FaceSet::Minimize, Face::Normal), 11);
    EXPECT_EQ(FaceImage(FaceSet::Close, Face::Over), 18);
    EXPECT_EQ(FaceImage(FaceSet::Restore, Face::Down), 22);
    EXPECT_EQ(kSkinImageNames[FaceImage(FaceSet::Maximize, Face::Down)], "btn_Max_Down");
}

TEST(SkinSet, FolderIsPlainlyGluedToTheProgramFolder) {
    EXPECT_EQ(SkinFolder(L"C:\\Velmora\\", L""), L"C:\\Velmora\\Skin\\Blue\\");
    EXPECT_EQ(SkinFolder(L"C:\\Velmora\\", L"Skin\\Red\\"), L"C:\\Velmora\\Skin\\Red\\");
    EXPECT_EQ(SkinImageFile(L"C:\\Velmora\\Skin\\Red\\", kTopActivate),
              L"C:\\Velmora\\Skin\\Red\\TopActivate.bmp");
    // Without a trailing backslash the file names run into the folder's own name.
    EXPECT_EQ(SkinImageFile(SkinFolder(L"C:\\Velmora\\", L"Skin\\Red"), kTopActivate),
              L"C:\\Velmora\\Skin\\RedTopActivate.bmp");
    EXPECT_EQ(SkinImageFile(L"x\\", 25), L"");
    EXPECT_EQ(SkinImageFile(L"x\\", -1), L"");
}

TEST(FrameSizing, BlueSkinInTheDesignWindow) {
    const FrameSizes s = SizeFrameParts(BlueSkin(), kW, kH);
    EXPECT_EQ(s.topHeight, 32);
    EXPECT_EQ(s.captionHeight, 32);
    EXPECT_EQ(s.bottom, (Extent{817, 4}));
    EXPECT_EQ(s.left, (Extent{4, 600 - 32 - 8 - 4}));
    EXPECT_EQ(s.right, (Extent{4, 556}));
    EXPECT_EQ(s.topLeft, (Extent{4, 8}));
    EXPECT_EQ(s.topRight, (Extent{4, 8}));
    EXPECT_EQ(s.main, (Extent{809, 564}));
}

TEST(FrameSizing, BottomStripAddsTheRightEdgeAndSidesUseTheirOwnUpperPieces) {
    SkinExtents skin = BlueSkin();
    skin[kLeft] = {6, 10};
    skin[kRight] = {3, 10};
    skin[kTopLeft1] = {6, 20};
    skin[kTopRight1] = {3, 5};
    const FrameSizes s = SizeFrameParts(skin, 1000, 700);
    EXPECT_EQ(s.bottom.width, 1000 - 6 + 3);
    EXPECT_EQ(s.left.height, 700 - 32 - 20 - 4);
    EXPECT_EQ(s.right.height, 700 - 32 - 5 - 4);
    EXPECT_EQ(s.main, (Extent{1000 - 6 - 3, 700 - 32 - 4}));
}

TEST(FrameSizing, AnEmptySkinSizesEverythingFromZeros) {
    const FrameSizes s = SizeFrameParts(SkinExtents{}, 400, 250);
    EXPECT_EQ(s.captionHeight, 0);
    EXPECT_EQ(s.main, (Extent{400, 250}));
    EXPECT_EQ(s.left, (Extent{0, 250}));
}

TEST(FramePlacement, BlueSkinInTheDesignWindow) {
    const FramePlacement p = PlaceFrameParts(BlueSkin(), kW, kH, 32, kButtons);
    // An abutting row of buttons ending 8 pixels from the right edge, centred one pixel low.
    EXPECT_EQ(p.hotImages[kMinimizeButton], (Point{kW - 3 * 28 - 8, 6}));
    EXPECT_EQ(p.hotImages[kMaximizeButton], (Point{kW - 2 * 28 - 8, 6}));
    EXPECT_EQ(p.hotImages[kCloseButton], (Point{kW - 28 - 8, 6}));
    EXPECT_EQ(p.hotImages[kTopLeftCorner], (Point{0, 0}));
    EXPECT_EQ(p.hotImages[kTopRightCorner], (Point{809, 0}));
    EXPECT_EQ(p.hotImages[kBottomLeftCorner], (Point{0, 592}));
    EXPECT_EQ(p.hotImages[kBottomRightCorner], (Point{809, 592}));
    EXPECT_EQ(p.systemMenu, (Point{8, 8}));
    EXPECT_EQ(p.topLeft, (Point{0, 32}));
    EXPECT_EQ(p.topRight, (Point{813, 32}));
    EXPECT_EQ(p.left, (Point{0, 40}));
    EXPECT_EQ(p.right, (Point{813, 40}));
    EXPECT_EQ(p.bottom, (Point{8, 596}));
    EXPECT_EQ(p.main, (Point{4, 32}));
    EXPECT_EQ(CaptionLabelTop(BlueSkin()), 11);
}

TEST(FramePlacement, EachPartReadsItsOwnImage) {
    SkinExtents skin = BlueSkin();
    skin[kTopRightActivate] = {12, 40};  // the right upper piece hangs below it
    skin[kTopLeftActivate] = {10, 30};
    skin[kBottomLeft] = {5, 7};
    skin[kBottomRight] = {9, 11};
    // Buttons of their own widths, and a caption height from another window.
    const FramePlacement p = PlaceFrameParts(skin, 1000, 700, 47, {{{20, 17}, {30, 21}, {40, 25}}});
    EXPECT_EQ(p.hotImages[kMinimizeButton], (Point{1000 - 20 * 3 - 8, (47 - 17) / 2 + 1}));
    EXPECT_EQ(p.hotImages[kMaximizeButton], (Point{1000 - 30 * 2 - 8, (47 - 21) / 2 + 1}));
    EXPECT_EQ(p.hotImages[kCloseButton], (Point{1000 - 40 - 8, (47 - 25) / 2 + 1}));
    EXPECT_EQ(p.hotImages[kTopRightCorner], (Point{1000 - 12, 0}));
    EXPECT_EQ(p.hotImages[kBottomLeftCorner], (Point{0, 700 - 7}));
    EXPECT_EQ(p.hotImages[kBottomRightCorner], (Point{1000 - 9, 700 - 11}));
    EXPECT_EQ(p.topRight, (Point{1000 - 4, 40}));
    EXPECT_EQ(p.topLeft, (Point{0, 32}));
    EXPECT_EQ(p.bottom, (Point{5, 700 - 4}));
    EXPECT_EQ(p.systemMenu, (Point{8, 30 / 2 - 8}));
    // Odd heights: integer division.
    skin[kTopLeftActivate] = {10, 31};
    EXPECT_EQ(CaptionLabelTop(skin), 10);
}

TEST(Tiling, CountsRunFromZeroToLengthDivTile) {
    EXPECT_EQ(TileCount(817, 64), 13);  // 0 .. 12
    EXPECT_EQ(TileCount(1920, 64), 31);
    EXPECT_EQ(TileCount(600, 64), 10);
    EXPECT_EQ(TileCount(BottomTileLength(817), 64), 13);
    EXPECT_EQ(TileCount(BottomTileLength(1930), 64), 31);  // 1920 div 64 = 30
    EXPECT_EQ(TileCount(BottomTileLength(1929), 64), 30);  // 1919 div 64 = 29
    EXPECT_EQ(TileCount(64, 64), 2);
    EXPECT_EQ(TileCount(63, 64), 1);
    EXPECT_EQ(TileCount(0, 64), 1);
    EXPECT_EQ(TileCount(1920, 1), 1921);
}

TEST(Tiling, ZeroSizedTileDrawsNothingAndNegativeLengthsStayBounded) {
    EXPECT_EQ(TileCount(1920, 0), 0);
    EXPECT_EQ(TileCount(0, 0), 0);
    EXPECT_EQ(TileCount(1920, -64), 0);
    // A window narrower than 10 pixels: the bottom count truncates toward zero.
    EXPECT_EQ(TileCount(BottomTileLength(4), 64), 1);
    EXPECT_EQ(TileCount(-64, 64), 0);
    EXPECT_EQ(TileCount(-1000, 3), 0);
    // The count itself cannot overflow.
    EXPECT_EQ(TileCount(std::numeric_limits<int>::max(), 1), std::numeric_limits<int>::max());
}

TEST(HitTesting, CornersDragAndClientOfANormalResizableWindow) {
    EXPECT_EQ(Hit(3, 3), HitZone::TopLeft);
    EXPECT_EQ(Hit(7, 10), HitZone::Caption);
    EXPECT_EQ(Hit(6, 10), HitZone::Client);
    EXPECT_EQ(Hit(7, 7), HitZone::Caption);
    EXPECT_EQ(Hit(7, 6), HitZone::Client);
    EXPECT_EQ(Hit(100, 5), HitZone::Top);
    EXPECT_EQ(Hit(5, 300), HitZone::Left);
    EXPECT_EQ(Hit(0, 599), HitZone::BottomLeft);
    EXPECT_EQ(Hit(816, 0), HitZone::TopRight);
    EXPECT_EQ(Hit(816, 599), HitZone::BottomRight);
    // Right and bottom borders are the outer 5 pixels.
    EXPECT_EQ(Hit(812, 300), HitZone::Right);
    EXPECT_EQ(Hit(811, 300), HitZone::Client);
    EXPECT_EQ(Hit(300, 595), HitZone::Bottom);
    EXPECT_EQ(Hit(300, 594), HitZone::Client);
    // The caption band below the top border is client beyond the drag limit (minimize left - 80)...
    EXPECT_EQ(Hit(kMinimizeLeft - 81, 10), HitZone::Caption);
    EXPECT_EQ(Hit(kMinimizeLeft - 80, 10), HitZone::Client);
    EXPECT_EQ(Hit(kMinimizeLeft + 5, 10), HitZone::Client);
    // ...and the caption ends at the caption height.
    EXPECT_EQ(Hit(100, 31), HitZone::Caption);
    EXPECT_EQ(Hit(100, 32), HitZone::Client);
    // The caption zone wins over the borders only where it reaches (x > 6, y > 6).
    EXPECT_EQ(Hit(3, 10), HitZone::Left);
}

TEST(HitTesting, FixedSizeWindowKeepsTheSystemAnswerAndDragsFurtherRight) {
    EXPECT_EQ(Hit(3, 3, false), HitZone::Default);
    EXPECT_EQ(Hit(816, 599, false), HitZone::Default);
    EXPECT_EQ(Hit(300, 300, false), HitZone::Default);
    EXPECT_EQ(Hit(kMinimizeLeft + 19, 10, false), HitZone::Caption);
    EXPECT_EQ(Hit(kMinimizeLeft + 20, 10, false), HitZone::Default);
    EXPECT_EQ(Hit(7, 10, false), HitZone::Caption);
}

TEST(HitTesting, MaximizedWindowDragsByItsCaptionButHasNoBorders) {
    EXPECT_EQ(Hit(7, 10, true, true), HitZone::Caption);
    EXPECT_EQ(Hit(3, 3, true, true), HitZone::Default);
    EXPECT_EQ(Hit(816, 300, true, true), HitZone::Default);
    EXPECT_EQ(Hit(kMinimizeLeft - 80, 10, true, true), HitZone::Default);
}

TEST(CaptionDoubleClick, ZoneEndsAtTheMinimizeButtonWithoutTheDragAdjustment) {
    EXPECT_TRUE(InCaptionDoubleClickZone(7, 7, 32, kMinimizeLeft));
    EXPECT_TRUE(InCaptionDoubleClickZone(kMinimizeLeft - 1, 31, 32, kMinimizeLeft));
    EXPECT_FALSE(InCaptionDoubleClickZone(6, 10, 32, kMinimizeLeft));
    EXPECT_FALSE(InCaptionDoubleClickZone(10, 6, 32, kMinimizeLeft));
    EXPECT_FALSE(InCaptionDoubleClickZone(kMinimizeLeft, 10, 32, kMinimizeLeft));
    EXPECT_FALSE(InCaptionDoubleClickZone(10, 32, 32, kMinimizeLeft));
    EXPECT_EQ(CaptionDoubleClickCommand(FrameState::Normal), CaptionCommand::Maximize);
    EXPECT_EQ(CaptionDoubleClickCommand(FrameState::Maximized), CaptionCommand::Restore);
    EXPECT_EQ(CaptionDoubleClickCommand(FrameState::Minimized), CaptionCommand::None);
}

TEST(Sizing, DraggedEdgeIsPinnedAtTheMinimumSize) {
    // Left edge dragged to a width of 700: the left edge sits 800 left of the right one.
    EXPECT_EQ(PinMinimumTrackSize({300, 100, 1000, 700}, 1), (Rect{200, 100, 1000, 700}));
    // Bottom dragged to a height of 500: the bottom sits 600 below the top.
    EXPECT_EQ(PinMinimumTrackSize({100, 100, 1000, 600}, 6), (Rect{100, 100, 1000, 700}));
    EXPECT_EQ(PinMinimumTrackSize({100, 100, 800, 700}, 2), (Rect{100, 100, 900, 700}));
    EXPECT_EQ(PinMinimumTrackSize({100, 200, 1000, 700}, 3), (Rect{100, 100, 1000, 700}));
    // Corners pin both their edges.
    EXPECT_EQ(PinMinimumTrackSize({300, 300, 1000, 700}, 4), (Rect{200, 100, 1000, 700}));
    EXPECT_EQ(PinMinimumTrackSize({100, 300, 500, 700}, 5), (Rect{100, 100, 900, 700}));
    EXPECT_EQ(PinMinimumTrackSize({300, 100, 1000, 400}, 7), (Rect{200, 100, 1000, 700}));
    EXPECT_EQ(PinMinimumTrackSize({100, 100, 500, 400}, 8), (Rect{100, 100, 900, 700}));
}

TEST(Sizing, OnlyTheDraggedEdgesMoveAndLargeEnoughSizesStay) {
    // A side edge does not touch a height that is too small, nor a top edge a width.
    EXPECT_EQ(PinMinimumTrackSize({300, 100, 1000, 300}, 1), (Rect{200, 100, 1000, 300}));
    EXPECT_EQ(PinMinimumTrackSize({300, 300, 1000, 700}, 3), (Rect{300, 100, 1000, 700}));
    EXPECT_EQ(PinMinimumTrackSize({0, 0, 800, 600}, 4), (Rect{0, 0, 800, 600}));
    EXPECT_EQ(PinMinimumTrackSize({0, 0, 1920, 1080}, 8), (Rect{0, 0, 1920, 1080}));
    // An edge code the sizing message never sends changes nothing.
    EXPECT_EQ(PinMinimumTrackSize({0, 0, 10, 10}, 9), (Rect{0, 0, 10, 10}));
    EXPECT_EQ(PinMinimumTrackSize({0, 0, 10, 10}, 0), (Rect{0, 0, 10, 10}));
}

TEST(CaptionButtons, CommandsFacesAndHints) {
    for (FrameState state : {FrameState::Normal, FrameState::Maximized, FrameState::Minimized}) {
        EXPECT_EQ(CaptionButtonCommand(kMinimizeButton, state), CaptionCommand::Minimize);
        EXPECT_EQ(CaptionButtonCommand(kCloseButton, state), CaptionCommand::Close);
        for (int corner = kTopLeftCorner; corner <= kBottomRightCorner; ++corner) {
            EXPECT_EQ(CaptionButtonCommand(corner, state), CaptionCommand::None);
        }
    }
    EXPECT_EQ(CaptionButtonCommand(kMaximizeButton, FrameState::Normal), CaptionCommand::Maximize);
    EXPECT_EQ(CaptionButtonCommand(kMaximizeButton, FrameState::Maximized), CaptionCommand::Restore);
    EXPECT_EQ(CaptionButtonCommand(kMaximizeButton, FrameState::Minimized), CaptionCommand::None);

    EXPECT_EQ(ButtonFaceSet(kMinimizeButton, true), FaceSet::Minimize);
    EXPECT_EQ(ButtonFaceSet(kMaximizeButton, false), FaceSet::Maximize);
    EXPECT_EQ(ButtonFaceSet(kMaximizeButton, true), FaceSet::Restore);
    EXPECT_EQ(ButtonFaceSet(kCloseButton, true), FaceSet::Close);
    EXPECT_STREQ(ButtonHint(FaceSet::Minimize), "隐藏");
    EXPECT_STREQ(ButtonHint(FaceSet::Maximize), "最大化");
    EXPECT_STREQ(ButtonHint(FaceSet::Close), "关闭");
    EXPECT_STREQ(ButtonHint(FaceSet::Restore), "恢复");
}

TEST(MaximizeBounds, WorkAreaLessOnePixelOfHeight) {
    const MaximizeBounds b = MaximizeBoundsFor({0, 0, 1920, 1040});
    EXPECT_EQ(b.position, (Point{0, 0}));
    EXPECT_EQ(b.size, (Extent{1920, 1039}));
    const MaximizeBounds shifted = MaximizeBoundsFor({100, 40, 1380, 1024});
    EXPECT_EQ(shifted.position, (Point{100, 40}));
    EXPECT_EQ(shifted.size, (Extent{1280, 983}));
}

// The fixed distances scale with the window, the sizes read from the (already scaled) images do not
// scale again.
class FrameAtScale : public testing::TestWithParam<int> {
  protected:
    tk::DpiScale scale{GetParam()};
    int S(int design) const { return scale.ToPixels(design); }
};

TEST_P(FrameAtScale, GapsBordersAndTheMinimumSizeScale) {
    const FramePlacement p = PlaceFrameParts(BlueSkin(), kW, kH, 32, kButtons, scale);
    EXPECT_EQ(p.hotImages[kCloseButton], (Point{kW - 28 - S(8), 5 + S(1)}));
    EXPECT_EQ(p.systemMenu, (Point{S(8), 16 - S(8)}));
    EXPECT_EQ(p.topRight, (Point{813, 32}));  // from the images alone
    EXPECT_EQ(CaptionLabelTop(BlueSkin(), scale), 16 - S(5));
    EXPECT_EQ(BottomTileLength(kW, scale), kW - S(10));

    HitTestInput in;
    in.width = kW;
    in.height = kH;
    in.captionHeight = 32;
    in.minimizeLeft = kMinimizeLeft;
    in.scale = scale;
    const int b = S(kResizeBorder);
    auto at = [&](int x, int y) {
        in.x = x;
        in.y = y;
        return HitTest(in);
    };
    EXPECT_EQ(at(b - 1, 300), HitZone::Left);
    EXPECT_EQ(at(b, 300), HitZone::Client);
    EXPECT_EQ(at(kW - b + 1, 300), HitZone::Right);
    EXPECT_EQ(at(kW - b, 300), HitZone::Client);
    EXPECT_EQ(at(kMinimizeLeft - S(80) - 1, 10 + b), HitZone::Caption);
    EXPECT_EQ(at(kMinimizeLeft - S(80), 10 + b), HitZone::Client);
    EXPECT_TRUE(InCaptionDoubleClickZone(b + 1, b + 1, 32 + b, kMinimizeLeft, scale));
    EXPECT_FALSE(InCaptionDoubleClickZone(b, b + 1, 32 + b, kMinimizeLeft, scale));

    const Rect pinned =
        PinMinimumTrackSize({100, 100, 200, 200}, static_cast<int>(SizingEdge::BottomRight), scale);
    EXPECT_EQ(pinned, (Rect{100, 100, 100 + S(kMinimumWidth), 100 + S(kMinimumHeight)}));
}

INSTANTIATE_TEST_SUITE_P(Dpis, FrameAtScale, testing::Values(96, 120, 144, 192));

TEST(MaximizeBounds, OnEachMonitorTheWorkAreaRelativeToThatMonitor) {
    const struct {
        const char* what;
        Rect monitor;
        Rect work;
        MaximizeBounds expected;
    } cases[] = {
        {"primary, task bar at the bottom", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {{0, 0}, {1920, 1039}}},
        {"primary, task bar at the top", {0, 0, 1920, 1080}, {0, 40, 1920, 1080}, {{0, 40}, {1920, 1039}}},
        {"primary, task bar on the left", {0, 0, 1920, 1080}, {60, 0, 1920, 1080}, {{60, 0}, {1860, 1079}}},
        {"primary, task bar on the right", {0, 0, 1920, 1080}, {0, 0, 1860, 1080}, {{0, 0}, {1860, 1079}}},
        {"smaller monitor on the left", {-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, {{0, 0}, {1280, 983}}},
        {"larger monitor on the right",
         {1920, -360, 4480, 1080},
         {1920, -360, 4480, 1040},
         {{0, 0}, {2560, 1399}}},
        {"second monitor, task bar at its top",
         {1920, 0, 3840, 1200},
         {1920, 40, 3840, 1200},
         {{0, 40}, {1920, 1159}}},
        {"second monitor, task bar on its left",
         {1920, 0, 3840, 1200},
         {1980, 0, 3840, 1200},
         {{60, 0}, {1860, 1199}}},
    };
    for (const auto& c : cases) {
        const MaximizeBounds b = MaximizeBoundsOn(c.monitor, c.work);
        EXPECT_EQ(b.position, c.expected.position) << c.what;
        EXPECT_EQ(b.size, c.expected.size) << c.what;
    }
}

TEST(SystemMenu, ItemsFollowTheStateAndLayoutAndRunTheButtonsCommands) {
    using enum SystemMenuItem;
    // Per state: restore, move, size, minimize, maximize, close.
    const struct {
        FrameState state;
        bool resizable;
        std::array<bool, 6> enabled;
    } cases[] = {
        {FrameState::Normal, true, {false, true, true, true, true, true}},
        {FrameState::Normal, false, {false, true, false, true, false, true}},
        {FrameState::Maximized, true, {true, false, false, true, false, true}},
    };
    for (const auto& c : cases) {
        for (size_t i = 0; i < std::size(kSystemMenuItems); ++i) {
            EXPECT_EQ(SystemMenuItemEnabled(kSystemMenuItems[i], c.state, c.resizable), c.enabled[i])
                << SystemMenuItemText(kSystemMenuItems[i]) << " resizable " << c.resizable;
        }
    }
    EXPECT_EQ(SystemMenuItemCommand(Minimize), CaptionCommand::Minimize);
    EXPECT_EQ(SystemMenuItemCommand(Restore), CaptionCommand::Restore);
    EXPECT_EQ(SystemMenuItemCommand(Move), CaptionCommand::None);
}
