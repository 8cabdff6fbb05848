#include "skin/CustomFrm.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "toolkit/Application.h"
#include "base/Error.h"
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

constexpr COLORREF kTransparent = RGB(kTransparentRed, kTransparentGreen, kTransparentBlue);
constexpr COLORREF kCaptionColor = RGB(kCaptionRed, kCaptionGreen, kCaptionBlue);

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

// The pixels of a 32-bit DIB section, or null.
uint32_t* PixelsOf(const tk::Bitmap& bitmap) {
    DIBSECTION dib{};
    if (bitmap.Empty() || GetObjectW(bitmap.Handle(), sizeof(dib), &dib) != sizeof(dib) ||
        dib.dsBm.bmBitsPixel != 32) {
        return nullptr;
    }
    return static_cast<uint32_t*>(dib.dsBm.bmBits);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// THotImg

THotImg::THotImg(tk::WinControl* parent) : tk::Image(parent) {}

THotImg::~THotImg() = default;

void THotImg::ShowCopyOf(const tk::Bitmap& source) {
    tk::Bitmap& picture = Picture();
    if (!source.Empty() && picture.Width() == source.Width() && picture.Height() == source.Height()) {
        // Same size: copy the pixels over rather than making a new surface.
        source.Draw(picture.Dc(), 0, 0);
        GdiFlush();
        if (auto colour = source.TransparentColor()) {
            picture.SetTransparentColor(*colour);
        }
        blendStale_ = true;
        PictureChanged();
    } else {
        SetPicture(source.Copy());
        blendStale_ = true;
    }
}

bool THotImg::UpdateBlend() {
    const tk::Bitmap& picture = Picture();
    if (!blendStale_ && blendSource_ == picture.Handle() && !blend_.Empty()) {
        return true;
    }
    blendSource_ = nullptr;
    const int w = picture.Width();
    const int h = picture.Height();
    if (blend_.Width() != w || blend_.Height() != h) {
        blend_.SetSize(w, h);
    }
    const uint32_t* from = PixelsOf(picture);
    uint32_t* to = PixelsOf(blend_);
    if (!from || !to) {
        return false;
    }
    GdiFlush();
    const COLORREF key = picture.EffectiveTransparentColor();
    const uint32_t keyPixel = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t rgb = from[i] & 0x00FFFFFF;
        to[i] = rgb == keyPixel ? 0 : (rgb | 0xFF000000);  // opaque, or fully see-through
    }
    blendSource_ = picture.Handle();
    blendStale_ = false;
    return true;
}

void THotImg::Paint(HDC dc) {
    if (Transparent() && !Icon() && !Stretch() && !Center() && UpdateBlend()) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        const int w = Picture().Width();
        const int h = Picture().Height();
        if (AlphaBlend(dc, 0, 0, w, h, blend_.Dc(), 0, 0, w, h, blend)) {
            return;
        }
    }
    tk::Image::Paint(dc);
}

void THotImg::DrawFace(const tk::Bitmap* face) {
    if (!face || face->Empty()) {
        return;
    }
    try {
        HDC dc = Picture().Dc();
        if (!dc) {
            return;  // no picture to draw on
        }
        face->Draw(dc, 0, 0);
        GdiFlush();
        blendStale_ = true;
        PictureChanged();
    } catch (...) {
        // A face that cannot be drawn leaves the current one; nothing to report.
    }
}

void THotImg::MouseEntered() {
    tk::Image::MouseEntered();
    DrawFace(overImage);
}

void THotImg::MouseLeft() {
    tk::Image::MouseLeft();
    DrawFace(normalImage);
}

void THotImg::MouseDown(tk::MouseButton button, int x, int y) {
    tk::Image::MouseDown(button, x, y);
    if (button == tk::MouseButton::Left) {
        DrawFace(downImage);
    }
}

// The click, and with it the button's action, happens in the default handling, before the normal
// face is drawn back (unless the action freed the button).
void THotImg::MouseUp(tk::MouseButton button, int x, int y) {
    const auto alive = LifeToken();
    tk::Image::MouseUp(button, x, y);
    if (button == tk::MouseButton::Left && *alive) {
        DrawFace(normalImage);
    }
}

// ---------------------------------------------------------------------------------------------
// TPictureForm: creation and skin

tk::FormDesign TPictureForm::BaseDesign() {
    tk::FormDesign design;
    design.clientWidth = 817;
    design.clientHeight = 600;
    design.color = GetSysColor(COLOR_BTNFACE);
    design.minimizeBox = true;
    design.maximizeBox = true;
    return design;
}

