#include "toolkit/PopupMenu.h"

#include "base/Error.h"
#include "base/Log.h"
#include "base/Slot.h"
#include "toolkit/Application.h"
#include "toolkit/WindowClass.h"
#include "toolkit/WindowDpi.h"

namespace tk {
namespace {

const UINT kFirstCommand = 1;

// SystemParametersInfoForDpi (Windows 10 1607 and later) is looked up at run time.
using ParametersForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

// The system's menu font at a DPI: asked for that DPI where the system can, else the font of the
// system DPI with its height scaled.
UniqueFont MenuFont(int dpi) {
    static const auto forDpi = reinterpret_cast<ParametersForDpiFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!forDpi || !forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        metrics.lfMenuFont.lfHeight = DpiScale(dpi).FromDpi(metrics.lfMenuFont.lfHeight, SystemDpi());
    }
    return UniqueFont(CreateFontIndirectW(&metrics.lfMenuFont));
}

MenuItem* FindIn(const std::vector<std::unique_ptr<MenuItem>>& items, const std::string& name) {
    for (const auto& item : items) {
        if (item->name == name) {
            return item.get();
        }
        if (MenuItem* found = FindIn(item->Items(), name)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

// Owns the menu while it is shown and draws its owner-drawn items.
class PopupMenu::OwnerWindow : public Window {
  public:
    OwnerWindow() { CreateHandle(WindowParams::Hidden(ClassName(L"PopupMenu"), "the popup menu's window")); }

    // The DPI of the monitor the menu opens on: its font and items are made for it.
    int dpi = SystemDpi();

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

MenuItem& MenuItem::Add(std::string itemName, std::wstring itemCaption) {
    items_.push_back(std::make_unique<MenuItem>(std::move(itemName), std::move(itemCaption)));
    return *items_.back();
}

PopupMenu::PopupMenu() = default;

PopupMenu::~PopupMenu() = default;

int PopupMenu::Dpi() const {
    return window_ ? window_->dpi : SystemDpi();
}

HWND PopupMenu::Handle() {
    if (window_ || windowFailed_) {
        return window_ ? window_->Handle() : nullptr;
    }
    // Without its owner window the menu cannot open; the program goes on, and the log says why (once).
    try {
        window_ = std::make_unique<OwnerWindow>();
    } catch (const base::Error& e) {
        windowFailed_ = true;
        base::LogF("No popup menu: %s", e.what());
    }
    return window_ ? window_->Handle() : nullptr;
}

MenuItem& PopupMenu::Add(std::string name, std::wstring caption) {
    items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
    return *items_.back();
}

MenuItem* PopupMenu::Find(const std::string& name) const {
    return FindIn(items_, name);
}

UniqueMenu PopupMenu::Build(const std::vector<std::unique_ptr<MenuItem>>& items,
                            std::vector<MenuItem*>& commands) {
    UniqueMenu menu(CreatePopupMenu());
    for (const auto& item : items) {
        if (!item->visible) {
            continue;
        }
        UINT flags = ownerDraw ? MF_OWNERDRAW : MF_STRING;
        UniqueMenu submenu;
        UINT_PTR id;
        if (!item->Items().empty()) {
            flags |= MF_POPUP;
            submenu = Build(item->Items(), commands);
            id = reinterpret_cast<UINT_PTR>(submenu.Get());
        } else {
            commands.push_back(item.get());
            id = kFirstCommand + commands.size() - 1;
        }
        LPCWSTR data = ownerDraw ? reinterpret_cast<LPCWSTR>(item.get()) : item->caption.c_str();
        if (AppendMenuW(menu.Get(), flags, id, data)) {
            submenu.Release();  // the menu owns its submenus from now on
        }
    }
    return menu;
}

void PopupMenu::Popup(int x, int y) {
    if (!Handle()) {
        return;
    }
    window_->dpi = PointDpi(POINT{x, y});
    std::vector<MenuItem*> commands;
    UniqueMenu menu = Build(items_, commands);
    const UINT flags =
        TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NOANIMATION | (rightAligned ? TPM_RIGHTALIGN : 0);
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenuEx(menu.Get(), flags, x, y, window_->Handle(), nullptr));
    // Lets the menu close properly when it was opened from a notification-area icon.
    PostMessageW(window_->Handle(), WM_NULL, 0, 0);
    if (chosen >= kFirstCommand && chosen - kFirstCommand < commands.size()) {
        base::Fire(commands[chosen - kFirstCommand]->OnClick);
    }
}

LRESULT PopupMenu::OwnerWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A failing item is reported like any other failure, and still counts as measured or drawn.
    try {
        if (message == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            auto* item = reinterpret_cast<MenuItem*>(mis->itemData);
            if (mis->CtlType == ODT_MENU && item) {
                int width = 0, height = 0;
                if (item->OnMeasureItem) {
                    WindowDc screen(nullptr);
                    UniqueFont font = MenuFont(dpi);
                    SelectGuard select(screen.Get(), font.Get());
                    base::Fire(item->OnMeasureItem, screen.Get(), width, height);
                }
                mis->itemWidth = static_cast<UINT>(width);
                mis->itemHeight = static_cast<UINT>(height);
                return TRUE;
            }
        } else if (message == WM_DRAWITEM) {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            auto* item = reinterpret_cast<MenuItem*>(dis->itemData);
            if (dis->CtlType == ODT_MENU && item) {
                // The font outlives the DC's saved state: the state is restored (and the font deselected)
                // before the font is deleted, since a font still selected into a DC cannot be deleted.
                UniqueFont font = MenuFont(dpi);
                SavedDc saved(dis->hDC);
                SelectObject(dis->hDC, font.Get());
                const bool selected = (dis->itemState & ODS_SELECTED) != 0;
                SetTextColor(dis->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
                base::Fire(item->OnAdvancedDrawItem, dis->hDC, dis->rcItem, dis->itemState);
                return TRUE;
            }
        }
    } catch (...) {
        Application::Instance().HandleException();
        return TRUE;
    }
    return Window::WndProc(message, wParam, lParam);
}

}  // namespace tk
