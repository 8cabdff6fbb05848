// The browser host with the real WebBrowser control in a real window. Wine has no HTML engine here, so
// the control never asks its host anything on its own: the tests ask the host's interfaces the way the
// control would, through the client site the control was given, and invoke the event sink the host
// advised on the control's connection point.
#include <gtest/gtest.h>

#include <docobj.h>
#include <exdispid.h>
#include <mshtmdid.h>
#include <olectl.h>

#include <memory>

#include "BrowserEvents.h"
#include "toolkit/Application.h"
#include "toolkit/ComObject.h"
#include "ScriptEngine.h"
#include "base/Error.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"
#include "toolkit/WindowDpi.h"
#include "base/Text.h"
#include "webhost/PageScript.h"
#include "webhost/UserAction_TLB_Impl.h"
#include "webhost/WebBrowser.h"

using webhost::TWebBrowser;

namespace {

tk::FormDesign HostDesign() {
    tk::FormDesign design;
    design.caption = L"Browser host test";
    design.left = 100;
    design.top = 100;
    design.clientWidth = 500;
    design.clientHeight = 340;
    return design;
}

// The user-agent value: whether it exists, and its type and data.
bool UserAgentValue(DWORD* type = nullptr, std::string* data = nullptr) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, webhost::UserAgentKey, 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return false;
    }
    base::UniqueRegKey key(opened);
    char buffer[64] = {};
    DWORD size = sizeof(buffer);
    DWORD valueType = 0;
    if (RegQueryValueExA(key.Get(), webhost::UserAgentToken, nullptr, &valueType,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        return false;
    }
    if (type) {
        *type = valueType;
    }
    if (data) {
        *data = std::string(buffer, size > 0 ? size - 1 : 0);
    }
    return true;
}

// A stand-in for the control's in-place active object: records the keystrokes it is shown and takes
// the F5 key.
class RecordingActiveObject final : public tk::ComObject<IOleInPlaceActiveObject> {
  public:
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override {
        keys.push_back({msg->message, static_cast<UINT>(msg->wParam)});
        return msg->wParam == VK_F5 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }

    std::vector<std::pair<UINT, UINT>> keys;

  private:
    void* Interface(REFIID riid) override {
        const bool ours = riid == IID_IOleWindow || riid == IID_IOleInPlaceActiveObject;
        return ours ? static_cast<IOleInPlaceActiveObject*>(this) : nullptr;
    }
};

// Counts the calls that reach the control's IWebBrowser2::Refresh: the interface's slot points at a
// counter that forwards to the control's own method, and gets it back when the hook goes.
class RefreshCounter {
  public:
    explicit RefreshCounter(IWebBrowser2* browser)
        : slot_(&(*reinterpret_cast<void***>(browser))[kRefreshSlot]), original_(*slot_) {
        active_ = this;
        Write(reinterpret_cast<void*>(&Counting));
    }
    ~RefreshCounter() {
        Write(original_);
        active_ = nullptr;
    }
    RefreshCounter(const RefreshCounter&) = delete;
    RefreshCounter& operator=(const RefreshCounter&) = delete;

    int calls = 0;
    HRESULT lastAnswer = E_PENDING;

  private:
    // IUnknown (3), IDispatch (4), then GoBack, GoForward, GoHome, GoSearch, Navigate, Refresh.
    static constexpr size_t kRefreshSlot = 12;
    using Refresh = HRESULT(STDMETHODCALLTYPE*)(IWebBrowser2*);

    static HRESULT STDMETHODCALLTYPE Counting(IWebBrowser2* self) {
        ++active_->calls;
        active_->lastAnswer = reinterpret_cast<Refresh>(active_->original_)(self);
        return active_->lastAnswer;
    }
    void Write(void* value) {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &protection);
        *slot_ = value;
        VirtualProtect(slot_, sizeof(void*), protection, &protection);
    }

    static inline RefreshCounter* active_ = nullptr;
    void** slot_;
    void* original_;
};

