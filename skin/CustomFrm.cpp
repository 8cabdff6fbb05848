#include "skin/CustomFrm.h"

#include <windowsx.h>

#include <iterator>
#include <utility>

#include "toolkit/Application.h"
#include "toolkit/HighContrast.h"
#include "toolkit/ImageFiles.h"
#include "toolkit/ResourceBitmap.h"
#include "toolkit/WindowDpi.h"
#include "skin/HighContrastSkin.h"
#include "skin/SkinScale.h"
#include "base/Error.h"
#include "base/Log.h"
#include "base/Module.h"
#include "base/Text.h"

namespace skin {
namespace {

// The sizing message's edge codes are the ones FrameGeometry uses.
static_assert(static_cast<int>(SizingEdge::Left) == WMSZ_LEFT &&
              static_cast<int>(SizingEdge::Right) == WMSZ_RIGHT &&
              static_cast<int>(SizingEdge::Top) == WMSZ_TOP &&
              static_cast<int>(SizingEdge::TopLeft) == WMSZ_TOPLEFT &&
              static_cast<int>(SizingEdge::TopRight) == WMSZ_TOPRIGHT &&
              static_cast<int>(SizingEdge::Bottom) == WMSZ_BOTTOM &&
              static_cast<int>(SizingEdge::BottomLeft) == WMSZ_BOTTOMLEFT &&
              static_cast<int>(SizingEdge::BottomRight) == WMSZ_BOTTOMRIGHT);

LRESULT ToHitCode(HitZone zone, LRESULT fallback) {
    switch (zone) {
        case HitZone::Caption:
            return HTCAPTION;
        case HitZone::Client:
            return HTCLIENT;
        case HitZone::Left:
            return HTLEFT;
        case HitZone::Right:
            return HTRIGHT;
        case HitZone::Top:
            return HTTOP;
        case HitZone::TopLeft:
            return HTTOPLEFT;
        case HitZone::TopRight:
            return HTTOPRIGHT;
        case HitZone::Bottom:
            return HTBOTTOM;
        case HitZone::BottomLeft:
            return HTBOTTOMLEFT;
        case HitZone::BottomRight:
            return HTBOTTOMRIGHT;
        default:
            return fallback;
    }
}

Extent ExtentOf(const tk::Bitmap* bitmap) {
    return bitmap ? Extent{bitmap->Width(), bitmap->Height()} : Extent{};
}

// The built-in default skin's image of one slot drawn at `percent` (skin/DefaultSkin.rc); empty if
// the program carries none, which the frame then draws as it draws any missing image.
tk::Bitmap BuiltInSkinImage(int index, int percent) {
    const std::string_view name = kSkinImageNames[static_cast<size_t>(index)];
    std::wstring resource = L"VELMORA_SKIN_";
    if (percent != kDesignSkinScale) {
        resource += std::to_wstring(percent) + L"_";
    }
    resource += std::wstring(name.begin(), name.end());
    return tk::LoadResourceBmpFile(resource.c_str());
}

// A skin image drawn at `percent`, at the window's DPI: as it is when it was drawn for that DPI,
// else smoothly scaled with its see-through colour made transparent.
tk::Bitmap AtDpi(tk::Bitmap image, int percent, int dpi) {
    image.SetTransparentColor(kSkinTransparentColor);
    if (DrawnForDpi(percent, dpi)) {
        return image;
    }
    tk::Bitmap scaled = image.ScaledWithAlpha(SkinSideAt(image.Width(), percent, dpi),
                                              SkinSideAt(image.Height(), percent, dpi));
    return scaled.Empty() ? std::move(image) : std::move(scaled);
}

// What screen readers call a caption button that shows a face set.
const char* AccessibleButtonName(FaceSet set) {
    switch (set) {
        case FaceSet::Minimize:
            return "最小化";
        case FaceSet::Maximize:
            return "最大化";
        case FaceSet::Restore:
            return "还原";
        case FaceSet::Close:
            return "关闭";
    }
    return "";
}

}  // namespace

void ApplyCaptionFont(tk::Font& font, bool bold) {
    font.SetFace(std::wstring(kCaptionFontFace));
    font.SetPoints(kCaptionFontPoints);
    font.SetBold(bold);
    font.SetColor(kCaptionColor);
}

tk::FormDesign TPictureForm::BaseDesign() {
    tk::FormDesign design;
    design.clientWidth = 817;
    design.clientHeight = 600;
    design.color = GetSysColor(COLOR_BTNFACE);
    design.minimizeBox = true;
    design.maximizeBox = true;
    design.systemMenu = true;
    return design;
}

TPictureForm::TPictureForm(const tk::FormDesign& design)
    : tk::Form(design),
      topStrip_(Add<tk::Image>()),
      bottomStrip_(Add<tk::Image>()),
      mainPanel_(
          Add<tk::Panel>(0, 47, design.clientWidth, design.clientHeight - 47, GetSysColor(COLOR_WINDOW))),
      leftStrip_(Add<tk::Image>()),
      leftEdgeTop_(Add<tk::Image>()),
      rightEdgeTop_(Add<tk::Image>()),
      rightStrip_(Add<tk::Image>()),
      systemMenuImage_(Add<tk::Image>()) {
    topStrip_.SetAlign(tk::Align::Top);
    systemMenuImage_.SetBounds(0, 0, 32, 32);
    systemMenuImage_.SetCenter(true);
    systemMenuImage_.SetCursor(LoadCursorW(nullptr, IDC_HAND));
    systemMenuImage_.SetHint(L"Orvania");
    if (HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                   16, 16, LR_DEFAULTCOLOR))) {
        systemMenuImage_.SetIcon(tk::UniqueIcon(icon));
    }
}

