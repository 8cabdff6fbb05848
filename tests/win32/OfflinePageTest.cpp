// The main window when the platform cannot be reached: the offline page stands in for the failed
// page, the layout does not move, and a timer tries the failed address again. The network is played:
// every navigation the control is asked for is recorded and cancelled before it begins, so the control
// fires nothing on its own, and the tests fire its other events as it would. One test lets the real
// control fail on its own.
#include <exdisp.h>
#include <exdispid.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BrowserEvents.h"
#include "MainFormFixture.h"
#include "Pump.h"
#include "ScriptEngine.h"
#include "app/OfflinePage.h"
#include "base/Log.h"
#include "base/Text.h"
#include "toolkit/ComObject.h"
#include "webhost/PageScript.h"

using testsupport::MainFormTest;

namespace {

const std::wstring kStartUrl = L"http://exam.example/login.aspx";

// A DWebBrowserEvents2 sink that records the address of every BeforeNavigate2 and cancels it.
class NavigationRecorder final : public tk::LateBoundDispatch<tk::ComObject<IDispatch>> {
  public:
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        if (id != DISPID_BEFORENAVIGATE2 || !params || params->cArgs != 7) {
            return S_OK;
        }
        const VARIANT& url = params->rgvarg[5];
        requests.push_back(webhost::VariantToText(url.vt == (VT_VARIANT | VT_BYREF) ? *url.pvarVal : url));
        if (params->rgvarg[0].vt == (VT_BOOL | VT_BYREF)) {
            *params->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
        return S_OK;
    }
    std::vector<std::wstring> requests;

  private:
    void* Interface(REFIID riid) override {
        return riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2 ? static_cast<IDispatch*>(this)
                                                                        : nullptr;
    }
};

// The main window with the recorder on its control from before its creation asks for the start page.
class RecordedMainForm final : public app::TMainForm {
  public:
    explicit RecordedMainForm(app::RetryIntervals retry)
        : TMainForm(retry), recorder(base::ComPtr<NavigationRecorder>::Adopt(new NavigationRecorder)) {
        base::ComPtr<IWebBrowser2> control(GetBrowser()->DefaultInterface());
        auto container = control.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
        base::ComPtr<IConnectionPoint> point;
        DWORD cookie = 0;
        const bool advised =
            container && SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Put())) &&
            SUCCEEDED(point->Advise(static_cast<IDispatch*>(recorder.Get()), &cookie));
        EXPECT_TRUE(advised);
    }
    base::ComPtr<NavigationRecorder> recorder;
};

class OfflinePageTest : public MainFormTest {
  protected:
    void SetUp() override {
        MainFormTest::SetUp();
        logPath_ = logDir_.Path() + "Velmora.log";
        base::SetLogFile(base::AnsiToWide(logPath_), 1 << 20);
    }
    void TearDown() override {
        MainFormTest::TearDown();
        base::SetLogFile(L"", 0);
    }

    RecordedMainForm* Start(app::RetryIntervals retry = {}) {
        WriteSysConfig("DirectUrl=" + base::WideToAnsi(kStartUrl) + "\r\n");
        form_ = tk::Application::Instance().CreateMainForm<RecordedMainForm>(retry);
        EXPECT_TRUE(testsupport::PumpUntil([&] { return !Requests().empty(); }));
        EXPECT_EQ(Requests(), std::vector<std::wstring>{kStartUrl});
        return form_;
    }
    const std::vector<std::wstring>& Requests() const { return form_->recorder->requests; }
    const app::TOfflinePage& Offline() const { return *form_->GetOfflinePage(); }
    IDispatch* Sink() const { return form_->GetBrowser()->EventSink(); }
    base::ComPtr<IDispatch> TopLevel() const { return form_->GetBrowser()->Application(); }

    // A top-level error as the control reports it; answers whether the host cancelled its error page.
    bool Fail(const std::wstring& url, IDispatch* pDisp = nullptr) {
        VARIANT_BOOL cancel = VARIANT_FALSE;
        EXPECT_EQ(testsupport::FireNavigateError(Sink(), pDisp ? pDisp : TopLevel().Get(), url,
                                                 static_cast<long>(0x800C0005), cancel),
                  S_OK);
        return cancel != VARIANT_FALSE;
    }
    void Begin(const std::wstring& url) {
        EXPECT_EQ(testsupport::FireBeforeNavigate2(Sink(), TopLevel().Get(), url), S_OK);
    }
    void Complete(const std::wstring& url, DISPID event = DISPID_NAVIGATECOMPLETE2) {
        EXPECT_EQ(testsupport::FireBrowserEvent(Sink(), event, TopLevel().Get(), url), S_OK);
        testsupport::Pump(20);
    }
    RECT Rect() const {
        RECT r{};
        GetWindowRect(form_->Handle(), &r);
        return r;
    }
    std::string LogText() const { return testsupport::ReadFileBytes(logPath_); }