// Records the page zooms asked of the control through IWebBrowser2::ExecWB(OLECMDID_OPTICAL_ZOOM),
// as RefreshCounter does for Refresh; every call still reaches the control.
class ZoomRecorder {
  public:
    explicit ZoomRecorder(IWebBrowser2* browser)
        : slot_(&(*reinterpret_cast<void***>(browser))[kExecWbSlot]), original_(*slot_) {
        active_ = this;
        Write(reinterpret_cast<void*>(&Recording));
    }
    ~ZoomRecorder() {
        Write(original_);
        active_ = nullptr;
    }
    ZoomRecorder(const ZoomRecorder&) = delete;
    ZoomRecorder& operator=(const ZoomRecorder&) = delete;

    std::vector<long> zooms;

  private:
    // IUnknown (3), IDispatch (4), IWebBrowser (25), IWebBrowserApp (20), Navigate2, QueryStatusWB.
    static constexpr size_t kExecWbSlot = 54;
    using ExecWb = HRESULT(STDMETHODCALLTYPE*)(IWebBrowser2*, OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*);

    static HRESULT STDMETHODCALLTYPE Recording(IWebBrowser2* self, OLECMDID command, OLECMDEXECOPT option,
                                               VARIANT* in, VARIANT* out) {
        if (command == OLECMDID_OPTICAL_ZOOM) {
            active_->zooms.push_back(in && in->vt == VT_I4 ? in->lVal : -1);
        }
        return reinterpret_cast<ExecWb>(active_->original_)(self, command, option, in, out);
    }
    void Write(void* value) {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &protection);
        *slot_ = value;
        VirtualProtect(slot_, sizeof(void*), protection, &protection);
    }

    static inline ZoomRecorder* active_ = nullptr;
    void** slot_;
    void* original_;
};

// A window that sees every key that reaches it (to tell swallowed keys from passed ones).
class KeyCounter final : public tk::Panel {
  public:
    using Panel::Panel;
    int keyDowns = 0;

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN) {
            ++keyDowns;
        }
        return Panel::WndProc(message, wParam, lParam);
    }
};

class WebBrowserHostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form_.reset(new tk::Form(HostDesign()));
        panel_ = std::make_unique<tk::Panel>(form_.get(), 0, 40, 480, 290);
        browser_ = std::make_unique<TWebBrowser>(panel_.get());
        base::ComPtr<IOleObject> object = Browser().As<IOleObject>(IID_IOleObject);
        ASSERT_TRUE(object);
        ASSERT_EQ(object->GetClientSite(site_.Put()), S_OK);
        ASSERT_TRUE(site_);
    }
    void TearDown() override {
        site_.Reset();
        browser_.reset();  // the control goes first, as the main window frees it
        panel_.reset();
        form_.reset();
        tk::Application::Instance().ProcessMessages();
    }

    base::ComPtr<IWebBrowser2> Browser() const {
        return base::ComPtr<IWebBrowser2>(browser_->DefaultInterface());
    }
    base::ComPtr<IDocHostUIHandler> UiHandler() const {
        return site_.As<IDocHostUIHandler>(IID_IDocHostUIHandler);
    }

    DOCHOSTUIINFO HostInfo(HRESULT* result = nullptr) const {
        DOCHOSTUIINFO info{};
        info.cbSize = sizeof(info);
        info.pchHostCss = reinterpret_cast<OLECHAR*>(0x1234);  // the host leaves these alone
        info.pchHostNS = reinterpret_cast<OLECHAR*>(0x5678);
        const HRESULT hr = UiHandler()->GetHostInfo(&info);
        if (result) {
            *result = hr;
        }
        return info;
    }

    // The host's answer to the control's TranslateAccelerator for a message (a key-down unless told)
    // with the given modifiers held.
    HRESULT TranslateWith(UINT key, bool ctrl, bool shift, bool alt, UINT message = WM_KEYDOWN) const {
        BYTE state[256] = {};
        GetKeyboardState(state);
        const BYTE saved[4] = {state[VK_CONTROL], state[VK_SHIFT], state[VK_MENU], 0};
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        state[VK_MENU] = alt ? 0x80 : 0;
        SetKeyboardState(state);
        MSG msg{browser_->ControlWindow(), message, key, 0, 0, {0, 0}};
        const HRESULT result = UiHandler()->TranslateAccelerator(&msg, nullptr, 0);
        state[VK_CONTROL] = saved[0];
        state[VK_SHIFT] = saved[1];
        state[VK_MENU] = saved[2];
        SetKeyboardState(state);
        return result;
    }

    // Invokes the event sink as the control fires an event: (pDisp, URL) with URL passed by reference.
    HRESULT FireEvent(DISPID id, IDispatch* pDisp, const wchar_t* url) const {
        return testsupport::FireBrowserEvent(browser_->EventSink(), id, pDisp, url);
    }

    tk::FormPtr<tk::Form> form_;
    std::unique_ptr<tk::Panel> panel_;
    std::unique_ptr<TWebBrowser> browser_;
    base::ComPtr<IOleClientSite> site_;
};

