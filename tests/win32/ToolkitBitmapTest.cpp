// Bitmaps and pictures: loading, plain, transparent and stretched drawing, read back pixel by pixel.
#include <gtest/gtest.h>

#include "ToolkitTesting.h"
#include "base/Text.h"
#include "support/TestFiles.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Image.h"

using testsupport::Surface;

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    tk::UniqueBrush brush(CreateSolidBrush(colour));
    RECT r{left, top, right, bottom};
    FillRect(dc, &r, brush.Get());
}

// 4 x 4: red with a magenta left half of the bottom two rows and a green top-right pixel.
tk::Bitmap Sample() {
    tk::Bitmap bitmap(4, 4);
    bitmap.Clear(kRed);
    FillBox(bitmap.Dc(), 0, 2, 2, 4, kMagenta);
    FillBox(bitmap.Dc(), 3, 0, 4, 1, kGreen);
    return bitmap;
}

// Quarters of half x half pixels: red, green / blue, magenta.
tk::Bitmap Quarters(int half = 1) {
    tk::Bitmap bitmap(2 * half, 2 * half);
    FillBox(bitmap.Dc(), 0, 0, half, half, kRed);
    FillBox(bitmap.Dc(), half, 0, 2 * half, half, kGreen);
    FillBox(bitmap.Dc(), 0, half, half, 2 * half, kBlue);
    FillBox(bitmap.Dc(), half, half, 2 * half, 2 * half, kMagenta);
    return bitmap;
}

// How many pixels of a surface look pink: red and blue both well above green.
int PinkPixels(const Surface& surface) {
    int pink = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            const COLORREF c = surface.At(x, y);
            pink += GetRValue(c) > GetGValue(c) + 24 && GetBValue(c) > GetGValue(c) + 24;
        }
    }
    return pink;
}

}  // namespace

TEST(ToolkitBitmap, PlainDrawingCopiesEveryPixelAndTransparentDrawingLeavesOutTheFixedColour) {
    const tk::Bitmap bitmap = Sample();
    Surface target(10, 10, kBlack);
    bitmap.Draw(target.Dc(), 3, 5);
    EXPECT_EQ(target.At(3, 5), kRed);
    EXPECT_EQ(target.At(6, 5), kGreen);
    EXPECT_EQ(target.At(3, 8), kMagenta);
    EXPECT_EQ(target.At(2, 5), kBlack);
    EXPECT_EQ(target.At(7, 5), kBlack);

    tk::Bitmap green = Sample();
    green.SetTransparentColor(kGreen);
    target.Fill(kBlack);
    green.Draw(target.Dc(), 3, 5, true);
    EXPECT_EQ(target.At(6, 5), kBlack);  // left out
    EXPECT_EQ(target.At(3, 8), kMagenta);
    EXPECT_EQ(target.At(5, 5), kRed);
}

TEST(ToolkitBitmap, WithoutAFixedColourTheBottomLeftPixelIsTheTransparentOne) {
    tk::Bitmap bitmap = Sample();
    EXPECT_EQ(bitmap.EffectiveTransparentColor(), kMagenta);
    Surface target(4, 4, kBlue);
    bitmap.Draw(target.Dc(), 0, 0, true);
    EXPECT_EQ(target.Count(kMagenta), 0);
    EXPECT_EQ(target.Count(kBlue), 4);
    EXPECT_EQ(target.Count(kRed), 11);
    // Another bottom-left pixel, another colour left out.
    FillBox(bitmap.Dc(), 0, 3, 1, 4, kBlack);
    EXPECT_EQ(bitmap.EffectiveTransparentColor(), kBlack);
}