TPictureForm::TPictureForm(const tk::FormDesign& design)
    : tk::Form(design),
      topStrip_(this),
      bottomStrip_(this),
      mainPanel_(this, 0, 47, design.clientWidth, design.clientHeight - 47, GetSysColor(COLOR_WINDOW)),
      leftStrip_(this),
      leftEdgeTop_(this),
      rightEdgeTop_(this),
      rightStrip_(this),
      systemMenuImage_(this) {
    topStrip_.name = "ImgTop";
    topStrip_.SetAlign(tk::Align::Top);
    bottomStrip_.name = "imgbottom";
    mainPanel_.name = "pnlMain";
    leftStrip_.name = "imgLeft";
    leftEdgeTop_.name = "imgTopLeft";
    rightEdgeTop_.name = "imgTopRight";
    rightStrip_.name = "imgRight";
    systemMenuImage_.name = "imgSystemMenu";
    systemMenuImage_.SetBounds(0, 0, 32, 32);
    systemMenuImage_.SetCenter(true);
    systemMenuImage_.SetCursor(LoadCursorW(nullptr, IDC_HAND));
    systemMenuImage_.SetHint(L"Orvania");
    if (HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                   16, 16, LR_DEFAULTCOLOR))) {
        systemMenuImage_.SetIcon(tk::UniqueIcon(icon));
    }
    OnCreate = [this] { FormCreate(); };
    OnResize = [this] { FormResize(); };
    OnDestroy = [this] { FormDestroy(); };
}

TPictureForm::~TPictureForm() = default;

void TPictureForm::FormCreate() {
    try {
        SetCloseButtonVisible(true);
        resizable_ = true;
        LoadSkin();
        FormResize();
    } catch (const base::Error& e) {
        // The window lives on without a skin.
        MessageBoxW(Handle(), base::MessageToWide(e.what()).c_str(),
                    tk::Application::Instance().Title().c_str(), MB_OK);
    }
}

void TPictureForm::FormResize() {
    SizeFrameParts();
    PaintFrame();
    PlaceFrameParts();
    ApplyWindowShape();
}

void TPictureForm::FormDestroy() {
    FreeSkin();
}

void TPictureForm::SetResizable(bool value) {
    resizable_ = value;
}

void TPictureForm::SetCloseButtonVisible(bool value) {
    closeButtonVisible_ = value;
    if (hotImages_[kCloseButton]) {
        hotImages_[kCloseButton]->SetVisible(value);
    }
}

void TPictureForm::LoadSystemMenuIcon(std::string& IconPath) {
    if (IconPath.empty()) {
        IconPath = kSysMenuIconName;
    }
    if (!base::FileExists(IconPath)) {
        return;
    }
    systemMenuImage_.SetStretch(true);
    systemMenuImage_.SetBounds(systemMenuImage_.Left(), systemMenuImage_.Top(), 16, 16);
    if (HICON icon = static_cast<HICON>(
            LoadImageW(nullptr, base::AnsiToWide(IconPath).c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE))) {
        systemMenuImage_.SetIcon(tk::UniqueIcon(icon));
    }
}

void TPictureForm::ApplyWindowShape() {
    SetRoundedShape(9);
}

void TPictureForm::LoadSkin() {
    std::string iconPath;
    LoadSystemMenuIcon(iconPath);
    if (skinPath_.empty()) {
        skinPath_ = kDefaultSkinPath;
    }
    const std::string folder = SkinFolder(base::ExeFolder(), skinPath_);
    if (!base::DirectoryExists(folder)) {
        throw base::Error(std::string(kMissingSkinMessage));
    }
    for (int i = 0; i < kSkinImageCount; ++i) {
        auto image = std::make_unique<tk::Bitmap>();
        const std::string file = SkinImageFile(folder, i);
        // A missing (or unreadable) file leaves an empty image.
        if (base::FileExists(file) && image->LoadFromFile(base::AnsiToWide(file))) {
            image->SetTransparentColor(kTransparent);
        }
        skinImages_[static_cast<size_t>(i)] = std::move(image);
    }
    SizeFrameParts();
    CreateFrameControls();
}