TPictureForm::~TPictureForm() = default;

void TPictureForm::FormCreate() {
    tk::Form::FormCreate();
    SetCloseButtonVisible(true);
    resizable_ = true;
    const std::string missingFolder = LoadSkin();
    FormResize();
    // Told once the frame stands, so the window behind the box can be moved and closed.
    if (!missingFolder.empty()) {
        tk::Application::Instance().ShowException(missingFolder);
    }
}

void TPictureForm::FormResize() {
    tk::Form::FormResize();
    SizeFrameParts();
    PaintFrame();
    PlaceFrameParts();
    ApplyWindowShape();
}

void TPictureForm::FormDestroy() {
    FreeSkin();
    tk::Form::FormDestroy();
}

void TPictureForm::SetResizable(bool value) {
    resizable_ = value;
    for (int button : {kMinimizeButton, kMaximizeButton}) {
        if (THotImg* image = hotImages_[static_cast<size_t>(button)]) {
            image->SetVisible(value);
        }
    }
}

void TPictureForm::SetCloseButtonVisible(bool value) {
    closeButtonVisible_ = value;
    if (hotImages_[kCloseButton]) {
        hotImages_[kCloseButton]->SetVisible(value);
    }
}

void TPictureForm::LoadSystemMenuIcon(std::wstring& IconPath) {
    if (IconPath.empty()) {
        IconPath = kSysMenuIconName;
    }
    // A damaged icon file counts as a missing one (and is named in the log).
    const int side = tk::SmallIconSize(Dpi());
    tk::UniqueIcon icon = tk::LoadIconFile(IconPath, side);
    if (!icon) {
        return;
    }
    systemMenuIconPath_ = IconPath;
    systemMenuImage_.SetStretch(true);
    systemMenuImage_.SetBounds(systemMenuImage_.Left(), systemMenuImage_.Top(), side, side);
    systemMenuImage_.SetIcon(std::move(icon));
}

void TPictureForm::ApplyWindowShape() {
    SetRoundedShape(Scale().ToPixels(kShapeCornerSize));
}

void TPictureForm::FormDpiChanged() {
    tk::Form::FormDpiChanged();
    if (!systemMenuIconPath_.empty()) {
        std::wstring path = systemMenuIconPath_;
        TPictureForm::LoadSystemMenuIcon(path);
    }
    RemakeSkinImages();
}