    testsupport::TempFolder logDir_;
    std::string logPath_;
    RecordedMainForm* form_ = nullptr;
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST_F(OfflinePageTest, ATopLevelErrorCancelsTheControlsPageAndRequestsTheOfflinePage) {
    Start();
    form_->Show();
    const std::wstring failed = L"http://exam.example/main.aspx?ticket=42";
    EXPECT_TRUE(Fail(failed));
    ASSERT_EQ(Requests().size(), 2u);
    const std::wstring page = Requests().back();
    EXPECT_EQ(page, app::OfflinePageAddress(failed));
    EXPECT_EQ(page.rfind(L"res://", 0), 0u);
    EXPECT_NE(page.find(L"win32_tests.exe/offline.html#"), std::wstring::npos);
    EXPECT_EQ(app::FailedUrlOf(base::WideToUtf8(page)), base::WideToUtf8(failed));
    EXPECT_EQ(Offline().FailedUrl(), failed);
    EXPECT_TRUE(Offline().RetryTimerRunning());

    // The log names the address without its query string, and the status.
    const std::string log = LogText();
    EXPECT_NE(log.find("Navigation failed: http://exam.example/main.aspx (status 0x800C0005)"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("ticket"), std::string::npos);
}

TEST_F(OfflinePageTest, AFrameThatFailsChangesNothing) {
    Start();
    form_->Show();
    testsupport::ScriptEngine page;
    ASSERT_TRUE(page.Ready());
    base::Variant frame;
    ASSERT_EQ(page.Evaluate(L"({ name: 'banner' })", frame.Put()), S_OK);
    ASSERT_EQ(frame.Get().vt, VT_DISPATCH);

    EXPECT_FALSE(Fail(L"http://ads.example/banner.html", frame.Get().pdispVal));
    EXPECT_EQ(Requests().size(), 1u);
    EXPECT_TRUE(Offline().FailedUrl().empty());
    EXPECT_FALSE(Offline().RetryTimerRunning());
    EXPECT_EQ(LogText().find("Navigation failed"), std::string::npos);
}

TEST_F(OfflinePageTest, TheOfflinePageLeavesACompactWindowCompactAndWritesNothing) {
    Start();
    form_->Show();
    const RECT compact = Rect();
    ASSERT_TRUE(Fail(kStartUrl));
    const std::wstring page = Requests().back();
    Complete(page);
    Complete(page, DISPID_DOCUMENTCOMPLETE);
    EXPECT_FALSE(form_->FullLayout());
    EXPECT_FALSE(form_->GetPlaced());
    EXPECT_FALSE(form_->GetResizable());
    EXPECT_FALSE(form_->HintLabel().Visible());
    EXPECT_EQ(form_->GetBrowser()->HostFlags(), webhost::CompactHostFlags);
    EXPECT_TRUE(SameRect(Rect(), compact));
    EXPECT_EQ(compact.right - compact.left, 400);

    tk::Application::Instance().DestroyMainForm();
    EXPECT_FALSE(testsupport::PathExists(folder_ + "UserConfig.ini"));
}

TEST_F(OfflinePageTest, TheOfflinePageLeavesAFullWindowFullAndLaterPagesBehaveAsBefore) {
    WriteUserConfig("WindowPos=0,100,50,1024,700,200,100,800,600\r\nShotCutRemind=0\r\n");
    Start();
    form_->Show();
    Complete(L"http://exam.example/main.aspx");
    ASSERT_TRUE(form_->GetPlaced());
    const RECT full = Rect();
    EXPECT_EQ(full.right - full.left, 1024);

    ASSERT_TRUE(Fail(L"http://exam.example/exam.aspx"));
    Complete(Requests().back());
    EXPECT_TRUE(form_->FullLayout());
    EXPECT_TRUE(form_->GetResizable());
    EXPECT_TRUE(form_->HintLabel().Visible());
    EXPECT_EQ(form_->GetBrowser()->HostFlags(), webhost::FullHostFlags);
    EXPECT_TRUE(SameRect(Rect(), full));

    // The platform answers again: the start page makes the window compact as it always did.
    Complete(kStartUrl);
    EXPECT_FALSE(form_->FullLayout());
    EXPECT_EQ(Rect().right - Rect().left, 400);
    EXPECT_FALSE(Offline().RetryTimerRunning());
}

TEST_F(OfflinePageTest, TheOfflinePageDoesNotBringBackAHiddenWindowButTheRealPageDoes) {
    Start();
    form_->Show();
    form_->Hide();
    ASSERT_TRUE(Fail(kStartUrl));
    Complete(Requests().back(), DISPID_DOCUMENTCOMPLETE);
    EXPECT_FALSE(IsWindowVisible(form_->Handle()));
    Complete(kStartUrl, DISPID_DOCUMENTCOMPLETE);
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
}

TEST_F(OfflinePageTest, TheTimerTriesTheFailedAddressAgainUntilANavigationGoesElsewhere) {
    Start(app::RetryIntervals{30, 60000});
    form_->Show();
    ASSERT_TRUE(Fail(kStartUrl));
    ASSERT_EQ(Requests().size(), 2u);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Requests().size() == 3; }));
    EXPECT_EQ(Requests().back(), kStartUrl);
    // The retry has begun, which stops the timer until the retry fails in turn.
    EXPECT_FALSE(Offline().RetryTimerRunning());
    ASSERT_TRUE(Fail(kStartUrl));
    EXPECT_TRUE(app::IsOfflinePage(Requests().back()));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Requests().back() == kStartUrl; }));

    // The user goes elsewhere (or the page does): no more retries.
    ASSERT_TRUE(Fail(kStartUrl));
    EXPECT_TRUE(Offline().RetryTimerRunning());
    Begin(L"http://exam.example/help.aspx");
    EXPECT_FALSE(Offline().RetryTimerRunning());
    EXPECT_TRUE(Offline().FailedUrl().empty());

    // A completed navigation elsewhere stops it as well.
    ASSERT_TRUE(Fail(kStartUrl));
    EXPECT_TRUE(Offline().RetryTimerRunning());
    Complete(L"http://exam.example/main.aspx");
    EXPECT_FALSE(Offline().RetryTimerRunning());
    EXPECT_TRUE(form_->FullLayout());
}

