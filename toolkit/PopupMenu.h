// PopupMenu: a context menu of MenuItems (with submenus), built afresh each time it pops up from the
// items that are visible, optionally owner-drawn through the items' measure and draw events.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/GdiHandles.h"

namespace tk {

class MenuItem {
  public:
    MenuItem(std::string name, std::wstring caption) : name(std::move(name)), caption(std::move(caption)) {}

    std::string name;
    std::wstring caption;
    bool visible = true;

    std::function<void()> OnClick;
    // Owner drawing: the measure event fills the item's size; the draw event paints it into dc within
    // rect, given the ODS_* state. The DC comes with the menu font and, as text colour, the highlight
    // text colour for a selected item and the menu text colour otherwise.
    std::function<void(HDC dc, int& width, int& height)> OnMeasureItem;
    std::function<void(HDC dc, const RECT& rect, UINT state)> OnAdvancedDrawItem;

    // Adds an item to this item's submenu.
    MenuItem& Add(std::string name, std::wstring caption);
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

  private:
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class PopupMenu {
  public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    MenuItem& Add(std::string name, std::wstring caption);
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    // The item of that name anywhere in the menu, or nullptr.
    MenuItem* Find(const std::string& name) const;

    bool ownerDraw = false;
    // Right: the menu's right edge at the popup point.
    bool rightAligned = false;

    // Shows the menu at a screen point and, when an item is chosen, runs its click event. The menu
    // is made for the DPI of the monitor at that point.
    void Popup(int x, int y);
    // That DPI, while the menu is shown (for the items' measure and draw events); before it was
    // first shown, the system DPI.
    int Dpi() const;
    // The hidden window that owns the menu while it is shown, made at the first call (a window less to
    // create at start-up for a menu that may never open); nullptr when it cannot be made.
    HWND Handle();

  private:
    class OwnerWindow;
    UniqueMenu Build(const std::vector<std::unique_ptr<MenuItem>>& items, std::vector<MenuItem*>& commands);

    std::vector<std::unique_ptr<MenuItem>> items_;
    std::unique_ptr<OwnerWindow> window_;
    bool windowFailed_ = false;
};

}  // namespace tk