void TPictureForm::RemakeSkinImages() {
    if (!SkinLoaded()) {
        return;
    }
    const std::wstring folder = SkinFolder(base::ExeFolder(), base::AnsiToWide(skinPath_));
    LoadSkinImages(folder, base::DirectoryExists(folder));
    SizeFrameParts();
    PlaceCaptionLabel();
    ApplyCaptionColour();
}

void TPictureForm::ApplyCaptionColour() {
    if (captionLabel_) {
        captionLabel_->GetFont().SetColor(tk::HighContrastOn() ? GetSysColor(COLOR_CAPTIONTEXT)
                                                               : kCaptionColor);
        captionLabel_->Invalidate();
    }
}

void TPictureForm::SystemColoursChanged() {
    if (!SkinLoaded()) {
        return;
    }
    RemakeSkinImages();
    FormResize();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

std::string TPictureForm::LoadSkin() {
    std::wstring iconPath;
    LoadSystemMenuIcon(iconPath);
    if (skinPath_.empty()) {
        skinPath_ = kDefaultSkinPath;
    }
    const std::wstring folder = SkinFolder(base::ExeFolder(), base::AnsiToWide(skinPath_));
    const bool folderExists = base::DirectoryExists(folder);
    const std::string replaced = LoadSkinImages(folder, folderExists);
    const std::string folderName = base::WideToUtf8(folder);
    if (!folderExists) {
        base::LogF("No skin folder %s: the built-in skin is used", folderName.c_str());
    } else if (!replaced.empty()) {
        base::LogF("Skin images missing or unusable in %s, the built-in ones are used: %s",
                   folderName.c_str(), replaced.c_str());
    }
    SizeFrameParts();
    CreateFrameControls();
    return folderExists ? std::string() : std::string(kMissingSkinMessage) + "\n" + folderName;
}

std::string TPictureForm::LoadSkinImages(const std::wstring& folder, bool folderExists) {
    const int dpi = Dpi();
    const std::vector<int> scales = SkinScalesFor(dpi);
    // The drawn sets this skin folder has; a missing one is not looked into image by image.
    std::vector<int> folderScales;
    for (int percent : scales) {
        if (folderExists &&
            (percent == kDesignSkinScale || base::DirectoryExists(SkinScaleFolder(folder, percent)))) {
            folderScales.push_back(percent);
        }
    }
    std::string replaced;
    const bool highContrast = tk::HighContrastOn();
    for (int i = 0; i < kSkinImageCount; ++i) {
        auto image = std::make_unique<tk::Bitmap>();
        // The skin folder's own drawings first: a missing, unreadable or damaged file is passed
        // over, and with none usable the built-in skin's drawing of the image stands in.
        bool found = false;
        for (int percent : folderScales) {
            if (image->LoadFromFile(SkinImageFile(SkinScaleFolder(folder, percent), i))) {
                *image = AtDpi(std::move(*image), percent, dpi);
                found = true;
                break;
            }
        }
        for (size_t k = 0; !found && k < scales.size(); ++k) {
            tk::Bitmap builtIn = BuiltInSkinImage(i, scales[k]);
            if (!builtIn.Empty()) {
                *image = AtDpi(std::move(builtIn), scales[k], dpi);
                break;
            }
        }
        if (!found && folderExists) {
            replaced += (replaced.empty() ? "" : ", ") + std::string(kSkinImageNames[static_cast<size_t>(i)]);
        }
        // With high contrast on, the frame keeps the skin's sizes and takes the system's colours.
        if (highContrast && !image->Empty()) {
            *image = HighContrastSkinImage(i, image->Width(), image->Height(), Scale());
        }
        skinImages_[static_cast<size_t>(i)] = std::move(image);
    }
    return replaced;
}

void TPictureForm::PlaceCaptionLabel() {
    if (captionLabel_) {
        // After the system-menu image as it stands now; not moved by a resize.
        captionLabel_->SetBounds(systemMenuImage_.Left() + systemMenuImage_.Width(),
                                 CaptionLabelTop(Extents(), Scale()), captionLabel_->Width(),
                                 captionLabel_->Height());
    }
}

void TPictureForm::CreateFrameControls() {
    captionLabel_ = &Add<tk::Label>();
    ApplyCaptionFont(captionLabel_->GetFont(), true);
    captionLabel_->FontChanged();
    captionLabel_->SetTransparent(true);
    PlaceCaptionLabel();
    ApplyCaptionColour();
    captionLabel_->SetCaption(Caption());

    for (int i = 0; i < kHotImageCount; ++i) {
        THotImg& image = Add<THotImg>();
        image.SetAutoSize(true);
        image.SetTransparent(true);
        image.OnClick = [this, i] { CaptionButtonClick(i); };
        hotImages_[static_cast<size_t>(i)] = &image;
    }
    const LONG style = Handle() ? GetWindowLongW(Handle(), GWL_STYLE) : 0;
    hotImages_[kMinimizeButton]->SetVisible((style & WS_MINIMIZEBOX) != 0);
    hotImages_[kMaximizeButton]->SetVisible((style & WS_MAXIMIZEBOX) != 0);
    hotImages_[kCloseButton]->SetVisible(closeButtonVisible_);
}

void TPictureForm::FreeSkin() {
    Delete(std::exchange(captionLabel_, nullptr));
    // The hover images refer to skin images: they go first.
    for (THotImg*& image : hotImages_) {
        Delete(std::exchange(image, nullptr));
    }
    for (auto& image : skinImages_) {
        image.reset();
    }
}

const tk::Bitmap* TPictureForm::SkinImageAt(int index) const {
    return index >= 0 && index < kSkinImageCount ? skinImages_[static_cast<size_t>(index)].get() : nullptr;
}

THotImg* TPictureForm::HotImage(int index) const {
    return index >= 0 && index < kHotImageCount ? hotImages_[static_cast<size_t>(index)] : nullptr;
}

bool TPictureForm::SkinImageLoaded(int index) const {
    const tk::Bitmap* image = SkinImageAt(index);
    return image && !image->Empty();
}

SkinExtents TPictureForm::Extents() const {
    SkinExtents extents{};
    for (int i = 0; i < kSkinImageCount; ++i) {
        extents[static_cast<size_t>(i)] = ExtentOf(skinImages_[static_cast<size_t>(i)].get());
    }
    return extents;
}

FrameState TPictureForm::State() const {
    switch (GetWindowState()) {
        case tk::WindowState::Maximized:
            return FrameState::Maximized;
        case tk::WindowState::Minimized:
            return FrameState::Minimized;
        default:
            return FrameState::Normal;
    }
}

int TPictureForm::MinimizeLeft() const {
    if (const THotImg* button = hotImages_[kMinimizeButton]) {
        return button->Left();
    }
    return Width();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TPictureForm::TextChanged() {
    tk::Form::TextChanged();
    if (captionLabel_) {
        captionLabel_->SetCaption(Caption());
    }
}

int TPictureForm::CaptionButtonAt(int x, int y) const {
    for (int i = kMinimizeButton; i <= kCloseButton; ++i) {
        const THotImg* button = hotImages_[static_cast<size_t>(i)];
        if (button && button->Visible() && x >= button->Left() && x < button->Left() + button->Width() &&
            y >= button->Top() && y < button->Top() + button->Height()) {
            return i;
        }
    }
    return -1;
}

LRESULT TPictureForm::HandleHitTest(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = tk::Form::WndProc(WM_NCHITTEST, wParam, lParam);
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(Handle(), &p);
    // The shown caption buttons are the system's own to Windows (it offers its snap layouts over a
    // maximize button); the mouse over them then comes as non-client messages (HandleButtonMouse).
    static constexpr LRESULT kButtonCodes[] = {HTMINBUTTON, HTMAXBUTTON, HTCLOSE};
    if (const int button = CaptionButtonAt(p.x, p.y); button >= 0) {
        return kButtonCodes[button];
    }
    RECT r;
    GetWindowRect(Handle(), &r);
    HitTestInput in;
    in.x = p.x;
    in.y = p.y;
    in.width = r.right - r.left;
    in.height = r.bottom - r.top;
    in.captionHeight = frameCaptionHeight_;
    in.minimizeLeft = MinimizeLeft();
    in.resizable = resizable_;
    in.maximized = IsZoomed(Handle()) != FALSE;
    in.scale = Scale();
    return ToHitCode(HitTest(in), result);
}

bool TPictureForm::HandleButtonMouse(UINT message, WPARAM hitCode, LPARAM lParam) {
    const bool overButton = hitCode == HTMINBUTTON || hitCode == HTMAXBUTTON || hitCode == HTCLOSE;
    if (message == WM_NCMOUSELEAVE) {
        NonClientMouse(message, nullptr, 0, 0);
        return false;
    }
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(Handle(), &p);
    const int button = overButton ? CaptionButtonAt(p.x, p.y) : -1;
    if (message == WM_NCMOUSEMOVE) {
        // Elsewhere in the frame (the caption, a border) no button is hovered.
        NonClientMouse(message, button >= 0 ? hotImages_[static_cast<size_t>(button)] : nullptr, p.x, p.y);
        return overButton;
    }
    if (!overButton) {
        return false;
    }
    // Never the system's handling over a button: it would draw its own buttons and run its own loop.
    NonClientMouse(message, button >= 0 ? hotImages_[static_cast<size_t>(button)] : nullptr, p.x, p.y);
    return true;
}

void TPictureForm::HandleCaptionDoubleClick(LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(Handle(), &p);
    if (InCaptionDoubleClickZone(p.x, p.y, frameCaptionHeight_, MinimizeLeft(), Scale())) {
        RunCaptionCommand(CaptionDoubleClickCommand(State()));
    }
}

void TPictureForm::CaptionButtonClick(int index) {
    RunCaptionCommand(CaptionButtonCommand(index, State()));
}

tk::UniqueMenu TPictureForm::BuildSystemMenu() const {
    tk::UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        return menu;
    }
    const FrameState state = State();
    for (SystemMenuItem item : kSystemMenuItems) {
        if (item == SystemMenuItem::Close) {
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        }
        const UINT flags =
            MF_STRING | (SystemMenuItemEnabled(item, state, resizable_) ? MF_ENABLED : MF_GRAYED);
        AppendMenuW(menu.Get(), flags, static_cast<UINT_PTR>(item) + 1,
                    base::Utf8ToWide(SystemMenuItemText(item)).c_str());
    }
    SetMenuDefaultItem(menu.Get(), static_cast<UINT>(SystemMenuItem::Close) + 1, FALSE);
    return menu;
}

void TPictureForm::ShowSystemMenu(int x, int y) {
    tk::UniqueMenu menu = BuildSystemMenu();
    if (!menu) {
        base::LogF("The window menu could not be made (error %lu)", GetLastError());
        return;
    }
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, Handle(), nullptr));
    if (chosen == 0 || chosen > std::size(kSystemMenuItems)) {
        return;
    }
    const SystemMenuItem item = kSystemMenuItems[chosen - 1];
    if (item == SystemMenuItem::Move || item == SystemMenuItem::Size) {
        // The system's keyboard move and size loops, the resize held at the minimum as a drag is.
        SendMessageW(Handle(), WM_SYSCOMMAND, item == SystemMenuItem::Move ? SC_MOVE : SC_SIZE, 0);
    } else {
        RunCaptionCommand(SystemMenuItemCommand(item));
    }
}

