// The skinned window with a missing, misnamed or partial skin folder: what it reports and how it
// lives on.
#include <gtest/gtest.h>

#include "SkinnedFrameFixture.h"
#include "support/MessageBoxes.h"
#include "support/Pixels.h"
#include "support/Wait.h"
#include "base/Text.h"

using namespace testsupport;

TEST_F(SkinnedFrameTest, MissingSkinFolderIsReportedOnceAndTheWindowLivesOnWithoutASkin) {
    testsupport::MessageBoxWatcher boxes;
    TestFrame* form = Create("NoSuchSkin\\");
    ASSERT_TRUE(boxes.WaitFor(1, 3000));
    EXPECT_EQ(boxes.Boxes()[0].text, base::Utf8ToWide("皮肤文件不存在，或者路径不正确!"));
    EXPECT_FALSE(form->SkinLoaded());
    EXPECT_EQ(form->HotImage(0), nullptr);
    EXPECT_EQ(form->GetCaptionLabel(), nullptr);

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
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
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
    // "...\Red" + "TopActivate.bmp": no such file, so every image stays empty.
    TestFrame* form = Create(folder.Relative() + "Red");
    ASSERT_TRUE(form->SkinLoaded());
    for (int i = 0; i < skin::kSkinImageCount; ++i) {
        EXPECT_TRUE(form->SkinImageAt(i)->Empty());
    }
    EXPECT_EQ(skin::TPictureForm::CaptionHeight(), 0);
    // Zero-sized tiles everywhere: relayouts, activation changes and painting all finish.
    form->Show();
    form->SetBounds(0, 0, 1000, 700);
    SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
    UpdateWindow(form->Handle());
    EXPECT_EQ(form->MainPanel().Width(), 1000);
    // No box: everything above ran before its call returned (a box would have held it until the
    // watcher, which looks every 20 ms, pressed OK); the pause only lets posted messages run too.
    PumpFor(200);
    EXPECT_TRUE(boxes.Boxes().empty());
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
    EXPECT_TRUE(form->SkinImageAt(skin::kBottom)->Empty());
    EXPECT_FALSE(form->SkinImageAt(skin::kBottom)->TransparentColor().has_value());
    EXPECT_EQ(form->TopStrip().Picture().Pixel(kW - 1, 19), RGB(10, 20, 30));
    EXPECT_EQ(form->MainPanel().BoundsRect().left, 3);
    const skin::THotImg* close = form->HotImage(skin::kCloseButton);
    EXPECT_EQ(close->Left(), kW - 12 - 8);
    EXPECT_EQ(close->Top(), (20 - 10) / 2 + 1);
    // The minimize button has no face and so no size: its left is the window's right edge less 8.
    EXPECT_EQ(form->HotImage(skin::kMinimizeButton)->Left(), kW - 8);
}
