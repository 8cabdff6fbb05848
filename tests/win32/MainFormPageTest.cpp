// The real main window as host of the platform's pages. The HTML engine is missing here, so the tests
// play the control: they call the host's interfaces and fire its events as the control would, and a
// real JScript engine plays the page's scripts.
#include <mshtmhst.h>
#include <exdispid.h>

#include <gtest/gtest.h>

#include "BrowserEvents.h"
#include "MainFormFixture.h"
#include "PageObjects.h"
#include "support/Wait.h"
#include "app/PrivateMessages.h"
#include "dialogs/FirstOptionFrm.h"
#include "base/Text.h"
#include "webhost/FrameRegistration.h"

using testsupport::MainFormTest;

namespace {

// A frame inside the page: any browser object other than the top-level one.
class FrameObject final : public testsupport::NamedObject {
  public:
    FrameObject() : NamedObject(L"") {}
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
};

class PageHostTest : public MainFormTest {
  protected:
    void TearDown() override {
        webhost::FrameRegistration().Clear();
        MainFormTest::TearDown();
    }

    app::TMainForm* Start(const std::string& startUrl = "http://exam.example/login.aspx") {
        WriteSysConfig("DirectUrl=" + startUrl + "\r\n");
        app::TMainForm* form = CreateMainForm();
        EXPECT_NE(form->GetBrowser(), nullptr);
        base::ComPtr<IOleObject> object(base::ComPtr<IWebBrowser2>(form->GetBrowser()->DefaultInterface())
                                            .As<IOleObject>(IID_IOleObject));
        object->GetClientSite(site_.Put());
        return form;
    }
    DWORD HostFlags() {
        DOCHOSTUIINFO info{};
        info.cbSize = sizeof(info);
        EXPECT_EQ(site_.As<IDocHostUIHandler>(IID_IDocHostUIHandler)->GetHostInfo(&info), S_OK);
        EXPECT_EQ(info.cbSize, sizeof(DOCHOSTUIINFO));
        EXPECT_EQ(info.dwDoubleClick, static_cast<DWORD>(DOCHOSTUIDBLCLK_DEFAULT));
        return info.dwFlags;
    }
    // Fires one of the control's events (pDisp, URL by reference) at the main window's sink.
    void Fire(app::TMainForm* form, DISPID id, IDispatch* pDisp, const std::string& url) {
        EXPECT_EQ(
            testsupport::FireBrowserEvent(form->GetBrowser()->EventSink(), id, pDisp, base::AnsiToWide(url)),
            S_OK);
        tk::Application::Instance().ProcessMessages();
    }
    void Navigated(app::TMainForm* form, const std::string& url) {
        Fire(form, DISPID_NAVIGATECOMPLETE2, form->GetBrowser()->Application().Get(), url);
    }
    static RECT Rect(app::TMainForm* form) { return testsupport::WindowRect(form->Handle()); }

    base::ComPtr<IOleClientSite> site_;
};

}  // namespace

TEST_F(PageHostTest, TheControlFillsTheClientPanelWithoutTabStop) {
    app::TMainForm* form = Start();
    HWND control = form->GetBrowser()->Handle();
    EXPECT_EQ(GetParent(control), form->MainPanel().Handle());
    EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP, 0);
    form->Show();
    auto fills = [&] {
        RECT panel{}, browser{};
        GetClientRect(form->MainPanel().Handle(), &panel);
        GetWindowRect(control, &browser);
        return browser.right - browser.left == panel.right && browser.bottom - browser.top == panel.bottom &&
               panel.right > 0;
    };
    EXPECT_TRUE(testsupport::WaitUntil(fills));
}

TEST_F(PageHostTest, HostFlagsFollowTheLayouts) {
    app::TMainForm* form = Start();
    EXPECT_EQ(HostFlags(), 0u);  // until the window is first shown
    form->Show();
    EXPECT_EQ(HostFlags(), 0x4000000Cu);
    Navigated(form, "http://exam.example/main.aspx");
    EXPECT_EQ(HostFlags(), 0x40000084u);
    Navigated(form, "http://exam.example/login.aspx");
    EXPECT_EQ(HostFlags(), 0x4000000Cu);
    // The full set comes only with the placement, once per run.
    Navigated(form, "http://exam.example/main.aspx");
    EXPECT_EQ(HostFlags(), 0x4000000Cu);
}

