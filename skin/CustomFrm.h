// TPictureForm: the skinned, borderless window base. It draws its caption strip, edges, corners and
// caption buttons from a folder of skin bitmaps and takes over what a system frame would do.
#pragma once

#include <string>

#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Panel.h"

namespace skin {

class TPictureForm : public tk::Form {
  public:
    // The base's own design: borderless, minimize and maximize border icons, client 817 x 600,
    // button-face colour. Descendants start from it and change what their own design changes.
    static tk::FormDesign BaseDesign();

    explicit TPictureForm(const tk::FormDesign& design);
    ~TPictureForm() override;

    // Published handlers; a descendant's own handlers call them.
    void FormCreate();
    void FormResize();
    void FormDestroy();

    // The skin folder below the program's folder (with a trailing backslash); only takes effect
    // before FormCreate loads the skin.
    void SetSkinPath(const std::string& path) { SkinPath = path; }
    const std::string& GetSkinPath() const { return SkinPath; }
    void SetResizable(bool value);
    bool GetResizable() const { return Resizable; }
    void SetCloseButtonVisible(bool value);

    // Loads the small caption icon from IconPath ("SysMenu.ico" when empty), relative to the current
    // directory.
    virtual void LoadSystemMenuIcon(std::string& IconPath);
    // Sets the window's rounded shape.
    virtual void ApplyWindowShape();

    void LoadSkin();
    void FreeSkin();

    // The client panel that holds a descendant's content.
    tk::Panel& MainPanel() { return pnlMain; }

  protected:
    // Frame controls, in declaration order.
    tk::Image ImgTop;
    tk::Image imgbottom;
    tk::Panel pnlMain;
    tk::Image imgLeft;
    tk::Image imgTopLeft;
    tk::Image imgTopRight;
    tk::Image imgRight;
    tk::Image imgSystemMenu;

    bool CloseButtonVisible = true;
    std::string SkinPath;
    bool Resizable = true;
};

}  // namespace skin
