// TPictureForm: the skinned, borderless window base. It draws its caption strip, edges, corners and
// caption buttons from a folder of skin bitmaps and takes over what a system frame would do: dragging
// by the caption, resize borders, minimum and maximized sizes, the rounded shape, and a caption text
// that follows the window's caption. Its caption buttons and corners are THotImg pictures.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "skin/FrameGeometry.h"
#include "skin/HotImg.h"
#include "skin/SkinSet.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

namespace skin {

// The caption text's font ("宋体", 9 points, the caption colour), bold or not; the main window's
// caption labels use it too.
void ApplyCaptionFont(tk::Font& font, bool bold);

class TPictureForm : public tk::Form {
  public:
    // The base's own design: borderless, minimize and maximize border icons, client 817 x 600,
    // button-face colour. Descendants start from it and change what their own design changes.
    static tk::FormDesign BaseDesign();

    explicit TPictureForm(const tk::FormDesign& design);
    ~TPictureForm() override;

    // The window's creation, resize and destruction: the skin is loaded, laid out and freed. A
    // descendant's overrides call these.
    void FormCreate() override;
    void FormResize() override;
    void FormDestroy() override;
    // A new display scale: the skin images, the small caption icon and the caption text's place are
    // made again for it (the form then lays out and repaints once).
    void FormDpiChanged() override;

    // The skin folder below the program's folder (with a trailing backslash); only takes effect
    // before FormCreate loads the skin.
    void SetSkinPath(const std::string& path) { skinPath_ = path; }
    const std::string& GetSkinPath() const { return skinPath_; }
    // While false the minimize and maximize buttons are hidden, the resize borders do not answer and
    // the caption drag zone reaches further right; a change takes effect at once.
    void SetResizable(bool value);
    bool GetResizable() const { return resizable_; }
    void SetCloseButtonVisible(bool value);

    // Loads the small caption icon from IconPath ("SysMenu.ico" when empty), relative to the current
    // directory, at the small-icon size of the window's DPI.
    virtual void LoadSystemMenuIcon(std::wstring& IconPath);
    // Sets the window's rounded shape.
    virtual void ApplyWindowShape();

    // Loads the skin images and creates the caption text and the hover images. An image that is
    // missing or damaged in the skin folder, or every image when the folder does not exist, is the
    // built-in default skin's. Answers the box text for a missing folder (naming the folder it
    // looked for), else empty text.
    std::string LoadSkin();
    // Frees the caption text, the hover images and the skin images.
    void FreeSkin();

    // The window menu as it would open now: restore, move, size, minimize, maximize and close, each
    // enabled as the window's state and layout allow; item ids are SystemMenuItem + 1.
    tk::UniqueMenu BuildSystemMenu() const;
    // Opens it at a screen point and runs the chosen item as the matching button or drag would.
    void ShowSystemMenu(int x, int y);

    // The caption band's height, shared by every skinned window of the process: it starts at 47 and
    // takes the height of "TopActivate" whenever a window sizes its frame parts.
    static int CaptionHeight() { return captionHeight_; }
    // This window's own caption height (its scaled "TopActivate"), which its hit-testing uses: with
    // windows on monitors of different scales the shared value may be another window's.
    int FrameCaptionHeight() const { return frameCaptionHeight_; }

    // The caption buttons that are there, for screen readers: minimize, maximize (restore while the
    // window is maximized) and close, each doing what a click on it does.
    std::vector<tk::AccessibleButton> AccessibleButtons() override;

    // The client panel that holds a descendant's content.
    tk::Panel& MainPanel() { return mainPanel_; }

    // What the skin made (null before LoadSkin and after FreeSkin).
    bool SkinLoaded() const { return skinImages_[0] != nullptr; }
    const tk::Bitmap* SkinImageAt(int index) const;
    THotImg* HotImage(int index) const;
    tk::Label* GetCaptionLabel() const { return captionLabel_; }
    // The frame controls, by their design names.
    tk::Image& TopStrip() { return topStrip_; }
    tk::Image& SystemMenuImage() { return systemMenuImage_; }

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void TextChanged() override;

    // Frame controls (owned by the form), in z-order.
    tk::Image& topStrip_;
    tk::Image& bottomStrip_;
    tk::Panel& mainPanel_;
    tk::Image& leftStrip_;
    tk::Image& leftEdgeTop_;
    tk::Image& rightEdgeTop_;
    tk::Image& rightStrip_;
    tk::Image& systemMenuImage_;

  private:
    SkinExtents Extents() const;
    // Loads the 25 images for the window's DPI; answers the names of those the skin folder lacked.
    std::string LoadSkinImages(const std::wstring& folder, bool folderExists);
    // The caption text's place below the skin's top-left corner.
    void PlaceCaptionLabel();
    // The skin images made again (a new DPI, high contrast switched), with what depends on them.
    void RemakeSkinImages();
    // The caption text's colour: the skin's, or the system's caption text in high contrast.
    void ApplyCaptionColour();
    // High contrast or the system colours changed: the frame is made and painted again.
    void SystemColoursChanged();
    FrameState State() const;
    // The minimize button's left (the window's right edge while there is no button).
    int MinimizeLeft() const;
    bool SkinImageLoaded(int index) const;

    void SizeFrameParts();
    void PaintFrame();
    void PlaceFrameParts();
    void CreateFrameControls();
    // Clears the strip and lays `count` tiles along it from its start.
    void TileStrip(tk::Image& strip, const tk::Bitmap& tile, int count, bool horizontal);
    void PaintCaption(bool active);
    void PaintWindow();
    std::vector<RECT> FrameUpdateRects() const;
    void CaptionButtonClick(int index);
    void RunCaptionCommand(CaptionCommand command);

    LRESULT HandleHitTest(WPARAM wParam, LPARAM lParam);
    // The shown caption button (0 minimize, 1 maximize, 2 close) at a client point, or -1.
    int CaptionButtonAt(int x, int y) const;
    // The non-client mouse messages over the caption buttons: hover, press and release as in the
    // client area; answers whether the message is handled (and must not reach the system's handling).
    bool HandleButtonMouse(UINT message, WPARAM hitCode, LPARAM lParam);
    void HandleCaptionDoubleClick(LPARAM lParam);

    // Buffers the frame's rectangles are painted through, kept while their sizes stay.
    std::vector<tk::Bitmap> paintBuffers_;

    static inline int captionHeight_ = kInitialCaptionHeight;
    int frameCaptionHeight_ = kInitialCaptionHeight;
    std::wstring systemMenuIconPath_;  // the icon file last loaded, to load again at a new DPI

    // Fields, in order. The caption text and the hover images are the form's children while the
    // skin is loaded (null otherwise).
    std::array<THotImg*, kHotImageCount> hotImages_{};
    tk::Label* captionLabel_ = nullptr;
    bool closeButtonVisible_ = true;
    std::string skinPath_;
    bool resizable_ = true;
    std::array<std::unique_ptr<tk::Bitmap>, kSkinImageCount> skinImages_;
    // The face set the maximize button was last given; its accessible name follows it.
    FaceSet maximizeFace_ = FaceSet::Maximize;
};

}  // namespace skin