TEST_F(PageHostTest, TheStartPageKeepsTheCompactLayoutByteForByte) {
    app::TMainForm* form = Start("http://exam.example/login.aspx");
    form->Show();
    Navigated(form, "http://exam.example/login.aspx");
    EXPECT_FALSE(form->FullLayout());
    EXPECT_EQ(Rect(form).right - Rect(form).left, 400);
    // Letter case differs: that is another address.
    Navigated(form, "http://exam.example/Login.aspx");
    EXPECT_TRUE(form->FullLayout());
}

TEST_F(PageHostTest, ABareHostWithoutTheSlashTheBrowserAddsSwitchesAtOnce) {
    app::TMainForm* form = Start("http://exam.example");
    form->Show();
    Navigated(form, "http://exam.example/");
    EXPECT_TRUE(form->FullLayout());
    EXPECT_TRUE(form->GetPlaced());
}

TEST_F(PageHostTest, LeavingTheStartPageAppliesTheSavedPlacementAndOffersTheFirstRunDialog) {
    WriteUserConfig("WindowPos=0,100,50,1024,700,200,100,800,600\r\n");
    app::TMainForm* form = Start();
    form->Show();
    Navigated(form, "http://exam.example/main.aspx");
    const RECT r = Rect(form);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 1024);
    EXPECT_TRUE(form->GetResizable());
    ASSERT_NE(dialogs::TFirstOptionForm::Current(), nullptr);
    EXPECT_TRUE(IsWindowVisible(dialogs::TFirstOptionForm::Current()->Handle()));
    EXPECT_EQ(dialogs::TFirstOptionForm::Current()->Owner(), form);
}

TEST_F(PageHostTest, NoFirstRunDialogOnceTheUserDeclinedIt) {
    WriteUserConfig("ShotCutRemind=0\r\n");
    app::TMainForm* form = Start();
    form->Show();
    Navigated(form, "http://exam.example/main.aspx");
    EXPECT_TRUE(form->GetPlaced());
    EXPECT_EQ(dialogs::TFirstOptionForm::Current(), nullptr);
}

TEST_F(PageHostTest, AFrameWithAnotherAddressSwitchesTheLayoutToo) {
    app::TMainForm* form = Start();
    form->Show();
    base::ComPtr<IDispatch> frame = base::ComPtr<IDispatch>::Adopt(new FrameObject);
    Fire(form, DISPID_NAVIGATECOMPLETE2, frame.Get(), "http://ads.example/banner.html");
    EXPECT_TRUE(form->FullLayout());
}

TEST_F(PageHostTest, ACompletedTopLevelDocumentBringsAHiddenWindowBackButAFrameDoesNot) {
    app::TMainForm* form = Start();
    form->Show();
    form->Hide();
    base::ComPtr<IDispatch> frame = base::ComPtr<IDispatch>::Adopt(new FrameObject);
    Fire(form, DISPID_DOCUMENTCOMPLETE, frame.Get(), "http://exam.example/frame.aspx");
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    Fire(form, DISPID_DOCUMENTCOMPLETE, form->GetBrowser()->Application().Get(),
         "http://exam.example/login.aspx");
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(PageHostTest, ScriptErrorsAreSuppressedAndTheScriptsGoOn) {
    Start();
    base::ComPtr<IOleCommandTarget> target = site_.As<IOleCommandTarget>(IID_IOleCommandTarget);
    ASSERT_TRUE(target);
    VARIANT out;
    VariantInit(&out);
    EXPECT_EQ(target->Exec(&webhost::kCGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, &out),
              S_OK);
    EXPECT_EQ(out.vt, VT_BOOL);
    EXPECT_EQ(out.boolVal, VARIANT_TRUE);
}

TEST_F(PageHostTest, TheUserAgentTokenIsRegisteredWhileTheControlLives) {
    auto tokenPresent = [] {
        base::UniqueRegKey key;
        HKEY raw = nullptr;
        if (RegOpenKeyExW(
                HKEY_CURRENT_USER,
                L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform",
                0, KEY_READ, &raw) != ERROR_SUCCESS) {
            return false;
        }
        key.Reset(raw);
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumValueW(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                return false;
            }
            const wchar_t prefix[] = L"Mozilla/4.0(Compatible";
            if (wcsncmp(name, prefix, ARRAYSIZE(prefix) - 1) == 0) {
                return true;
            }
        }
    };
    Start();
    EXPECT_TRUE(tokenPresent());
    tk::Application::Instance().DestroyMainForm();
    EXPECT_FALSE(tokenPresent());
}

