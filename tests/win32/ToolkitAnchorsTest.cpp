// Alignment and anchors: where the toolkit puts controls when their parent changes size.
#include <gtest/gtest.h>

#include "ToolkitTesting.h"
#include "toolkit/Image.h"
#include "toolkit/Panel.h"

using testsupport::Box;
using testsupport::BoxOf;
using testsupport::WindowBoxOf;

TEST(ToolkitAnchors, TopAlignedControlsStackAtFullWidthAndTheClientControlTakesTheRest) {
    auto form = testsupport::PlainForm(300, 200);
    // Created out of order on purpose: the client control is laid out after every top one.
    tk::Panel client(form.get(), 5, 5, 10, 10);
    client.SetAlign(tk::Align::Client);
    tk::Image strip(form.get());  // windowless
    strip.SetBounds(40, 70, 10, 30);
    strip.SetAlign(tk::Align::Top);
    tk::Panel bar(form.get(), 0, 0, 50, 20);
    bar.SetAlign(tk::Align::Top);
    EXPECT_EQ(BoxOf(strip), (Box{0, 0, 300, 30}));
    EXPECT_EQ(BoxOf(bar), (Box{0, 30, 300, 20}));
    EXPECT_EQ(BoxOf(client), (Box{0, 50, 300, 150}));

    form->SetBounds(form->Left(), form->Top(), 420, 260);
    EXPECT_EQ(BoxOf(strip), (Box{0, 0, 420, 30}));
    EXPECT_EQ(BoxOf(bar), (Box{0, 30, 420, 20}));
    EXPECT_EQ(BoxOf(client), (Box{0, 50, 420, 210}));
    // The windowed ones really moved, not only their recorded bounds.
    EXPECT_EQ(WindowBoxOf(bar.Handle()), (Box{0, 30, 420, 20}));
    EXPECT_EQ(WindowBoxOf(client.Handle()), (Box{0, 50, 420, 210}));

    // Too small for the top controls: the client control is left with nothing, never less.
    form->SetBounds(form->Left(), form->Top(), 100, 40);
    EXPECT_EQ(BoxOf(client), (Box{0, 50, 100, 0}));
}

TEST(ToolkitAnchors, HiddenAlignedControlsTakeNoRoomAtTheNextRealignment) {
    auto form = testsupport::PlainForm(300, 200);
    tk::Image strip(form.get());
    strip.SetBounds(0, 0, 10, 30);
    strip.SetAlign(tk::Align::Top);
    tk::Panel client(form.get(), 0, 0, 10, 10);
    client.SetAlign(tk::Align::Client);
    strip.Hide();
    form->SetBounds(form->Left(), form->Top(), 300, 220);
    EXPECT_EQ(BoxOf(client), (Box{0, 0, 300, 220}));
    strip.Show();
    form->Realign();
    EXPECT_EQ(BoxOf(client), (Box{0, 30, 300, 190}));
}

TEST(ToolkitAnchors, RightAndBottomAnchorsKeepTheDistancesToThoseEdges) {
    auto form = testsupport::PlainForm(300, 200);
    struct Case {
        const char* name;
        unsigned anchors;
        Box after;  // once the form has grown by 100 x 60
    };
    const Case cases[] = {
        {"left top (the default)", tk::kAnchorLeft | tk::kAnchorTop, {20, 30, 50, 40}},
        {"top right: moves", tk::kAnchorTop | tk::kAnchorRight, {120, 30, 50, 40}},
        {"left right: stretches", tk::kAnchorLeft | tk::kAnchorTop | tk::kAnchorRight, {20, 30, 150, 40}},
        {"left bottom: moves down", tk::kAnchorLeft | tk::kAnchorBottom, {20, 90, 50, 40}},
        {"top bottom: stretches", tk::kAnchorLeft | tk::kAnchorTop | tk::kAnchorBottom, {20, 30, 50, 100}},
        {"right bottom: moves both ways", tk::kAnchorRight | tk::kAnchorBottom, {120, 90, 50, 40}},
        {"all four: stretches both ways", 15u, {20, 30, 150, 100}},
    };
    std::vector<std::unique_ptr<tk::Image>> images;
    std::vector<std::unique_ptr<tk::Panel>> panels;
    for (const Case& c : cases) {
        images.push_back(std::make_unique<tk::Image>(form.get()));
        images.back()->SetBounds(20, 30, 50, 40);
        images.back()->SetAnchors(c.anchors);
        panels.push_back(std::make_unique<tk::Panel>(form.get(), 20, 30, 50, 40));
        panels.back()->SetAnchors(c.anchors);
    }
    form->SetBounds(form->Left(), form->Top(), 400, 260);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(BoxOf(*images[i]), cases[i].after);
        EXPECT_EQ(BoxOf(*panels[i]), cases[i].after);
        EXPECT_EQ(WindowBoxOf(panels[i]->Handle()), cases[i].after);
    }
    // Shrinking far below the start: stretched controls end at no size, never a negative one.
    form->SetBounds(form->Left(), form->Top(), 50, 50);
    EXPECT_EQ(BoxOf(*images[2]), (Box{20, 30, 0, 40}));
    EXPECT_EQ(BoxOf(*images[4]), (Box{20, 30, 50, 0}));
    // Back to the start: every control is where it began.
    form->SetBounds(form->Left(), form->Top(), 300, 200);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(BoxOf(*images[i]), (Box{20, 30, 50, 40}));
    }
}

TEST(ToolkitAnchors, MovingAControlByHandTakesItsNewDistancesAsTheAnchorOrigin) {
    auto form = testsupport::PlainForm(300, 200);
    tk::Image image(form.get());
    image.SetAnchors(tk::kAnchorTop | tk::kAnchorRight);
    image.SetBounds(200, 10, 80, 13);  // 20 from the right edge
    form->SetBounds(form->Left(), form->Top(), 400, 200);
    EXPECT_EQ(image.Left(), 300);
    image.SetLeft(100);  // now 220 from the right edge
    form->SetBounds(form->Left(), form->Top(), 500, 200);
    EXPECT_EQ(image.Left(), 200);
    EXPECT_EQ(image.Width(), 80);
}

TEST(ToolkitAnchors, AnchoredControlsFollowThroughAClientAlignedPanel) {
    auto form = testsupport::PlainForm(300, 200);
    tk::Panel caption(form.get(), 0, 0, 300, 30);
    caption.SetAlign(tk::Align::Top);
    tk::Panel body(form.get(), 0, 0, 10, 10);
    body.SetAlign(tk::Align::Client);
    tk::Image corner(&body);  // bottom-right corner of the body
    corner.SetBounds(270, 150, 20, 10);
    corner.SetAnchors(tk::kAnchorRight | tk::kAnchorBottom);
    tk::Panel footer(&body, 10, 140, 280, 20);  // stretched along the bottom
    footer.SetAnchors(tk::kAnchorLeft | tk::kAnchorRight | tk::kAnchorBottom);

    form->SetBounds(form->Left(), form->Top(), 500, 300);
    EXPECT_EQ(BoxOf(body), (Box{0, 30, 500, 270}));
    EXPECT_EQ(BoxOf(corner), (Box{470, 250, 20, 10}));
    EXPECT_EQ(WindowBoxOf(footer.Handle()), (Box{10, 240, 480, 20}));
}