TEST(ToolkitBitmap, StretchedDrawingScalesIntoTheTargetRectangleOnly) {
    // Smoothly scaled: colours blend where the quarters meet, so look well inside each.
    const tk::Bitmap large = Quarters(8);
    Surface target(45, 45, kBlack);
    large.StretchDraw(target.Dc(), RECT{5, 5, 37, 37});
    EXPECT_EQ(target.At(10, 10), kRed);
    EXPECT_EQ(target.At(32, 10), kGreen);
    EXPECT_EQ(target.At(10, 32), kBlue);
    EXPECT_EQ(target.At(32, 32), kMagenta);
    EXPECT_EQ(target.CountOtherThan(kBlack, RECT{0, 0, 45, 5}), 0);
    EXPECT_EQ(target.CountOtherThan(kBlack, RECT{37, 0, 45, 45}), 0);
    EXPECT_EQ(target.CountOtherThan(kBlack, RECT{0, 37, 45, 45}), 0);

    // Transparent and stretched: the bottom-left (blue) quarter is left out, the rest is scaled.
    const tk::Bitmap bitmap = Quarters();
    target.Fill(kBlack);
    bitmap.StretchDraw(target.Dc(), RECT{5, 5, 25, 25}, true);
    EXPECT_EQ(target.At(8, 21), kBlack);
    EXPECT_EQ(target.CountOtherThan(kBlack, RECT{5, 15, 15, 25}), 0);
    EXPECT_EQ(target.CountOtherThan(kRed, RECT{5, 5, 15, 15}), 0);
    EXPECT_EQ(target.CountOtherThan(kMagenta, RECT{15, 15, 25, 25}), 0);
}

TEST(ToolkitBitmap, LoadsABottomUpBmpTheRightWayUpAndAMissingFileLeavesItEmpty) {
    testsupport::TempFolder folder;
    testsupport::WriteBmp(folder.Path() + "rows.bmp", 3, 2, {kRed, kRed, kGreen, kBlue, kBlue, kBlue});
    tk::Bitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(base::Utf8ToWide(folder.Path() + "rows.bmp")));
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Pixel(0, 0), kRed);
    EXPECT_EQ(bitmap.Pixel(2, 0), kGreen);
    EXPECT_EQ(bitmap.Pixel(1, 1), kBlue);
    EXPECT_EQ(bitmap.Pixel(3, 0), CLR_INVALID);

    EXPECT_FALSE(bitmap.LoadFromFile(base::Utf8ToWide(folder.Path() + "missing.bmp")));
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Dc(), nullptr);
    Surface target(4, 4, kBlack);
    bitmap.Draw(target.Dc(), 0, 0);  // drawing nothing is fine
    EXPECT_EQ(target.Count(kBlack), 16);
}

TEST(ToolkitBitmap, ACopyHasItsOwnPixelsAndKeepsTheTransparentColour) {
    tk::Bitmap original = Sample();
    original.SetTransparentColor(kGreen);
    tk::Bitmap copy = original.Copy();
    FillBox(copy.Dc(), 0, 0, 4, 4, kBlue);
    EXPECT_EQ(original.Pixel(0, 0), kRed);
    EXPECT_EQ(copy.Pixel(0, 0), kBlue);
    EXPECT_EQ(copy.TransparentColor(), std::optional<COLORREF>(kGreen));
    // Resizing starts a fresh white surface.
    copy.SetSize(6, 5);
    EXPECT_EQ(copy.Pixel(5, 4), kWhite);
    copy.SetSize(0, 5);
    EXPECT_TRUE(copy.Empty());
}