std::vector<tk::AccessibleButton> TPictureForm::AccessibleButtons() {
    std::vector<tk::AccessibleButton> buttons = tk::Form::AccessibleButtons();
    for (int i : {kMinimizeButton, kMaximizeButton, kCloseButton}) {
        const THotImg* image = hotImages_[static_cast<size_t>(i)];
        if (!image) {
            continue;
        }
        tk::AccessibleButton button;
        button.key = i;
        button.name = base::Utf8ToWide(
            AccessibleButtonName(i == kMaximizeButton ? maximizeFace_ : ButtonFaceSet(i, false)));
        RECT r = image->BoundsRect();
        MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        button.screenRect = r;
        button.visible = image->Visible();
        button.press = [this, i] { CaptionButtonClick(i); };
        buttons.push_back(std::move(button));
    }
    return buttons;
}

// The commands go through the window's own WM_SYSCOMMAND handling, so a descendant that intercepts
// one there decides what the button does.
void TPictureForm::RunCaptionCommand(CaptionCommand command) {
    switch (command) {
        case CaptionCommand::Minimize:
            SendMessageW(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            break;
        case CaptionCommand::Close:
            SendMessageW(Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case CaptionCommand::Maximize:
            SetWindowState(tk::WindowState::Maximized);
            SendMessageW(Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            break;
        case CaptionCommand::Restore:
            SetWindowState(tk::WindowState::Normal);
            SendMessageW(Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
            break;
        default:
            break;
    }
}

LRESULT TPictureForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintWindow();
            return 0;
        case WM_NCHITTEST:
            return HandleHitTest(wParam, lParam);
        case WM_SIZING: {
            tk::Form::WndProc(message, wParam, lParam);
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (r) {
                const Rect pinned = PinMinimumTrackSize({r->left, r->top, r->right, r->bottom},
                                                        static_cast<int>(wParam), Scale());
                *r = RECT{pinned.left, pinned.top, pinned.right, pinned.bottom};
            }
            return TRUE;
        }
        case WM_NCMOUSEMOVE:
        case WM_NCMOUSELEAVE:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
            if (HandleButtonMouse(message, wParam, lParam)) {
                return 0;
            }
            break;
        case WM_SYSCOLORCHANGE:
            SystemColoursChanged();
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) {
                SystemColoursChanged();
            }
            break;
        case WM_SYSCOMMAND:
            // Alt+Space: the window menu below the caption's left end.
            if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == ' ') {
                RECT r{};
                GetWindowRect(Handle(), &r);
                ShowSystemMenu(r.left + Scale().ToPixels(kResizeBorder), r.top + frameCaptionHeight_);
                return 0;
            }
            break;
        // A right-click on the caption: the window menu at the cursor when the button comes up. The
        // press is not passed on: the system's own handling would wait for the release itself and
        // then test the point with its own idea of the frame.
        case WM_NCRBUTTONDOWN:
            if (wParam == HTCAPTION) {
                return 0;
            }
            break;
        case WM_NCRBUTTONUP:
            if (wParam == HTCAPTION) {
                ShowSystemMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                return 0;
            }
            break;
        case WM_CONTEXTMENU: {
            // Asked for over the caption (by another program, say): the window menu at the point.
            const bool fromKeyboard = GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1;
            if (reinterpret_cast<HWND>(wParam) == Handle() && !fromKeyboard &&
                HandleHitTest(0, lParam) == HTCAPTION) {
                ShowSystemMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                return 0;
            }
            break;
        }
        case WM_NCLBUTTONDBLCLK:
            if (!HandleButtonMouse(message, wParam, lParam)) {
                HandleCaptionDoubleClick(lParam);
            }
            return 0;
        case WM_NCACTIVATE: {
            const LRESULT result = tk::Form::WndProc(message, wParam, lParam);
            PaintCaption(wParam == 1);
            return result;
        }
        case WM_GETMINMAXINFO: {
            // Maximized on the monitor the window is on, within that monitor's work area.
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            MONITORINFO monitor{};
            monitor.cbSize = sizeof(monitor);
            if (info && GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor)) {
                const RECT& m = monitor.rcMonitor;
                const RECT& w = monitor.rcWork;
                const MaximizeBounds bounds =
                    MaximizeBoundsOn({m.left, m.top, m.right, m.bottom}, {w.left, w.top, w.right, w.bottom});
                info->ptMaxSize = POINT{bounds.size.width, bounds.size.height};
                info->ptMaxPosition = POINT{bounds.position.x, bounds.position.y};
            }
            tk::Form::WndProc(message, wParam, lParam);
            return 0;
        }
        default:
            break;
    }
    return tk::Form::WndProc(message, wParam, lParam);
}
}  // namespace skin