void TPictureForm::CreateFrameControls() {
    captionLabel_ = std::make_unique<tk::Label>(this);
    tk::Font& font = captionLabel_->GetFont();
    font.SetFace(L"宋体");
    font.SetPoints(9);
    font.SetBold(true);
    font.SetColor(kCaptionColor);
    captionLabel_->FontChanged();
    captionLabel_->SetTransparent(true);
    // Placed once, after the system-menu image as it stands now; never moved afterwards.
    captionLabel_->SetBounds(systemMenuImage_.Left() + systemMenuImage_.Width(), CaptionLabelTop(Extents()),
                             0, 0);
    captionLabel_->SetCaption(Caption());

    for (int i = 0; i < kHotImageCount; ++i) {
        auto image = std::make_unique<THotImg>(this);
        image->SetAutoSize(true);
        image->SetTransparent(true);
        image->OnClick = [this, i] { CaptionButtonClick(i); };
        hotImages_[static_cast<size_t>(i)] = std::move(image);
    }
    const LONG style = Handle() ? GetWindowLongW(Handle(), GWL_STYLE) : 0;
    hotImages_[kMinimizeButton]->SetVisible((style & WS_MINIMIZEBOX) != 0);
    hotImages_[kMaximizeButton]->SetVisible((style & WS_MAXIMIZEBOX) != 0);
    hotImages_[kCloseButton]->SetVisible(closeButtonVisible_);
}

void TPictureForm::FreeSkin() {
    captionLabel_.reset();
    // The hover images refer to skin images: they go first.
    for (auto& image : hotImages_) {
        image.reset();
    }
    for (auto& image : skinImages_) {
        image.reset();
    }
}

const tk::Bitmap* TPictureForm::SkinImageAt(int index) const {
    return index >= 0 && index < kSkinImageCount ? skinImages_[static_cast<size_t>(index)].get() : nullptr;
}

THotImg* TPictureForm::HotImage(int index) const {
    return index >= 0 && index < kHotImageCount ? hotImages_[static_cast<size_t>(index)].get() : nullptr;
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
    if (const THotImg* button = hotImages_[kMinimizeButton].get()) {
        return button->Left();
    }
    return Width();
}

// ---------------------------------------------------------------------------------------------
// Layout and painting

void TPictureForm::SizeFrameParts() {
    if (!SkinLoaded()) {
        return;  // no skin: the frame controls keep their design bounds
    }
    const FrameSizes s = skin::SizeFrameParts(Extents(), Width(), Height());
    topStrip_.SetHeight(s.topHeight);
    bottomStrip_.SetBounds(bottomStrip_.Left(), bottomStrip_.Top(), s.bottom.width, s.bottom.height);
    leftStrip_.SetBounds(leftStrip_.Left(), leftStrip_.Top(), s.left.width, s.left.height);
    rightStrip_.SetBounds(rightStrip_.Left(), rightStrip_.Top(), s.right.width, s.right.height);
    leftEdgeTop_.SetBounds(leftEdgeTop_.Left(), leftEdgeTop_.Top(), s.topLeft.width, s.topLeft.height);
    rightEdgeTop_.SetBounds(rightEdgeTop_.Left(), rightEdgeTop_.Top(), s.topRight.width, s.topRight.height);
    mainPanel_.SetBounds(mainPanel_.Left(), mainPanel_.Top(), s.main.width, s.main.height);
    captionHeight_ = s.captionHeight;
}

// The tiles lie at 0, t, 2t, ... (t the tile's length along the strip). After the first tile is drawn,
// the part already tiled is copied on after itself, doubling each time, which gives the same pixels
// with far fewer copies than one per tile.
void TPictureForm::TileStrip(tk::Image& strip, const tk::Bitmap& tile, int count, bool horizontal) {
    HDC dc = strip.Canvas();
    const int step = horizontal ? tile.Width() : tile.Height();
    if (dc && count > 0 && step > 0) {
        const int stripLength = horizontal ? strip.Width() : strip.Height();
        const int across = horizontal ? strip.Height() : strip.Width();
        const int total =
            static_cast<int>(std::min<long long>(static_cast<long long>(count) * step, stripLength));
        tile.Draw(dc, 0, 0);
        for (int done = step; done < total;) {
            const int n = std::min(done, total - done);
            if (horizontal) {
                BitBlt(dc, done, 0, n, across, dc, 0, 0, SRCCOPY);
            } else {
                BitBlt(dc, 0, done, across, n, dc, 0, 0, SRCCOPY);
            }
            done += n;
        }
        GdiFlush();
    }
    strip.PictureChanged();
}

