// The owner-drawn popup menu, driven through its real window: the measure and draw messages the
// system sends while the menu is open, the DC and font it hands to the items, and the menu loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ImportHook.h"
#include "base/Error.h"
#include "base/Text.h"
#include "support/MessageBoxes.h"
#include "support/Pixels.h"
#include "toolkit/PopupMenu.h"

using testsupport::Surface;

namespace {

constexpr COLORREF kOrange = RGB(252, 165, 36);
constexpr COLORREF kBlack = RGB(0, 0, 0);

LOGFONTW SystemMenuFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMenuFont;
}

// The face of the font currently selected into a DC.
std::wstring CurrentFace(HDC dc) {
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
    return font.lfFaceName;
}

LRESULT Measure(tk::PopupMenu& menu, tk::MenuItem& item, MEASUREITEMSTRUCT& mis) {
    mis.CtlType = ODT_MENU;
    mis.itemData = reinterpret_cast<ULONG_PTR>(&item);
    return SendMessageW(menu.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
}

LRESULT Draw(tk::PopupMenu& menu, tk::MenuItem& item, HDC dc, const RECT& rect, UINT state) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = reinterpret_cast<ULONG_PTR>(&item);
    return SendMessageW(menu.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

// Fills the item's rectangle and remembers what the DC came with.
struct DrawProbe {
    COLORREF textColour = CLR_INVALID;
    std::wstring face;
    int calls = 0;
    void Attach(tk::MenuItem& item) {
        item.OnAdvancedDrawItem = [this](HDC dc, const RECT& rect, UINT) {
            ++calls;
            textColour = GetTextColor(dc);
            face = CurrentFace(dc);
            tk::UniqueBrush brush(CreateSolidBrush(kOrange));
            FillRect(dc, &rect, brush.Get());
        };
    }
};

}  // namespace

TEST(ToolkitPopupMenu, MeasureMessageAsksTheItemWithTheMenuFontSelected) {
    tk::PopupMenu menu;
    ASSERT_NE(menu.Handle(), nullptr);
    tk::MenuItem& item = menu.Add("item", L"item");
    std::wstring face;
    item.OnMeasureItem = [&](HDC dc, int& width, int& height) {
        face = CurrentFace(dc);
        width = 80;
        height = 30;
    };
    MEASUREITEMSTRUCT mis{};
    EXPECT_EQ(Measure(menu, item, mis), TRUE);
    EXPECT_EQ(mis.itemWidth, 80u);
    EXPECT_EQ(mis.itemHeight, 30u);
    EXPECT_EQ(face, SystemMenuFont().lfFaceName);
    // An item without a measure event takes no room.
    tk::MenuItem& bare = menu.Add("bare", L"bare");
    mis = MEASUREITEMSTRUCT{0, 0, 0, 7, 7, 0};
    EXPECT_EQ(Measure(menu, bare, mis), TRUE);
    EXPECT_EQ(mis.itemWidth, 0u);
    EXPECT_EQ(mis.itemHeight, 0u);
}

TEST(ToolkitPopupMenu, DrawMessagePaintsIntoTheItemsDcWithTheMenuFontAndTheStatesTextColour) {
    tk::PopupMenu menu;
    tk::MenuItem& item = menu.Add("item", L"item");
    DrawProbe probe;
    probe.Attach(item);
    Surface surface(100, 60, kBlack);
    SetTextColor(surface.Dc(), RGB(1, 2, 3));
    HGDIOBJ fontBefore = GetCurrentObject(surface.Dc(), OBJ_FONT);

    EXPECT_EQ(Draw(menu, item, surface.Dc(), RECT{10, 20, 90, 50}, ODS_SELECTED), TRUE);
    EXPECT_EQ(probe.textColour, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(probe.face, SystemMenuFont().lfFaceName);
    EXPECT_EQ(surface.CountOtherThan(kOrange, RECT{10, 20, 90, 50}), 0);
    EXPECT_EQ(surface.Count(kOrange), 80 * 30);
    // The DC is handed back as it came.
    EXPECT_EQ(GetTextColor(surface.Dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetCurrentObject(surface.Dc(), OBJ_FONT), fontBefore);

    Draw(menu, item, surface.Dc(), RECT{10, 20, 90, 50}, 0);
    EXPECT_EQ(probe.textColour, GetSysColor(COLOR_MENUTEXT));
    EXPECT_EQ(probe.calls, 2);
}

TEST(ToolkitPopupMenu, MessagesForOtherControlsOrWithoutAnItemAreLeftToTheSystem) {
    tk::PopupMenu menu;
    tk::MenuItem& item = menu.Add("item", L"item");
    DrawProbe probe;
    probe.Attach(item);
    Surface surface(10, 10);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.hDC = surface.Dc();
    dis.itemData = reinterpret_cast<ULONG_PTR>(&item);
    EXPECT_EQ(SendMessageW(menu.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), FALSE);
    dis.CtlType = ODT_MENU;
    dis.itemData = 0;
    EXPECT_EQ(SendMessageW(menu.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), FALSE);
    EXPECT_EQ(probe.calls, 0);
}

namespace {

// DeleteObject as the code under test calls it, watched: was the font being deleted still the
// current font of the DC an item was given?
struct FontDeletionWatch {
    HDC dc = nullptr;
    int fontsDeleted = 0;
    int deletedWhileSelected = 0;
    void* original = nullptr;
} fontWatch;

BOOL WINAPI WatchingDeleteObject(HGDIOBJ object) {
    if (fontWatch.dc && GetObjectType(object) == OBJ_FONT) {
        ++fontWatch.fontsDeleted;
        if (GetCurrentObject(fontWatch.dc, OBJ_FONT) == object) {
            ++fontWatch.deletedWhileSelected;
        }
    }
    return reinterpret_cast<decltype(&DeleteObject)>(fontWatch.original)(object);
}

}  // namespace

// A font still selected into a DC cannot be deleted (the deletion fails and the font leaks), so the
// menu font must be deselected before it goes, for every item painted and measured.
TEST(ToolkitPopupMenu, TheMenuFontIsDeletedOnlyAfterTheItemsDcHasLetGoOfIt) {
    tk::PopupMenu menu;
    tk::MenuItem& item = menu.Add("item", L"item");
    item.OnAdvancedDrawItem = [](HDC dc, const RECT& rect, UINT) {
        DrawTextW(dc, L"item", 4, const_cast<RECT*>(&rect), DT_SINGLELINE | DT_VCENTER);
    };
    item.OnMeasureItem = [](HDC dc, int& width, int& height) {
        fontWatch.dc = dc;  // the measuring DC is the menu's own
        width = height = 20;
    };
    testsupport::ImportHook hook("gdi32.dll", "DeleteObject", reinterpret_cast<void*>(&WatchingDeleteObject));
    ASSERT_TRUE(hook.Installed());
    fontWatch = FontDeletionWatch{nullptr, 0, 0, hook.Original()};

    Surface surface(100, 30);
    fontWatch.dc = surface.Dc();
    ASSERT_EQ(Draw(menu, item, surface.Dc(), RECT{0, 0, 100, 30}, ODS_SELECTED), TRUE);
    EXPECT_EQ(fontWatch.fontsDeleted, 1);
    EXPECT_EQ(fontWatch.deletedWhileSelected, 0);

    fontWatch = FontDeletionWatch{nullptr, 0, 0, hook.Original()};  // the measure event names its DC
    MEASUREITEMSTRUCT mis{};
    ASSERT_EQ(Measure(menu, item, mis), TRUE);
    EXPECT_EQ(fontWatch.fontsDeleted, 1);
    EXPECT_EQ(fontWatch.deletedWhileSelected, 0);
    fontWatch.dc = nullptr;
}

TEST(ToolkitPopupMenu, AnErrorWhilePaintingAnItemIsShownAndTheDcIsHandedBackAsItCame) {
    tk::PopupMenu menu;
    tk::MenuItem& item = menu.Add("item", L"item");
    item.OnAdvancedDrawItem = [](HDC dc, const RECT&, UINT) {
        SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
        throw base::Error("cannot paint this item");
    };
    testsupport::MessageBoxWatcher boxes;
    Surface surface(10, 10);
    HGDIOBJ fontBefore = GetCurrentObject(surface.Dc(), OBJ_FONT);
    EXPECT_EQ(Draw(menu, item, surface.Dc(), RECT{0, 0, 10, 10}, 0), TRUE);
    ASSERT_TRUE(boxes.WaitFor(1, 3000));
    EXPECT_EQ(boxes.Boxes()[0].text, L"cannot paint this item");
    EXPECT_EQ(GetCurrentObject(surface.Dc(), OBJ_FONT), fontBefore);
}

namespace {

// Ends a menu loop that never got its keys, so that a failing test fails instead of hanging.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EndMenu();
}

}  // namespace

TEST(ToolkitPopupMenu, PopupMeasuresAndDrawsOnlyVisibleItemsAndRunsTheChosenItemsClick) {
    tk::PopupMenu menu;
    menu.ownerDraw = true;
    std::vector<std::wstring> measured, drawn;
    std::vector<std::string> clicked;
    for (const wchar_t* caption : {L"first", L"hidden", L"last"}) {
        tk::MenuItem& item = menu.Add(base::WideToUtf8(caption), caption);
        item.visible = std::wstring(caption) != L"hidden";
        item.OnMeasureItem = [&measured, &item](HDC, int& width, int& height) {
            measured.push_back(item.caption);
            width = 80;
            height = 20;
        };
        item.OnClick = [&clicked, &item] { clicked.push_back(item.name); };
    }
    // Once the last item is on screen, choose it by keyboard, as a user would: down, down, enter.
    menu.Find("first")->OnAdvancedDrawItem = [&](HDC, const RECT&, UINT) { drawn.push_back(L"first"); };
    menu.Find("last")->OnAdvancedDrawItem = [&](HDC, const RECT&, UINT) {
        drawn.push_back(L"last");
        if (drawn.size() == 2) {
            HWND popup = FindWindowW(L"#32768", nullptr);
            for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
                PostMessageW(popup, WM_KEYDOWN, key, 0);
            }
        }
    };
    const UINT_PTR safety = SetTimer(nullptr, 0, 10000, &EndStuckMenu);
    menu.Popup(200, 200);
    KillTimer(nullptr, safety);
    EXPECT_EQ(measured, (std::vector<std::wstring>{L"first", L"last"}));
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], L"first");
    EXPECT_EQ(clicked, std::vector<std::string>{"last"});
}
