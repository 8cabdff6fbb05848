// The skinned window with a missing, misnamed, partial or damaged skin folder: what it reports and
// how the built-in skin stands in.
#include <gtest/gtest.h>

#include "SkinnedFrameFixture.h"
#include "support/MessageBoxes.h"
#include "support/Pixels.h"
#include "support/Wait.h"
#include "LogFile.h"
#include "toolkit/ResourceBitmap.h"
#include "base/Text.h"

using namespace testsupport;

namespace {

// The built-in default skin's image of a slot, as the program carries it.
tk::Bitmap BuiltIn(int index) {
    const std::string_view name = skin::kSkinImageNames[static_cast<size_t>(index)];
    return tk::LoadResourceBmpFile((L"VELMORA_SKIN_" + std::wstring(name.begin(), name.end())).c_str());
}

// Whether every slot of a window holds the built-in image (compared by size and one inner pixel).
bool HoldsTheBuiltInSkin(const TestFrame& form) {
    for (int i = 0; i < skin::kSkinImageCount; ++i) {
        const tk::Bitmap expected = BuiltIn(i);
        const tk::Bitmap* image = form.SkinImageAt(i);
        if (expected.Empty() || image->Width() != expected.Width() || image->Height() != expected.Height() ||
            image->Pixel(expected.Width() / 2, expected.Height() / 2) !=
                expected.Pixel(expected.Width() / 2, expected.Height() / 2)) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST_F(SkinnedFrameTest, AMissingSkinFolderIsNamedInOneBoxAndTheBuiltInSkinGivesTheFrame) {
    testsupport::MessageBoxWatcher boxes;
    LogFile log;
    TestFrame* form = Create("NoSuchSkin\\");
    ASSERT_TRUE(boxes.WaitFor(1, 3000));
    EXPECT_EQ(boxes.Boxes()[0].text,
              base::Utf8ToWide("皮肤文件不存在，或者路径不正确!\n") + base::ExeFolder() + L"NoSuchSkin\\");
    ASSERT_TRUE(form->SkinLoaded());
    EXPECT_TRUE(HoldsTheBuiltInSkin(*form));
    EXPECT_EQ(skin::TPictureForm::CaptionHeight(), 32);
    ASSERT_NE(form->HotImage(skin::kCloseButton), nullptr);
    EXPECT_TRUE(form->HotImage(skin::kCloseButton)->Visible());
    EXPECT_NE(form->GetCaptionLabel(), nullptr);
    EXPECT_NE(log.Text().find("NoSuchSkin\\: the built-in skin is used"), std::string::npos);

    // Usable: shown, resized, maximized, repainted, dragged by the top band, captioned, closed.
    form->Show();
    form->SetBounds(10, 10, 900, 650);
    form->SetCaption(L"still here");
    UpdateWindow(form->Handle());
    EXPECT_EQ(HitAt(form, 20, 10), HTCAPTION);
    EXPECT_EQ(HitAt(form, 2, 300), HTLEFT);
    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, 20, 10));
    EXPECT_TRUE(WaitUntil([&] { return IsZoomed(form->Handle()) != FALSE; }));
    SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    const POINT close = CentreOf(form->HotImage(skin::kCloseButton));
    ClickAt(form->Handle(), close.x, close.y);
    EXPECT_EQ(form->sysCommands.back(), static_cast<WPARAM>(SC_CLOSE));
    // No second box: painting, activation and the close ran inside the calls above (a box would
    // have kept them from returning until the watcher, which looks every 20 ms, pressed OK); the
    // pause only lets posted messages run too.
    PumpFor(200);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(SkinnedFrameTest, SkinPathWithoutTrailingBackslashFindsTheFolderButNoFiles) {
    ProgramSubfolder folder;
    CreateDirectoryA((folder.Path() + "Red").c_str(), nullptr);
    WriteBmp(folder.Path() + "Red\\TopActivate.bmp", 16, 20, RGB(10, 20, 30));
    testsupport::MessageBoxWatcher boxes;
    // "...\Red" + "TopActivate.bmp": no such file, so every image is the built-in one.
    TestFrame* form = Create(folder.Relative() + "Red");
    ASSERT_TRUE(form->SkinLoaded());
    EXPECT_TRUE(HoldsTheBuiltInSkin(*form));
    EXPECT_EQ(skin::TPictureForm::CaptionHeight(), 32);
    form->Show();
    form->SetBounds(0, 0, 1000, 700);
    SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
    UpdateWindow(form->Handle());
    EXPECT_EQ(form->MainPanel().Width(), 1000 - 4 - 4);
    // No box: everything above ran before its call returned (a box would have held it until the
    // watcher, which looks every 20 ms, pressed OK); the pause only lets posted messages run too.
    PumpFor(200);
    EXPECT_TRUE(boxes.Boxes().empty());
}

// A damaged caption strip and close face: the built-in ones stand in, so the window still shows a
// caption it can be dragged by and a close button that closes it; one log line names both.
TEST_F(SkinnedFrameTest, ADamagedCaptionStripAndCloseFaceAreReplacedByTheBuiltInOnes) {
    ProgramSubfolder folder;
    WriteFileBytes(folder.Path() + "TopActivate.bmp",
                   std::string("BM\x40\0\0\0", 6) + std::string(58, '\x7F'));
    WriteBmp(folder.Path() + "btn_Close_Normal.bmp", 20, 22, RGB(1, 2, 3));
    {
        std::string cut = ReadFileBytes(folder.Path() + "btn_Close_Normal.bmp");
        WriteFileBytes(folder.Path() + "btn_Close_Normal.bmp", cut.substr(0, cut.size() / 2));
    }
    LogFile log;
    TestFrame* form = Create(folder.Relative());
    form->Show();
    UpdateWindow(form->Handle());
    const tk::Bitmap top = BuiltIn(skin::kTopActivate);
    const tk::Bitmap closeFace = BuiltIn(skin::kBtnCloseNormal);
    EXPECT_EQ(skin::TPictureForm::CaptionHeight(), top.Height());

    // On screen: the built-in caption band beside the title, and the built-in close face.
    const skin::THotImg* close = form->HotImage(skin::kCloseButton);
    ASSERT_TRUE(close->Visible());
    const RECT window = WindowRect(form->Handle());
    const Surface shot = Surface::FromScreen(window);
    EXPECT_EQ(shot.At(kW / 2, top.Height() - 2), top.Pixel((kW / 2) % top.Width(), top.Height() - 2));
    ASSERT_NE(closeFace.Pixel(10, 11), kMagenta);
    EXPECT_EQ(shot.At(close->Left() + 10, close->Top() + 11), closeFace.Pixel(10, 11));

    EXPECT_EQ(HitAt(form, kW / 2, 10), HTCAPTION);
    const POINT p = CentreOf(close);
    ClickAt(form->Handle(), p.x, p.y);
    EXPECT_EQ(form->sysCommands, std::vector<WPARAM>{SC_CLOSE});

    const std::string text = log.Text();
    const size_t line = text.find("the built-in ones are used: TopActivate, ");
    ASSERT_NE(line, std::string::npos) << text;
    EXPECT_NE(text.find("btn_Close_Normal", line), std::string::npos);
    EXPECT_EQ(text.find("the built-in ones are used", line + 1), std::string::npos);
}

TEST_F(SkinnedFrameTest, PartialSkinUsesWhatIsThereAndTilesNarrowImages) {
    ProgramSubfolder folder;
    WriteBmp(folder.Path() + "TopActivate.bmp", 1, 20, RGB(10, 20, 30));  // 1-pixel tiles
    WriteBmp(folder.Path() + "Left.bmp", 3, 1, RGB(40, 50, 60));
    WriteBmp(folder.Path() + "btn_Close_Normal.bmp", 12, 10, RGB(70, 80, 90));
    WriteBmp(folder.Path() + "Bottom.bmp", 0, 0, RGB(0, 0, 0));  // a file that is not a usable bitmap
    TestFrame* form = Create(folder.Relative());
    ASSERT_TRUE(form->SkinLoaded());
    EXPECT_EQ(skin::TPictureForm::CaptionHeight(), 20);
    // The unusable and the missing images are the built-in ones, see-through like any skin image.
    EXPECT_EQ(form->SkinImageAt(skin::kBottom)->Height(), BuiltIn(skin::kBottom).Height());
    EXPECT_EQ(form->SkinImageAt(skin::kBottom)->TransparentColor(), kMagenta);
    EXPECT_EQ(form->TopStrip().Picture().Pixel(kW - 1, 19), RGB(10, 20, 30));
    EXPECT_EQ(form->MainPanel().BoundsRect().left, 3);
    const skin::THotImg* close = form->HotImage(skin::kCloseButton);
    EXPECT_EQ(close->Left(), kW - 12 - 8);
    EXPECT_EQ(close->Top(), (20 - 10) / 2 + 1);
    // The minimize and maximize buttons have the built-in 20-pixel faces.
    EXPECT_EQ(form->HotImage(skin::kMinimizeButton)->Left(), kMinimizeLeft);
}