void TPictureForm::PaintFrame() {
    if (!SkinLoaded()) {
        return;
    }
    const bool maximized = GetWindowState() == tk::WindowState::Maximized;
    for (int i = 0; i < 3; ++i) {
        THotImg* button = hotImages_[static_cast<size_t>(i)].get();
        if (!button) {
            continue;
        }
        const FaceSet set = ButtonFaceSet(i, maximized);
        button->normalImage = skinImages_[FaceImage(set, Face::Normal)].get();
        button->overImage = skinImages_[FaceImage(set, Face::Over)].get();
        button->downImage = skinImages_[FaceImage(set, Face::Down)].get();
        button->ShowCopyOf(*button->normalImage);
        button->SetShowHint(true);
        button->SetHint(base::Utf8ToWide(ButtonHint(set)));
        button->Invalidate();
    }
    const std::array<std::pair<int, SkinImage>, 4> corners = {{{kTopLeftCorner, kTopLeftActivate},
                                                               {kTopRightCorner, kTopRightActivate},
                                                               {kBottomLeftCorner, kBottomLeft},
                                                               {kBottomRightCorner, kBottomRight}}};
    for (const auto& [corner, image] : corners) {
        if (THotImg* hot = hotImages_[static_cast<size_t>(corner)].get()) {
            hot->ShowCopyOf(*skinImages_[image]);
        }
    }
    const int w = Width();
    const int h = Height();
    const tk::Bitmap& top = *skinImages_[kTopActivate];
    const tk::Bitmap& left = *skinImages_[kLeft];
    const tk::Bitmap& bottom = *skinImages_[kBottom];
    const tk::Bitmap& right = *skinImages_[kRight];
    TileStrip(topStrip_, top, TileCount(w, top.Width()), true);
    TileStrip(leftStrip_, left, TileCount(h, left.Height()), false);
    TileStrip(bottomStrip_, bottom, TileCount(BottomTileLength(w), bottom.Width()), true);
    TileStrip(rightStrip_, right, TileCount(h, right.Height()), false);
    TileStrip(leftEdgeTop_, *skinImages_[kTopLeft1], 1, true);
    TileStrip(rightEdgeTop_, *skinImages_[kTopRight1], 1, true);
}

void TPictureForm::PlaceFrameParts() {
    if (!hotImages_[0]) {
        return;
    }
    const int w = Width();
    const int h = Height();
    const SkinExtents extents = Extents();
    std::array<Extent, 3> buttons;
    for (size_t i = 0; i < 3; ++i) {
        buttons[i] = {hotImages_[i]->Width(), hotImages_[i]->Height()};
    }
    const FramePlacement p = skin::PlaceFrameParts(extents, w, h, captionHeight_, buttons);
    for (size_t i = 0; i < kHotImageCount; ++i) {
        THotImg& image = *hotImages_[i];
        image.SetBounds(p.hotImages[i].x, p.hotImages[i].y, image.Width(), image.Height());
        if (i < 3) {
            image.BringToFront();
        }
    }
    systemMenuImage_.SetBounds(p.systemMenu.x, p.systemMenu.y, systemMenuImage_.Width(),
                               systemMenuImage_.Height());
    systemMenuImage_.BringToFront();
    leftEdgeTop_.SetBounds(p.topLeft.x, p.topLeft.y, leftEdgeTop_.Width(), leftEdgeTop_.Height());
    rightEdgeTop_.SetBounds(p.topRight.x, p.topRight.y, rightEdgeTop_.Width(), rightEdgeTop_.Height());
    leftStrip_.SetBounds(p.left.x, p.left.y, leftStrip_.Width(), leftStrip_.Height());
    rightStrip_.SetBounds(p.right.x, p.right.y, rightStrip_.Width(), rightStrip_.Height());
    bottomStrip_.SetBounds(p.bottom.x, p.bottom.y, bottomStrip_.Width(), bottomStrip_.Height());
    mainPanel_.SetBounds(p.main.x, p.main.y, mainPanel_.Width(), mainPanel_.Height());
    hotImages_[kMinimizeButton]->SetVisible(resizable_);
    hotImages_[kMaximizeButton]->SetVisible(resizable_);
}

void TPictureForm::PaintCaption(bool active) {
    if (!SkinLoaded()) {
        return;
    }
    const SkinImage top = active ? kTopActivate : kTopdeActivate;
    const SkinImage topLeft = active ? kTopLeftActivate : kTopLeftdeActivate;
    const SkinImage topRight = active ? kTopRightActivate : kTopRightdeActivate;
    if (SkinImageLoaded(top)) {
        const tk::Bitmap& tile = *skinImages_[top];
        TileStrip(topStrip_, tile, TileCount(Width(), tile.Width()), true);
    }
    if (SkinImageLoaded(topLeft) && hotImages_[kTopLeftCorner]) {
        hotImages_[kTopLeftCorner]->ShowCopyOf(*skinImages_[topLeft]);
    }
    if (SkinImageLoaded(topRight) && hotImages_[kTopRightCorner]) {
        hotImages_[kTopRightCorner]->ShowCopyOf(*skinImages_[topRight]);
    }
}

