// The tray menu of the real main window: its items, painting, commands and size presets.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "MainFormFixture.h"
#include "support/Wait.h"
#include "toolkit/Bitmap.h"
#include "base/Text.h"

using testsupport::MainFormTest;

namespace {

struct ShellCall {
    std::wstring verb, file, parameters;
};

class MenuTest : public MainFormTest {
  protected:
    app::TMainForm* Create() {
        app::TMainForm* form = CreateMainForm();
        form->ShellOpen = [this](const std::wstring& verb, const std::wstring& file,
                                 const std::wstring& parameters) {
            calls_.push_back({verb, file, parameters});
        };
        return form;
    }
    std::vector<ShellCall> calls_;
};

}  // namespace

TEST_F(MenuTest, ItemsCaptionsAndVisibility) {
    app::TMainForm* form = Create();
    const auto& items = form->TrayMenu().Items();
    std::vector<std::tuple<std::string, std::wstring, bool>> expected = {
        {"NSuggest", base::Utf8ToWide("提交建议"), true},
        {"mniNVisitSite", base::Utf8ToWide("访问网站"), true},
        {"mmiOpenFolder", base::Utf8ToWide("打开目录"), false},
        {"mniWinSize", base::Utf8ToWide("窗口大小"), false},
        {"mniSetting", base::Utf8ToWide("参数设置"), true},
        {"NCloseUI", base::Utf8ToWide("退出程序"), true},
    };
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->name, std::get<0>(expected[i]));
        EXPECT_EQ(items[i]->caption, std::get<1>(expected[i]));
        EXPECT_EQ(items[i]->visible, std::get<2>(expected[i]));
    }
    const auto& sizes = form->TrayMenu().Find("mniWinSize")->Items();
    ASSERT_EQ(sizes.size(), 5u);
    EXPECT_EQ(sizes[0]->caption, L"800 * 600");
    EXPECT_EQ(sizes[4]->caption, L"1440 * 900");
    EXPECT_TRUE(form->TrayMenu().ownerDraw);
    EXPECT_TRUE(form->TrayMenu().rightAligned);
}

TEST_F(MenuTest, MeasuresFixedSizes) {
    app::TMainForm* form = Create();
    int w = 0, h = 0;
    form->TrayMenu().Find("NSuggest")->OnMeasureItem(nullptr, w, h);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(h, 30);
    form->TrayMenu().Find("N10247681")->OnMeasureItem(nullptr, w, h);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(h, 20);
}

TEST_F(MenuTest, PaintsSelectedPlainAndSeparatorItems) {
    app::TMainForm* form = Create();
    tk::Bitmap canvas(120, 30);
    const RECT rect{0, 0, 120, 30};
    tk::MenuItem item("x", base::Utf8ToWide("访问网站"));

    form->PaintMenuItem(item, canvas.Dc(), ODS_SELECTED, rect);
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(252, 165, 36));
    EXPECT_EQ(canvas.Pixel(119, 29), RGB(252, 165, 36));
    EXPECT_EQ(canvas.Pixel(10, 15), RGB(252, 165, 36));  // nothing drawn left of the 20-pixel indent
    bool text = false;
    for (int x = 20; x < 120 && !text; ++x) {
        for (int y = 0; y < 30 && !text; ++y) {
            text = canvas.Pixel(x, y) != RGB(252, 165, 36);
        }
    }
    EXPECT_TRUE(text);

    canvas.Clear(RGB(1, 2, 3));
    form->PaintMenuItem(item, canvas.Dc(), 0, rect);
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(240, 240, 240));
    EXPECT_EQ(canvas.Pixel(5, 29), RGB(240, 240, 240));

    canvas.Clear(RGB(1, 2, 3));
    tk::MenuItem separator("sep", L"-");
    form->PaintMenuItem(separator, canvas.Dc(), 0, rect);
    EXPECT_EQ(canvas.Pixel(60, 15), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(0, 15), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(60, 14), RGB(240, 240, 240));
    EXPECT_EQ(canvas.Pixel(60, 16), RGB(240, 240, 240));
}

TEST_F(MenuTest, PagesOpenInTheBrowserProgramOnThePlatformsSite) {
    WriteSysConfig("DirectUrl=http://exam.example/Login.aspx\r\n");
    app::TMainForm* form = Create();
    form->TrayMenu().Find("NSuggest")->OnClick();
    form->TrayMenu().Find("mniNVisitSite")->OnClick();
    ASSERT_EQ(calls_.size(), 2u);
    EXPECT_EQ(calls_[0].verb, L"open");
    EXPECT_EQ(calls_[0].file, L"IEXPLORE.EXE");
    EXPECT_EQ(calls_[0].parameters, L"http://exam.example/Detail.aspx?subjectID=16");
    EXPECT_EQ(calls_[1].parameters, L"http://exam.example/");
}

TEST_F(MenuTest, WithoutAStartAddressThePagesAreNotOpened) {
    app::TMainForm* form = Create();
    form->NSuggestClick();
    form->mniNVisitSiteClick();
    EXPECT_TRUE(calls_.empty());
}

TEST_F(MenuTest, OpenFolderShowsTheProgramFolder) {
    app::TMainForm* form = Create();
    form->TrayMenu().Find("mmiOpenFolder")->OnClick();
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].file, L"Explorer.exe");
    EXPECT_EQ(calls_[0].parameters, base::ExeFolder());
    EXPECT_EQ(calls_[0].parameters.back(), L'\\');
}

TEST_F(MenuTest, ExitEndsTheProgramEvenWhenClosingWouldHide) {
    WriteUserConfig("NeverRequire=1\r\nCloseAction=hide\r\n");
    app::TMainForm* form = Create();
    form->Show();
    form->TrayMenu().Find("NCloseUI")->OnClick();
    EXPECT_TRUE(testsupport::WaitUntil([] { return tk::Application::Instance().Terminated(); }));
}

TEST_F(MenuTest, SizePresetRestoresResizesAndCentresOnTheWorkArea) {
    app::TMainForm* form = Create();
    form->Show();
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    ASSERT_TRUE(testsupport::WaitUntil([&] { return IsZoomed(form->Handle()) != FALSE; }));
    form->TrayMenu().Find("N10247681")->OnClick();
    EXPECT_TRUE(testsupport::WaitUntil([&] { return IsZoomed(form->Handle()) == FALSE; }));
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(testsupport::WindowComesTo(form->Handle(), (work.right - work.left - 1024) / 2,
                                           (work.bottom - work.top - 768) / 2, 1024, 768));
}

TEST_F(MenuTest, SizePresetShowsAHiddenProgram) {
    app::TMainForm* form = Create();
    form->TrayMenu().Find("N800X6001")->OnClick();
    EXPECT_TRUE(testsupport::WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
}