TEST_F(WebBrowserHostTest, ControlSitsInPlaceFillingItsParentWithoutTabStop) {
    ASSERT_NE(browser_->Handle(), nullptr);
    EXPECT_EQ(GetParent(browser_->Handle()), panel_->Handle());
    EXPECT_EQ(GetWindowLongW(browser_->Handle(), GWL_STYLE) & WS_TABSTOP, 0);
    RECT client{};
    GetClientRect(browser_->Handle(), &client);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 290);
    ASSERT_NE(browser_->ControlWindow(), nullptr);
    EXPECT_TRUE(IsChild(browser_->Handle(), browser_->ControlWindow()));

    // It follows its parent's size, and the control's own window follows it.
    panel_->SetBounds(0, 40, 420, 200);
    tk::Application::Instance().ProcessMessages();
    EXPECT_EQ(browser_->Width(), 420);
    EXPECT_EQ(browser_->Height(), 200);
    RECT inner{};
    GetClientRect(browser_->ControlWindow(), &inner);
    EXPECT_EQ(inner.right, 420);
    EXPECT_EQ(inner.bottom, 200);
    browser_->SetBounds(0, 0, 300, 150);
    tk::Application::Instance().ProcessMessages();
    GetClientRect(browser_->ControlWindow(), &inner);
    EXPECT_EQ(inner.right, 300);
    EXPECT_EQ(inner.bottom, 150);
}

TEST_F(WebBrowserHostTest, UserAgentTokenIsRegisteredWhileTheControlLives) {
    EXPECT_EQ(std::string(webhost::UserAgentToken).rfind("Mozilla/4.0(Compatible", 0), 0u);
    DWORD type = 0;
    std::string data = "unset";
    ASSERT_TRUE(UserAgentValue(&type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, "");
    site_.Reset();
    browser_.reset();
    EXPECT_FALSE(UserAgentValue());
}

TEST_F(WebBrowserHostTest, UserAgentTokenGoesAlsoWhenTheWindowIsDestroyedFirst) {
    ASSERT_TRUE(UserAgentValue());
    site_.Reset();
    form_->Destroy();  // windows first, objects after
    EXPECT_FALSE(UserAgentValue());
    EXPECT_EQ(browser_->DefaultInterface(), nullptr);
}

TEST_F(WebBrowserHostTest, HostInfoReportsTheCurrentHostFlags) {
    HRESULT result = E_FAIL;
    DOCHOSTUIINFO info = HostInfo(&result);
    EXPECT_EQ(result, S_OK);
    EXPECT_EQ(info.cbSize, sizeof(DOCHOSTUIINFO));
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.dwDoubleClick, static_cast<DWORD>(DOCHOSTUIDBLCLK_DEFAULT));
    EXPECT_EQ(info.pchHostCss, reinterpret_cast<OLECHAR*>(0x1234));
    EXPECT_EQ(info.pchHostNS, reinterpret_cast<OLECHAR*>(0x5678));

    // Both layouts' sets have the page laid out at the display's scale (DOCHOSTUIFLAG_DPI_AWARE).
    browser_->SetHostFlags(webhost::CompactHostFlags);
    EXPECT_EQ(HostInfo().dwFlags, 0x4000000Cu);
    browser_->SetHostFlags(webhost::FullHostFlags);
    EXPECT_EQ(HostInfo().dwFlags, 0x40000084u);
    EXPECT_EQ(browser_->HostFlags(), 0x40000084u);

    // The owner's handler sees the filled record and decides the answer.
    browser_->OnGetHostInfo = [](DOCHOSTUIINFO& record) {
        EXPECT_EQ(record.dwFlags, 0x40000084u);
        return S_OK;
    };
    EXPECT_EQ(HostInfo(&result).cbSize, sizeof(DOCHOSTUIINFO));
    EXPECT_EQ(result, S_OK);
}

