// The main window when the platform cannot be reached. The network is played: a sink advised on the
// control before the window asks for its start page records every navigation the control is asked
// for and cancels it, so the control fires nothing on its own and the tests fire its other events as
// it would. The last test lets the real control fail by itself.
#include <exdisp.h>
#include <exdispid.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BrowserEvents.h"
#include "MainFormFixture.h"
#include "support/Wait.h"
#include "toolkit/Application.h"
#include "ScriptEngine.h"
#include "base/Log.h"
#include "base/Text.h"
#include "toolkit/ComObject.h"
#include "webhost/PageScript.h"

namespace {

const std::wstring kStartUrl = L"http://exam.example/login.aspx";

class NavigationRecorder final : public tk::LateBoundDispatch<tk::ComObject<IDispatch>> {
  public:
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        if (id == DISPID_BEFORENAVIGATE2 && params && params->cArgs == 7) {
            requests.push_back(webhost::VariantToText(*params->rgvarg[5].pvarVal));
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

class RecordedMainForm final : public app::TMainForm {
  public:
    explicit RecordedMainForm(app::RetryIntervals retry) : TMainForm(retry) {
        base::ComPtr<IWebBrowser2> control(GetBrowser()->DefaultInterface());
        base::ComPtr<IConnectionPoint> point;
        DWORD cookie = 0;
        EXPECT_EQ(control.As<IConnectionPointContainer>(IID_IConnectionPointContainer)
                      ->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Put()),
                  S_OK);
        EXPECT_EQ(point->Advise(static_cast<IDispatch*>(recorder.Get()), &cookie), S_OK);
    }
    base::ComPtr<NavigationRecorder> recorder =
        base::ComPtr<NavigationRecorder>::Adopt(new NavigationRecorder);
};

class OfflinePageTest : public testsupport::MainFormTest {
  protected:
    void SetUp() override {
        MainFormTest::SetUp();
        base::SetLogFile(base::AnsiToWide(logDir_.Path() + "Velmora.log"));
    }
    void TearDown() override {
        MainFormTest::TearDown();
        base::SetLogFile(L"");
    }
    void Start(app::RetryIntervals retry = {}) {
        WriteSysConfig("DirectUrl=" + base::WideToAnsi(kStartUrl) + "\r\n");
        form_ = tk::Application::Instance().CreateMainForm<RecordedMainForm>(retry);
        form_->Show();
        ASSERT_TRUE(testsupport::WaitUntil([&] { return Requests().size() == 1; }));
    }
    const std::vector<std::wstring>& Requests() const { return form_->recorder->requests; }
    const app::TOfflinePage& Offline() const { return *form_->GetOfflinePage(); }
    // Fires an error of the page (or of a frame); answers whether the host cancelled the control's page.
    bool Fail(const std::wstring& url, IDispatch* frame = nullptr) {
        VARIANT_BOOL cancel = VARIANT_FALSE;
        testsupport::FireNavigateError(form_->GetBrowser()->EventSink(),
                                       frame ? frame : form_->GetBrowser()->Application().Get(), url,
                                       static_cast<long>(0x800C0005), cancel);
        return cancel != VARIANT_FALSE;
    }
    void Fire(DISPID event, const std::wstring& url) {
        testsupport::FireBrowserEvent(form_->GetBrowser()->EventSink(), event,
                                      form_->GetBrowser()->Application().Get(), url);
        tk::Application::Instance().ProcessMessages();
    }
    int Width() const {
        const RECT r = testsupport::WindowRect(form_->Handle());
        return r.right - r.left;
    }
    std::string Log() const { return testsupport::ReadFileBytes(logDir_.Path() + "Velmora.log"); }

