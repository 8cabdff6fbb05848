// Labels: the size they take from their text and font, and how they draw it.
#include <gtest/gtest.h>

#include "ToolkitTesting.h"
#include "toolkit/Label.h"

using testsupport::Box;
using testsupport::BoxOf;

namespace {

// The extent of one line of text in a font, measured independently of the label.
SIZE TextSize(const tk::Font& font, const std::wstring& text) {
    tk::WindowDc screen(nullptr);
    tk::SelectGuard select(screen.Get(), font.Handle());
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    return {size.cx, metrics.tmHeight};
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);

}  // namespace

TEST(ToolkitLabel, AutoSizeTakesTheSizeOfItsTextInItsFontAndKeepsItsPlace) {
    auto form = testsupport::PlainForm();
    tk::Label label(form.get());
    label.SetBounds(30, 40, 5, 5);
    label.GetFont() = tk::Font(L"宋体", 9);
    label.FontChanged();
    label.SetCaption(L"按 F9 键隐藏或显示界面");
    const SIZE plain = TextSize(label.GetFont(), label.Caption());
    EXPECT_EQ(BoxOf(label), (Box{30, 40, plain.cx, plain.cy}));

    label.GetFont().SetBold(true);
    label.FontChanged();
    EXPECT_EQ(label.Width(), TextSize(label.GetFont(), label.Caption()).cx);
    EXPECT_GT(label.Width(), plain.cx);

    label.GetFont().SetPoints(18);
    label.FontChanged();
    EXPECT_EQ(label.Height(), TextSize(label.GetFont(), label.Caption()).cy);
    EXPECT_GT(label.Height(), plain.cy);
    EXPECT_EQ(label.Left(), 30);
    EXPECT_EQ(label.Top(), 40);
}

TEST(ToolkitLabel, AnEmptyAutoSizedLabelIsOneLineHighAndNoWidth) {
    auto form = testsupport::PlainForm();
    tk::Label label(form.get());
    label.SetCaption(L"text");
    label.SetCaption(L"");
    EXPECT_EQ(label.Width(), 0);
    EXPECT_EQ(label.Height(), TextSize(label.GetFont(), L" ").cy);
}

TEST(ToolkitLabel, AFixedSizeLabelKeepsItsBoundsWhateverItsText) {
    auto form = testsupport::PlainForm();
    tk::Label label(form.get());
    label.SetAutoSize(false);
    label.SetBounds(10, 10, 185, 13);
    label.SetCaption(L"a text much longer than the one hundred and eighty-five pixels it has");
    label.GetFont().SetPoints(20);
    label.FontChanged();
    EXPECT_EQ(BoxOf(label), (Box{10, 10, 185, 13}));
    // Turned on again, it measures at once.
    label.SetAutoSize(true);
    EXPECT_EQ(label.Width(), TextSize(label.GetFont(), label.Caption()).cx);
}

TEST(ToolkitLabel, AnAutoSizedLabelAnchoredRightGrowsToTheRightAndThenKeepsItsNewMargin) {
    auto form = testsupport::PlainForm(300, 200);
    tk::Label label(form.get());
    label.SetAnchors(tk::kAnchorTop | tk::kAnchorRight);
    label.SetBounds(200, 10, 10, 10);
    label.SetCaption(L"wider");
    const int right = label.Left() + label.Width();
    form->SetBounds(form->Left(), form->Top(), 400, 200);
    EXPECT_EQ(label.Left() + label.Width(), right + 100);
}

TEST(ToolkitLabel, DrawsItsTextInItsColourRightAlignedOnItsBackgroundOrOnTheParent) {
    auto form = testsupport::PlainForm(300, 100);
    tk::Label label(form.get());
    label.SetAutoSize(false);
    label.SetBounds(20, 20, 200, 30);
    label.GetFont() = tk::Font(L"宋体", 12, true, kRed);
    label.FontChanged();
    label.SetCaption(L"IIII");
    label.SetAlignment(tk::TextAlign::Right);
    label.SetBackground(kYellow);
    const SIZE text = TextSize(label.GetFont(), label.Caption());
    {
        const testsupport::Surface shot = testsupport::PrintClient(*form);
        // Background over the whole label, text only at its right end, nothing outside it.
        EXPECT_EQ(shot.At(21, 21), kYellow);
        EXPECT_EQ(shot.At(20 + 200 - text.cx - 2, 21 + text.cy / 2), kYellow);
        EXPECT_GT(shot.CountNear(kRed, 120), 0);
        EXPECT_EQ(shot.CountOtherThan(kYellow, RECT{20, 20, 220 - text.cx, 50}), 0);
        EXPECT_EQ(shot.CountOtherThan(kWhite, RECT{0, 0, 300, 20}), 0);
        EXPECT_EQ(shot.CountOtherThan(kWhite, RECT{220, 0, 300, 100}), 0);
    }
    label.SetTransparent(true);
    {
        const testsupport::Surface shot = testsupport::PrintClient(*form);
        EXPECT_EQ(shot.Count(kYellow), 0);
        EXPECT_GT(shot.CountNear(kRed, 120), 0);
    }
}