TEST_F(OfflinePageTest, ARetryThatGetsThroughIsLoggedWithoutItsQuery) {
    Start();
    form_->Show();
    const std::wstring failed = kStartUrl + L"?user=alice";
    ASSERT_TRUE(Fail(failed));
    Complete(Requests().back());
    // The page's link goes back to the failed address, and this time it loads.
    Begin(failed);
    EXPECT_FALSE(Offline().RetryTimerRunning());
    Complete(failed);
    // Failing elsewhere and then loading a third address is no retry.
    ASSERT_TRUE(Fail(L"http://exam.example/a.aspx"));
    Begin(L"http://exam.example/b.aspx");
    Complete(L"http://exam.example/b.aspx");

    const std::string log = LogText();
    EXPECT_NE(log.find("Retry succeeded: http://exam.example/login.aspx\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Retry succeeded", log.find("Retry succeeded") + 1), std::string::npos) << log;
    EXPECT_EQ(log.find("alice"), std::string::npos);
}

TEST_F(OfflinePageTest, WhileTheWindowIsHiddenTheRetriesWaitForTheLongerInterval) {
    Start(app::RetryIntervals{20, 400});
    form_->Show();
    form_->Hide();
    const DWORD failedAt = GetTickCount();
    ASSERT_TRUE(Fail(kStartUrl));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Requests().back() == kStartUrl; }, 5000));
    EXPECT_GE(GetTickCount() - failedAt, 300u);  // twenty ticks of 20 ms, never fewer

    form_->Show();
    ASSERT_TRUE(Fail(kStartUrl));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Requests().back() == kStartUrl; }, 5000));
}

// The real control under Wine reports a start page it cannot load as an error of its own.
TEST_F(OfflinePageTest, TheRealControlsErrorForAnUnreachableStartPageBringsUpTheOfflinePage) {
    WriteSysConfig("DirectUrl=http://exam.example/login.aspx?user=secret\r\n");
    app::TMainForm* form = CreateMainForm();
    std::vector<std::wstring> starts;
    auto host = form->GetBrowser()->OnBeforeNavigate2;
    form->GetBrowser()->OnBeforeNavigate2 = [&starts, host](IDispatch* pDisp, const VARIANT& url) {
        starts.push_back(webhost::VariantToText(url));
        host(pDisp, url);
    };
    const std::wstring page = app::OfflinePageAddress(L"http://exam.example/login.aspx?user=secret");
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] { return std::find(starts.begin(), starts.end(), page) != starts.end(); }, 20000));
    EXPECT_EQ(form->GetOfflinePage()->FailedUrl(), L"http://exam.example/login.aspx?user=secret");
    EXPECT_FALSE(form->FullLayout());

    const std::string log = LogText();
    EXPECT_NE(log.find("Navigation failed: http://exam.example/login.aspx (status 0x"), std::string::npos)
        << log;
    EXPECT_EQ(log.find("secret"), std::string::npos);
}
