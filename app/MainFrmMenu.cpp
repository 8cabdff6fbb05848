// The tray icon's owner-drawn menu: the platform's pages, the settings, exit, and the (hidden) program
// folder and window-size presets.
#include "app/MainFrm.h"

#include <algorithm>

#include "app/TrayMenuLayout.h"
#include "config/AppConfigClass.h"
#include "toolkit/Application.h"
#include "base/Module.h"
#include "base/Text.h"

namespace app {
namespace {

COLORREF ToColorRef(uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

struct SizePreset {
    const char* name;
    const wchar_t* caption;
    int width;
    int height;
};

const SizePreset kSizePresets[] = {
    {"N800X6001", L"800 * 600", 800, 600},      {"N10247681", L"1024 * 768", 1024, 768},
    {"N12808001", L"1280 * 800", 1280, 800},    {"N12807201", L"1280 * 720", 1280, 720},
    {"mniN1440X900", L"1440 * 900", 1440, 900},
};

}  // namespace

void TMainForm::CreateTrayMenu() {
    trayMenu_.ownerDraw = true;
    trayMenu_.rightAligned = true;
    auto addItem = [this](tk::MenuItem& item, bool sizePreset) {
        item.OnMeasureItem = [this, sizePreset, &item](HDC dc, int& width, int& height) {
            if (sizePreset) {
                SubMenuMeasureItem(dc, width, height);
            } else {
                MeasureItem(dc, width, height);
            }
            // Never narrower than the caption in the menu's font: a font wider than the design's
            // (another system's menu font) would cut its end off.
            SIZE text{};
            if (dc && GetTextExtentPoint32W(dc, item.caption.c_str(), static_cast<int>(item.caption.size()),
                                            &text)) {
                const tk::DpiScale scale(trayMenu_.Dpi());
                width = std::max(width, scale.ToPixels(kMenuCaptionIndent) + static_cast<int>(text.cx) +
                                            scale.ToPixels(2));
            }
        };
        item.OnAdvancedDrawItem = [this, &item](HDC dc, const RECT& rect, UINT state) {
            PaintMenuItem(item, dc, state, rect);
        };
        return &item;
    };
    addItem(trayMenu_.Add("NSuggest", L"提交建议"), false)->OnClick = [this] { NSuggestClick(); };
    addItem(trayMenu_.Add("mniNVisitSite", L"访问网站"), false)->OnClick = [this] { mniNVisitSiteClick(); };
    tk::MenuItem* openFolder = addItem(trayMenu_.Add("mmiOpenFolder", L"打开目录"), false);
    openFolder->OnClick = [this] { mmiOpenFolderClick(); };
    openFolder->visible = false;
    tk::MenuItem* winSize = addItem(trayMenu_.Add("mniWinSize", L"窗口大小"), false);
    winSize->visible = false;
    for (const SizePreset& preset : kSizePresets) {
        addItem(winSize->Add(preset.name, preset.caption), true)->OnClick = [this, preset] {
            SetWindowSize(preset.width, preset.height);
        };
    }
    addItem(trayMenu_.Add("mniSetting", L"参数设置"), false)->OnClick = [this] { mniSettingClick(); };
    addItem(trayMenu_.Add("NCloseUI", L"退出程序"), false)->OnClick = [this] { NCloseUIClick(); };
}

// The items' sizes are design sizes, made for the DPI of the monitor the menu opens on.
void TMainForm::MeasureItem(HDC, int& Width, int& Height) {
    const tk::DpiScale scale(trayMenu_.Dpi());
    const MenuItemSize size = MenuItemMetrics(false);
    Width = scale.ToPixels(size.width);
    Height = scale.ToPixels(size.height);
}

void TMainForm::SubMenuMeasureItem(HDC, int& Width, int& Height) {
    const tk::DpiScale scale(trayMenu_.Dpi());
    const MenuItemSize size = MenuItemMetrics(true);
    Width = scale.ToPixels(size.width);
    Height = scale.ToPixels(size.height);
}

void TMainForm::PaintMenuItem(const tk::MenuItem& Item, HDC Canvas, UINT State, RECT Rect) {
    const COLORREF color = ToColorRef((State & ODS_SELECTED) ? kMenuSelectedColor : kMenuPlainColor);
    tk::UniqueBrush brush(CreateSolidBrush(color));
    tk::UniquePen pen(CreatePen(PS_SOLID, 1, color));
    tk::SelectGuard selectBrush(Canvas, brush.Get());
    tk::SelectGuard selectPen(Canvas, pen.Get());
    Rectangle(Canvas, Rect.left, Rect.top, Rect.right, Rect.bottom);
    if (Item.caption != L"-") {
        Rect.left += tk::DpiScale(trayMenu_.Dpi()).ToPixels(kMenuCaptionIndent);
        SetBkMode(Canvas, OPAQUE);
        SetBkColor(Canvas, color);
        DrawTextW(Canvas, Item.caption.c_str(), static_cast<int>(Item.caption.size()), &Rect,
                  DT_SINGLELINE | DT_VCENTER);
    } else {
        tk::UniquePen black(CreatePen(PS_SOLID, 1, ToColorRef(kMenuSeparatorColor)));
        tk::SelectGuard selectBlack(Canvas, black.Get());
        const int y = Rect.top + (Rect.bottom - Rect.top) / 2;
        MoveToEx(Canvas, Rect.left, y, nullptr);
        LineTo(Canvas, Rect.right, y);
    }
}

void TMainForm::NSuggestClick() {
    if (auto page = SitePageAddress(startUrl_, "/Detail.aspx?subjectID=16")) {
        ShellOpen(L"open", L"IEXPLORE.EXE", base::AnsiToWide(*page));
    }
}

void TMainForm::mniNVisitSiteClick() {
    if (auto page = SitePageAddress(startUrl_, "/")) {
        ShellOpen(L"open", L"IEXPLORE.EXE", base::AnsiToWide(*page));
    }
}

void TMainForm::mmiOpenFolderClick() {
    ShellOpen(L"open", L"Explorer.exe", base::ExeFolder());
}

void TMainForm::mniSettingClick() {
    OpenSettingsDialog();
}

void TMainForm::NCloseUIClick() {
    tk::Application::Instance().Terminate();
}

void TMainForm::SetWindowSize(int Width, int Height) {
    if (GetWindowState() == tk::WindowState::Maximized) {
        SetWindowState(tk::WindowState::Normal);
    }
    // The presets are sizes at 100 %, like every design size: "1024 * 768" keeps what the user sees
    // at any scale (at 150 % a 1536 x 1152 window).
    Width = Scale().ToPixels(Width);
    Height = Scale().ToPixels(Height);
    SetWidth(Width);
    SetHeight(Height);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const PresetPosition position =
        SizePresetPosition(Left(), work.right - work.left, work.bottom - work.top, Width, Height);
    SetLeft(position.left);
    SetTop(position.top);
    if (!IsWindowVisible(tk::Application::Instance().Handle())) {
        Show();
    }
}

}  // namespace app