// The control scales pages from the system DPI: on a display of another scale the page zoom makes
// up the difference, and going back asks for 100 % again.
TEST_F(WebBrowserHostTest, PageZoomFollowsTheWindowsDpi) {
    ZoomRecorder recorder(Browser().Get());
    const int system = tk::SystemDpi();
    RECT suggested{100, 100, 700, 500};
    SendMessageW(form_->Handle(), WM_DPICHANGED, MAKEWPARAM(system * 2, system * 2),
                 reinterpret_cast<LPARAM>(&suggested));
    SendMessageW(form_->Handle(), WM_DPICHANGED, MAKEWPARAM(system * 3 / 2, system * 3 / 2),
                 reinterpret_cast<LPARAM>(&suggested));
    SendMessageW(form_->Handle(), WM_DPICHANGED, MAKEWPARAM(system, system),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(recorder.zooms, (std::vector<long>{200, 150, 100}));
    EXPECT_EQ(browser_->PageZoom(), 100);
    EXPECT_EQ(webhost::PageZoomPercent(120, 96), 125);
}

TEST_F(WebBrowserHostTest, DownloadControlIsTheOnlyAmbientPropertyAnswered) {
    base::ComPtr<IDispatch> ambient = site_.As<IDispatch>(IID_IDispatch);
    ASSERT_TRUE(ambient);
    DISPPARAMS none{};
    base::Variant value;
    ASSERT_EQ(ambient->Invoke(DISPID_AMBIENT_DLCONTROL, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, value.Put(),
                              nullptr, nullptr),
              S_OK);
    EXPECT_EQ(value.Get().vt, VT_I4);
    EXPECT_EQ(value.Get().lVal, 0x70);
    EXPECT_EQ(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, value.Put(),
                              nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST_F(WebBrowserHostTest, OnlyCtrlNIsKeptFromTheBrowser) {
    EXPECT_EQ(TranslateWith('N', true, false, false), S_OK);
    EXPECT_EQ(TranslateWith('N', true, true, false), S_FALSE);
    EXPECT_EQ(TranslateWith('N', true, false, true), S_FALSE);
    EXPECT_EQ(TranslateWith('N', false, false, false), S_FALSE);
    EXPECT_EQ(TranslateWith('O', true, false, false), S_FALSE);
}

TEST_F(WebBrowserHostTest, OnlyKeyMessagesCanBeKeptFromTheBrowser) {
    // Ctrl held and wParam 'N' throughout: only the key messages carry a key code there.
    const struct {
        UINT message;
        HRESULT expected;
    } cases[] = {
        {WM_KEYDOWN, S_OK},      {WM_KEYUP, S_OK},          {WM_CHAR, S_FALSE},    {WM_SYSCHAR, S_FALSE},
        {WM_MOUSEMOVE, S_FALSE}, {WM_LBUTTONDOWN, S_FALSE}, {WM_COMMAND, S_FALSE}, {WM_USER, S_FALSE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TranslateWith('N', true, false, false, c.message), c.expected)
            << "message 0x" << std::hex << c.message;
    }
}

TEST_F(WebBrowserHostTest, TheUserAgentTokenStaysUntilTheLastControlGoes) {
    ASSERT_TRUE(UserAgentValue());
    auto second = std::make_unique<TWebBrowser>(panel_.get());
    // The first control goes: the second still needs the token.
    site_.Reset();
    browser_.reset();
    EXPECT_TRUE(UserAgentValue());
    second.reset();
    EXPECT_FALSE(UserAgentValue());
    // A new control registers it again.
    browser_ = std::make_unique<TWebBrowser>(panel_.get());
    EXPECT_TRUE(UserAgentValue());
}

TEST_F(WebBrowserHostTest, ContextMenuDropTargetAndExternalAnswers) {
    base::ComPtr<IDocHostUIHandler> handler = UiHandler();
    POINT at{10, 10};
    EXPECT_EQ(handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, &at, nullptr, nullptr), S_FALSE);

    IDropTarget* target = reinterpret_cast<IDropTarget*>(0x1);
    EXPECT_EQ(handler->GetDropTarget(nullptr, &target), S_FALSE);
    EXPECT_EQ(target, nullptr);

    // No external object until the owner supplies one; then a new counted reference to it.
    IDispatch* external = reinterpret_cast<IDispatch*>(0x1);
    EXPECT_EQ(handler->GetExternal(&external), S_FALSE);
    EXPECT_EQ(external, nullptr);
    base::ComPtr<webhost::TMyExternal> bridge = webhost::TMyExternal::Create();
    browser_->OnGetExternal = [&](IDispatch** ppDispatch) {
        *ppDispatch = bridge.CopyOut();
        return S_OK;
    };
    ASSERT_EQ(handler->GetExternal(&external), S_OK);
    EXPECT_EQ(external, static_cast<IDispatch*>(bridge.Get()));
    const ULONG references = external->Release();  // the page's reference
    EXPECT_EQ(references, 1u);                     // the owner's stays
}

TEST_F(WebBrowserHostTest, ScriptErrorsAreSuppressedAndScriptsContinue) {
    base::ComPtr<IOleCommandTarget> target = site_.As<IOleCommandTarget>(IID_IOleCommandTarget);
    ASSERT_TRUE(target);
    base::Variant out;
    ASSERT_EQ(
        target->Exec(&webhost::kCGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, out.Put()),
        S_OK);
    EXPECT_EQ(out.Get().vt, VT_BOOL);
    EXPECT_EQ(out.Get().boolVal, VARIANT_TRUE);

    // The handler receives the details of the page's current event, through the document the control
    // passes (played by a script object here).
    testsupport::ScriptEngine page;
    ASSERT_TRUE(page.Ready());
    base::Variant document;
    ASSERT_EQ(page.Evaluate(L"({ parentWindow: { event: { errorLine: 12, errorCharacter: 5, errorCode: 0,"
                            L"  errorMessage: \"'x' 未定义\", errorUrl: 'http://exam.example/p.html' } } })",
                            document.Put()),
              S_OK);
    webhost::TScriptErrorInfo seen;
    browser_->OnScriptError = [&](const webhost::TScriptErrorInfo& details, bool& ContinueScript,
                                  bool& Showdialog) {
        seen = details;
        EXPECT_TRUE(ContinueScript);
        EXPECT_FALSE(Showdialog);
        ContinueScript = true;
        Showdialog = false;
    };
    ASSERT_EQ(target->Exec(&webhost::kCGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0,
                           &document.Get(), out.Put()),
              S_OK);
    EXPECT_EQ(out.Get().boolVal, VARIANT_TRUE);
    EXPECT_EQ(seen.ErrorLine, 12);
    EXPECT_EQ(seen.ErrorCharacter, 5);
    EXPECT_EQ(seen.ErrorMessage, L"'x' 未定义");
    EXPECT_EQ(seen.ErrorUrl, L"http://exam.example/p.html");

    // A handler can stop the page's scripts, or leave the error to the control's own dialog.
    browser_->OnScriptError = [](const webhost::TScriptErrorInfo&, bool& ContinueScript, bool&) {
        ContinueScript = false;
    };
    ASSERT_EQ(
        target->Exec(&webhost::kCGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, out.Put()),
        S_OK);
    EXPECT_EQ(out.Get().boolVal, VARIANT_FALSE);
    browser_->OnScriptError = [](const webhost::TScriptErrorInfo&, bool&, bool& Showdialog) {
        Showdialog = true;
    };
    EXPECT_EQ(
        target->Exec(&webhost::kCGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, out.Put()),
        OLECMDERR_E_NOTSUPPORTED);

    // Everything else keeps the control's defaults.
    EXPECT_EQ(target->Exec(&webhost::kCGID_DocHostCommandHandler, OLECMDID_SHOWMESSAGE, 0, nullptr, nullptr),
              OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(target->Exec(nullptr, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, nullptr), OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(target->Exec(&IID_IUnknown, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, nullptr),
              OLECMDERR_E_UNKNOWNGROUP);
}

TEST_F(WebBrowserHostTest, NavigationEventsReachTheOwnerWithFrameAndAddress) {
    std::vector<std::pair<bool, std::wstring>> navigated, completed;
    browser_->OnNavigateComplete2 = [&](IDispatch* pDisp, const VARIANT& URL) {
        navigated.emplace_back(browser_->IsTopLevel(pDisp), webhost::VariantToText(URL));
    };
    browser_->OnDocumentComplete = [&](IDispatch* pDisp, const VARIANT& URL) {
        completed.emplace_back(browser_->IsTopLevel(pDisp), webhost::VariantToText(URL));
    };
    base::ComPtr<IDispatch> topLevel = browser_->Application();
    ASSERT_TRUE(topLevel);
    // A frame inside the page is another browser object.
    testsupport::ScriptEngine page;
    ASSERT_TRUE(page.Ready());
    base::Variant frame;
    ASSERT_EQ(page.Evaluate(L"({ name: 'frame' })", frame.Put()), S_OK);
    ASSERT_EQ(frame.Get().vt, VT_DISPATCH);

    EXPECT_EQ(FireEvent(DISPID_NAVIGATECOMPLETE2, topLevel.Get(), L"http://exam.example/login.aspx"), S_OK);
    EXPECT_EQ(FireEvent(DISPID_NAVIGATECOMPLETE2, frame.Get().pdispVal, L"http://exam.example/frame.aspx"),
              S_OK);
    EXPECT_EQ(FireEvent(DISPID_DOCUMENTCOMPLETE, frame.Get().pdispVal, L"http://exam.example/frame.aspx"),
              S_OK);
    EXPECT_EQ(FireEvent(DISPID_DOCUMENTCOMPLETE, topLevel.Get(), L"http://exam.example/Login.aspx"), S_OK);
    // Events without a handler, and those the host does not handle, are ignored.
    EXPECT_EQ(FireEvent(DISPID_BEFORENAVIGATE2, topLevel.Get(), L"http://other.example/"), S_OK);
    EXPECT_EQ(FireEvent(DISPID_TITLECHANGE, topLevel.Get(), L"Title"), S_OK);

    using Events = std::vector<std::pair<bool, std::wstring>>;
    EXPECT_EQ(navigated, (Events{{true, L"http://exam.example/login.aspx"},
                                 {false, L"http://exam.example/frame.aspx"}}));
    EXPECT_EQ(completed, (Events{{false, L"http://exam.example/frame.aspx"},
                                 {true, L"http://exam.example/Login.aspx"}}));
    EXPECT_FALSE(browser_->IsTopLevel(nullptr));

    // Malformed calls are refused without reaching the owner.
    DISPPARAMS none{};
    EXPECT_EQ(browser_->EventSink()->Invoke(DISPID_DOCUMENTCOMPLETE, IID_NULL, 0, DISPATCH_METHOD, &none,
                                            nullptr, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(completed.size(), 2u);
}

TEST_F(WebBrowserHostTest, OwnerMayFreeTheBrowserInsideAnEvent) {
    browser_->OnDocumentComplete = [&](IDispatch*, const VARIANT&) {
        site_.Reset();
        browser_.reset();
    };
    base::ComPtr<IDispatch> sink(browser_->EventSink());
    base::ComPtr<IDispatch> topLevel = browser_->Application();
    base::Variant url;
    VARIANT args[2];
    args[0].vt = VT_VARIANT | VT_BYREF;
    args[0].pvarVal = &url.Get();
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = topLevel.Get();
    DISPPARAMS params{args, nullptr, 2, 0};
    EXPECT_EQ(sink->Invoke(DISPID_DOCUMENTCOMPLETE, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr,
                           nullptr),
              S_OK);
    EXPECT_EQ(browser_, nullptr);
    EXPECT_FALSE(UserAgentValue());
}

TEST_F(WebBrowserHostTest, NavigateAndRefreshAreAcceptedByTheControl) {
    EXPECT_NO_THROW(browser_->Navigate(L"http://exam.example/login.aspx"));
    EXPECT_NO_THROW(browser_->Navigate(L""));
    tk::Application::Instance().ProcessMessages();
    EXPECT_NO_THROW(browser_->SetHostFlags(webhost::FullHostFlags));

    // The reload reaches the control once, and its answer comes back: nothing on success, the same
    // code as an error on failure (without an engine there may be no document to reload).
    RefreshCounter counter(Browser().Get());
    HRESULT answer = S_OK;
    try {
        browser_->Refresh();
    } catch (const base::ComError& e) {
        answer = static_cast<HRESULT>(e.Result());
    }
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(answer, counter.lastAnswer);
}

TEST_F(WebBrowserHostTest, KeystrokesForTheControlGoToItsActiveObject) {
    // The control hands its active object to the frame it got from the site when it becomes active.
    base::ComPtr<IOleInPlaceSite> inPlaceSite = site_.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
    ASSERT_TRUE(inPlaceSite);
    base::ComPtr<IOleInPlaceFrame> frame;
    base::ComPtr<IOleInPlaceUIWindow> document;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof(frameInfo);
    ASSERT_EQ(inPlaceSite->GetWindowContext(frame.Put(), document.Put(), &position, &clip, &frameInfo), S_OK);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frameInfo.hwndFrame, form_->Handle());
    EXPECT_EQ(position.right, 480);
    HWND frameWindow = nullptr;
    EXPECT_EQ(frame->GetWindow(&frameWindow), S_OK);
    EXPECT_EQ(frameWindow, form_->Handle());

    auto* active = new RecordingActiveObject();
    ASSERT_EQ(frame->SetActiveObject(active, nullptr), S_OK);
    // A window inside the browser host that would otherwise get the keys.
    KeyCounter inner(panel_.get(), 0, 0, 10, 10);
    SetParent(inner.Handle(), browser_->Handle());
    PostMessageW(inner.Handle(), WM_KEYDOWN, VK_F5, 0);  // taken by the control
    PostMessageW(inner.Handle(), WM_KEYDOWN, 'A', 0);    // passed on
    PostMessageW(panel_->Handle(), WM_KEYDOWN, 'B', 0);  // not the control's: never shown to it
    tk::Application::Instance().ProcessMessages();
    // The key-down messages it was shown (it also sees the character message that 'A' produces).
    std::vector<UINT> keyDowns;
    for (const auto& [message, key] : active->keys) {
        if (message == WM_KEYDOWN) {
            keyDowns.push_back(key);
        }
    }
    EXPECT_EQ(keyDowns, (std::vector<UINT>{VK_F5, 'A'}));
    EXPECT_EQ(inner.keyDowns, 1);
    frame->SetActiveObject(nullptr, nullptr);
    active->Release();
    SetParent(inner.Handle(), panel_->Handle());
}

}  // namespace