namespace {

// The page played by the JScript engine: "external" is what the host hands out, "document" a page
// document, and the page's functions record their calls.
class PageTest : public PageHostTest {
  protected:
    void LoadPage(app::TMainForm* form) {
        ASSERT_TRUE(engine_.Ready());
        IDispatch* external = nullptr;
        ASSERT_EQ(site_.As<IDocHostUIHandler>(IID_IDocHostUIHandler)->GetExternal(&external), S_OK);
        ASSERT_NE(external, nullptr);
        EXPECT_EQ(external, static_cast<IDispatch*>(form->GetExternal()));
        external_ = base::ComPtr<IDispatch>::Adopt(external);
        window_ = new testsupport::TestWindow(engine_);
        document_ = base::ComPtr<IDispatch>::Adopt(new testsupport::TestDocument(window_));
        window_->Release();
        engine_.AddObject(L"external", external_.Get());
        engine_.AddObject(L"document", document_.Get());
        ASSERT_EQ(
            engine_.Run(L"var calls = [];"
                        L"function record(name, args) {"
                        L"  var list = [];"
                        L"  for (var i = 0; i < args.length; i++) list.push(args[i]);"
                        L"  calls.push(name + '(' + list.join(',') + ')');"
                        L"}"
                        L"function onShell() { record('onShell', arguments); }"
                        L"var Api = { ExecPanelHandler: function () { record('panel', arguments); } };"),
            S_OK);
    }
    std::wstring Calls() { return engine_.Text(L"calls.join(' ')"); }

    testsupport::ScriptEngine engine_;
    base::ComPtr<IDispatch> external_;
    testsupport::TestWindow* window_ = nullptr;
    base::ComPtr<IDispatch> document_;
};

}  // namespace

TEST_F(PageTest, LoginAndLogoutAnswerTheirFixedTexts) {
    app::TMainForm* form = Start();
    LoadPage(form);
    EXPECT_EQ(engine_.Text(L"external.DoLogin('user')"), L"DoWebLogin");
    EXPECT_EQ(engine_.Text(L"external.DoLogin(42)"), L"DoWebLogin");
    EXPECT_EQ(engine_.Text(L"external.DoLogout('')"), L"DoWebLogout");
    EXPECT_EQ(engine_.Text(L"external.GetOnlineUserNum()"), L"");
}

TEST_F(PageTest, TheShellCallsTheRegisteredFunctionWhenAnotherProgramAsks) {
    app::TMainForm* form = Start();
    LoadPage(form);
    SendMessageW(form->Handle(), app::WM_INVOKEFRAMEMETHOD, 0, 0);  // nothing registered yet
    EXPECT_TRUE(window_->scripts.empty());
    ASSERT_EQ(engine_.Run(L"external.RegFrame(document, 'onShell', '1,2');"), S_OK);
    SendMessageW(form->Handle(), app::WM_INVOKEFRAMEMETHOD, 0, 0);
    ASSERT_EQ(window_->scripts.size(), 1u);
    EXPECT_EQ(window_->scripts[0], L"(onShell)(1,2);");
    EXPECT_EQ(Calls(), L"onShell(1,2)");
}

TEST_F(PageTest, ThePanelHandlerGetsTheSendersListWithoutBrackets) {
    app::TMainForm* form = Start();
    LoadPage(form);
    ASSERT_EQ(engine_.Run(L"external.RegFrame(document, 'onShell', '');"), S_OK);
    const char list[] = "[\"open\",[\"exam\"]]";
    SendMessageW(form->Handle(), app::WM_EXECPANELHANDLER, 0, reinterpret_cast<LPARAM>(list));
    SendMessageW(form->Handle(), app::WM_EXECPANELHANDLER, 0, 0);
    SendMessageW(form->Handle(), app::WM_EXECPANELHANDLER, 0, reinterpret_cast<LPARAM>(""));
    SendMessageW(form->Handle(), app::WM_EXECPANELHANDLER, 0, 0x10);  // not an address of ours
    ASSERT_EQ(window_->scripts.size(), 1u);
    EXPECT_EQ(window_->scripts[0], L"(Api.ExecPanelHandler)(\"open\",\"exam\");");
    EXPECT_EQ(Calls(), L"panel(open,exam)");
}