// The window's own surface is the frame around the client panel, which paints itself: only the
// rectangles of the update region outside the child windows are painted, each through a buffer of
// its own size, rather than one buffer as big as the window.
void TPictureForm::PaintWindow() {
    tk::UniqueRegion update(CreateRectRgn(0, 0, 0, 0));
    const int kind = update ? GetUpdateRgn(Handle(), update.Get(), FALSE) : ERROR;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (kind != ERROR && kind != NULLREGION) {
        for (tk::Control* c : Controls()) {
            if (c->IsWindowed() && c->Visible()) {
                const RECT bounds = c->BoundsRect();
                tk::UniqueRegion child(CreateRectRgnIndirect(&bounds));
                CombineRgn(update.Get(), update.Get(), child.Get(), RGN_DIFF);
            }
        }
        std::vector<RECT> rects;
        const DWORD size = GetRegionData(update.Get(), 0, nullptr);
        if (size >= sizeof(RGNDATAHEADER)) {
            std::vector<char> buffer(size);
            auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
            if (GetRegionData(update.Get(), size, data) == size) {
                const auto* first = reinterpret_cast<const RECT*>(data->Buffer);
                rects.assign(first, first + data->rdh.nCount);
            }
        }
        // A ragged region is painted as its bounding box.
        if (rects.size() > 16) {
            RECT box;
            GetRgnBox(update.Get(), &box);
            rects.assign(1, box);
        }
        paintBuffers_.resize(rects.size());
        for (size_t i = 0; i < rects.size(); ++i) {
            const RECT& r = rects[i];
            const int w = r.right - r.left;
            const int h = r.bottom - r.top;
            tk::Bitmap& buffer = paintBuffers_[i];
            if (buffer.Width() != w || buffer.Height() != h) {
                buffer.SetSize(w, h);
            }
            HDC memory = buffer.Dc();
            if (!memory) {
                continue;
            }
            tk::SavedDc saved(memory);
            SetViewportOrgEx(memory, -r.left, -r.top, nullptr);
            PaintClient(memory, r);
            BitBlt(dc, r.left, r.top, w, h, memory, r.left, r.top, SRCCOPY);
        }
    }
    EndPaint(Handle(), &ps);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TPictureForm::TextChanged() {
    tk::Form::TextChanged();
    if (captionLabel_) {
        captionLabel_->SetCaption(Caption());
    }
}

LRESULT TPictureForm::HandleHitTest(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = tk::Form::WndProc(WM_NCHITTEST, wParam, lParam);
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(Handle(), &p);
    RECT r;
    GetWindowRect(Handle(), &r);
    HitTestInput in;
    in.x = p.x;
    in.y = p.y;
    in.width = r.right - r.left;
    in.height = r.bottom - r.top;
    in.captionHeight = captionHeight_;
    in.minimizeLeft = MinimizeLeft();
    in.resizable = resizable_;
    in.maximized = IsZoomed(Handle()) != FALSE;
    return ToHitCode(HitTest(in), result);
}

void TPictureForm::HandleCaptionDoubleClick(LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(Handle(), &p);
    if (InCaptionDoubleClickZone(p.x, p.y, captionHeight_, MinimizeLeft())) {
        RunCaptionCommand(CaptionDoubleClickCommand(State()));
    }
}

void TPictureForm::CaptionButtonClick(int index) {
    RunCaptionCommand(CaptionButtonCommand(index, State()));
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
                const Rect pinned =
                    PinMinimumTrackSize({r->left, r->top, r->right, r->bottom}, static_cast<int>(wParam));
                *r = RECT{pinned.left, pinned.top, pinned.right, pinned.bottom};
            }
            return TRUE;
        }
        case WM_NCLBUTTONDBLCLK:
            HandleCaptionDoubleClick(lParam);
            return 0;
        case WM_NCACTIVATE: {
            const LRESULT result = tk::Form::WndProc(message, wParam, lParam);
            PaintCaption(wParam == 1);
            return result;
        }
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            RECT work{};
            if (info && SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
                const MaximizeBounds bounds =
                    MaximizeBoundsFor({work.left, work.top, work.right, work.bottom});
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
