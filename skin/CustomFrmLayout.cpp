// The skinned frame's layout and painting: sizing the strips and the client panel, tiling the strips,
// placing corners and buttons, the caption's active and inactive faces, and the window's own paint.
#include "skin/CustomFrm.h"

#include <algorithm>
#include <vector>

#include "base/Text.h"

namespace skin {

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
    frameCaptionHeight_ = s.captionHeight;
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
    bool maximizeRenamed = false;
    for (int i = 0; i < 3; ++i) {
        THotImg* button = hotImages_[static_cast<size_t>(i)];
        if (!button) {
            continue;
        }
        const FaceSet set = ButtonFaceSet(i, maximized);
        if (i == kMaximizeButton && set != maximizeFace_) {
            maximizeFace_ = set;
            maximizeRenamed = true;
        }
        button->normalImage = skinImages_[FaceImage(set, Face::Normal)].get();
        button->overImage = skinImages_[FaceImage(set, Face::Over)].get();
        button->downImage = skinImages_[FaceImage(set, Face::Down)].get();
        button->ShowCopyOf(*button->normalImage);
        button->SetShowHint(true);
        button->SetHint(base::Utf8ToWide(ButtonHint(set)));
        button->Invalidate();
    }
    // Maximize and restore are one button under two names.
    if (maximizeRenamed) {
        AccessibleButtonRenamed(kMaximizeButton);
    }
    const std::array<std::pair<int, SkinImage>, 4> corners = {{{kTopLeftCorner, kTopLeftActivate},
                                                               {kTopRightCorner, kTopRightActivate},
                                                               {kBottomLeftCorner, kBottomLeft},
                                                               {kBottomRightCorner, kBottomRight}}};
    for (const auto& [corner, image] : corners) {
        if (THotImg* hot = hotImages_[static_cast<size_t>(corner)]) {
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
    TileStrip(bottomStrip_, bottom, TileCount(BottomTileLength(w, Scale()), bottom.Width()), true);
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
    const FramePlacement p = skin::PlaceFrameParts(extents, w, h, frameCaptionHeight_, buttons, Scale());
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

// The rectangles of the window's update region that no child window covers (a ragged region as its
// bounding box).
std::vector<RECT> TPictureForm::FrameUpdateRects() const {
    tk::UniqueRegion update(CreateRectRgn(0, 0, 0, 0));
    const int kind = update ? GetUpdateRgn(Handle(), update.Get(), FALSE) : ERROR;
    if (kind == ERROR || kind == NULLREGION) {
        return {};
    }
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
    if (rects.size() > 16) {
        RECT box;
        GetRgnBox(update.Get(), &box);
        rects.assign(1, box);
    }
    return rects;
}

// The window's own surface is the frame around the client panel, which paints itself: only the
// rectangles of the update region outside the child windows are painted, each through a buffer of
// its own size (kept between paints), rather than one buffer as big as the window.
void TPictureForm::PaintWindow() {
    const std::vector<RECT> rects = FrameUpdateRects();  // before BeginPaint validates the region
    tk::PaintScope paint(Handle());
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
        BitBlt(paint.Dc(), r.left, r.top, w, h, memory, r.left, r.top, SRCCOPY);
    }
}

}  // namespace skin