TEST(ToolkitBitmap, ScaledWithAlphaBlendsWithoutAMagentaFringe) {
    // 8 x 8 magenta (the bottom-left pixel: the transparent colour) around a grey 4 x 4 box.
    tk::Bitmap keyed(8, 8);
    keyed.Clear(kMagenta);
    FillBox(keyed.Dc(), 2, 2, 6, 6, RGB(128, 128, 128));
    const tk::Bitmap scaled = keyed.ScaledWithAlpha(12, 12);
    ASSERT_EQ(scaled.Width(), 12);
    ASSERT_EQ(scaled.Height(), 12);
    EXPECT_TRUE(scaled.HasAlpha());
    EXPECT_FALSE(keyed.HasAlpha());
    EXPECT_EQ(scaled.Pixel(0, 0), kBlack);  // see-through, premultiplied
    EXPECT_TRUE(scaled.Copy().HasAlpha());

    Surface target(20, 20, kWhite);
    scaled.Draw(target.Dc(), 3, 3);
    EXPECT_EQ(PinkPixels(target), 0);
    EXPECT_EQ(target.At(3, 3), kWhite);
    EXPECT_EQ(target.At(9, 9), RGB(128, 128, 128));
    EXPECT_EQ(target.CountOtherThan(kWhite, RECT{0, 0, 20, 5}), 0);

    target.Fill(kWhite);
    scaled.StretchDraw(target.Dc(), RECT{0, 0, 18, 18}, true);
    EXPECT_EQ(PinkPixels(target), 0);
    EXPECT_EQ(target.At(9, 9), RGB(128, 128, 128));
    EXPECT_EQ(target.At(1, 1), kWhite);

    EXPECT_TRUE(keyed.ScaledWithAlpha(0, 12).Empty());
    EXPECT_TRUE(tk::Bitmap().ScaledWithAlpha(12, 12).Empty());
}

TEST(ToolkitImage, AutoSizeTakesThePicturesSize) {
    auto form = testsupport::PlainForm();
    tk::Image image(form.get());
    image.SetBounds(7, 8, 50, 50);
    image.SetAutoSize(true);
    image.SetPicture(Sample());
    EXPECT_EQ(testsupport::BoxOf(image), (testsupport::Box{7, 8, 4, 4}));
    // Without auto-size the control keeps its bounds.
    tk::Image fixed(form.get());
    fixed.SetBounds(7, 8, 50, 50);
    fixed.SetPicture(Sample());
    EXPECT_EQ(fixed.Width(), 50);
}

TEST(ToolkitImage, PaintsItsPictureAtItsCornerCentredOrStretchedAndTransparentWhereAsked) {
    auto form = testsupport::PlainForm(100, 100);
    tk::Image image(form.get());
    image.SetBounds(10, 20, 40, 40);
    image.SetPicture(Quarters());
    EXPECT_EQ(testsupport::PrintClient(*form).At(11, 21), kMagenta);  // (1, 1) of the picture

    image.SetCenter(true);
    const Surface centred = testsupport::PrintClient(*form);
    EXPECT_EQ(centred.At(10 + 19, 20 + 19), kRed);
    EXPECT_EQ(centred.At(10 + 20, 20 + 20), kMagenta);
    EXPECT_EQ(centred.At(10, 20), kWhite);

    image.SetStretch(true);
    image.SetTransparent(true);
    const Surface shot = testsupport::PrintClient(*form);
    EXPECT_EQ(shot.At(15, 25), kRed);
    EXPECT_EQ(shot.At(45, 55), kMagenta);
    EXPECT_EQ(shot.At(15, 55), kWhite);  // the blue quarter is left out: the form shows through
    EXPECT_EQ(shot.CountOtherThan(kWhite, RECT{0, 0, 100, 20}), 0);
    EXPECT_EQ(shot.CountOtherThan(kWhite, RECT{50, 0, 100, 100}), 0);
}

TEST(ToolkitImage, CanvasIsAFreshSurfaceOfTheControlsSizeThatKeepsTheTransparentColour) {
    auto form = testsupport::PlainForm();
    tk::Image image(form.get());
    image.SetBounds(0, 0, 30, 12);
    tk::Bitmap picture = Sample();
    picture.SetTransparentColor(kGreen);
    image.SetPicture(std::move(picture));
    HDC canvas = image.Canvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(image.Picture().Width(), 30);
    EXPECT_EQ(image.Picture().Height(), 12);
    EXPECT_EQ(image.Picture().Pixel(0, 0), kWhite);
    EXPECT_EQ(image.Picture().TransparentColor(), std::optional<COLORREF>(kGreen));
    FillBox(canvas, 0, 0, 30, 12, kRed);
    image.Canvas();  // same size: cleared
    EXPECT_EQ(image.Picture().Pixel(29, 11), kWhite);
}