    testsupport::TempFolder logDir_;
    RecordedMainForm* form_ = nullptr;
};

}  // namespace

TEST_F(OfflinePageTest, ATopLevelErrorIsReplacedByTheOfflinePageAFrameErrorChangesNothing) {
    Start();
    testsupport::ScriptEngine engine;
    base::Variant frame;
    ASSERT_EQ(engine.Evaluate(L"({ name: 'banner' })", frame.Put()), S_OK);
    EXPECT_FALSE(Fail(L"http://ads.example/banner.html", frame.Get().pdispVal));
    EXPECT_EQ(Requests().size(), 1u);
    EXPECT_FALSE(Offline().RetryTimerRunning());

    const std::wstring failed = L"http://exam.example/main.aspx?ticket=42";
    EXPECT_TRUE(Fail(failed));
    ASSERT_EQ(Requests().size(), 2u);
    EXPECT_EQ(Requests().back(), app::OfflinePageAddress(failed));
    EXPECT_NE(Requests().back().find(L"win32_tests.exe/offline.html#"), std::wstring::npos);
    EXPECT_TRUE(Offline().RetryTimerRunning());
    // Only the page's error is logged, without its query string.
    EXPECT_EQ(Log().find("ads.example"), std::string::npos);
    EXPECT_NE(Log().find("Navigation failed: http://exam.example/main.aspx (status 0x800C0005)"),
              std::string::npos);
    EXPECT_EQ(Log().find("ticket"), std::string::npos);
}

TEST_F(OfflinePageTest, TheOfflinePageLeavesACompactWindowCompactAndHiddenAndWritesNothing) {
    WriteUserConfig("ShotCutRemind=0\r\n");
    Start();
    form_->Hide();
    ASSERT_TRUE(Fail(kStartUrl));
    Fire(DISPID_NAVIGATECOMPLETE2, Requests().back());
    Fire(DISPID_DOCUMENTCOMPLETE, Requests().back());
    EXPECT_FALSE(form_->FullLayout());
    EXPECT_FALSE(form_->GetPlaced());
    EXPECT_FALSE(IsWindowVisible(form_->Handle()));  // a failed retry must not bring back a hidden window
    form_->Show();
    EXPECT_EQ(Width(), 400);
    tk::Application::Instance().DestroyMainForm();
    EXPECT_EQ(testsupport::ReadFileBytes(folder_ + L"UserConfig.ini"), "[UserCustom]\r\nShotCutRemind=0\r\n");
}

TEST_F(OfflinePageTest, TheOfflinePageLeavesAFullWindowFullAndLaterPagesBehaveAsBefore) {
    WriteUserConfig("WindowPos=0,100,50,1024,700,200,100,800,600\r\nShotCutRemind=0\r\n");
    Start();
    Fire(DISPID_NAVIGATECOMPLETE2, L"http://exam.example/main.aspx");
    ASSERT_EQ(Width(), 1024);
    ASSERT_TRUE(Fail(L"http://exam.example/exam.aspx"));
    Fire(DISPID_NAVIGATECOMPLETE2, Requests().back());
    EXPECT_TRUE(form_->FullLayout());
    EXPECT_EQ(form_->GetBrowser()->HostFlags(), webhost::FullHostFlags);
    EXPECT_EQ(Width(), 1024);
    Fire(DISPID_NAVIGATECOMPLETE2, kStartUrl);  // the platform answers again: compact as always
    EXPECT_FALSE(form_->FullLayout());
    EXPECT_EQ(Width(), 400);
}

TEST_F(OfflinePageTest, TheTimerTriesTheFailedAddressAgainUntilANavigationGoesElsewhere) {
    Start(app::RetryIntervals{30, 60000});
    const std::wstring failed = kStartUrl + L"?user=alice";
    ASSERT_TRUE(Fail(failed));
    ASSERT_TRUE(testsupport::WaitUntil([&] { return Requests().size() == 3; }));
    EXPECT_EQ(Requests().back(), failed);
    EXPECT_FALSE(Offline().RetryTimerRunning());  // the retry began; it restarts only if that fails too
    ASSERT_TRUE(Fail(failed));
    EXPECT_TRUE(Offline().RetryTimerRunning());
    Fire(DISPID_BEFORENAVIGATE2, L"http://exam.example/help.aspx");
    EXPECT_FALSE(Offline().RetryTimerRunning());
    EXPECT_TRUE(Offline().FailedUrl().empty());

    // The page's link goes back to the failed address, and this time it loads.
    ASSERT_TRUE(Fail(failed));
    Fire(DISPID_BEFORENAVIGATE2, failed);
    Fire(DISPID_NAVIGATECOMPLETE2, failed);
    EXPECT_FALSE(Offline().RetryTimerRunning());
    EXPECT_NE(Log().find("Retry succeeded: http://exam.example/login.aspx\r\n"), std::string::npos) << Log();
    EXPECT_EQ(Log().find("alice"), std::string::npos);
    // The three failures of the same address made one line, and their count came when it got through.
    const std::string failure = "Navigation failed: http://exam.example/login.aspx (status 0x800C0005)";
    const std::string log = Log();
    const size_t first = log.find(failure + "\r\n");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find(failure + "\r\n", first + 1), std::string::npos) << log;
    EXPECT_LT(log.find(failure + " (2 more times)\r\n"), log.find("Retry succeeded")) << log;
}

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
    EXPECT_TRUE(
        testsupport::WaitUntil([&] { return std::count(starts.begin(), starts.end(), page) > 0; }, 20000));
    EXPECT_NE(Log().find("Navigation failed: http://exam.example/login.aspx (status 0x"), std::string::npos);
    EXPECT_EQ(Log().find("secret"), std::string::npos);
}
