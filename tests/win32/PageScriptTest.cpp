// The shell's calls into the page. The page is played by Wine's real JScript engine: it registers a
// test document object through window.external.RegFrame, and that document's parentWindow.execScript
// runs the shell's text in the same engine, whose functions record how they were called.
#include <gtest/gtest.h>

#include "PageObjects.h"
#include "ScriptEngine.h"
#include "base/Error.h"
#include "base/Text.h"
#include "webhost/FrameRegistration.h"
#include "webhost/PageScript.h"
#include "webhost/UserAction_TLB_Impl.h"

using testsupport::ScriptEngine;
using testsupport::TestDocument;
using testsupport::TestWindow;
using webhost::FrameRegistration;

namespace {

class PageScriptTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(engine_.Ready());
        external_ = webhost::TMyExternal::Create();
        external_->OnRegFrame = [](const VARIANT& Doc, const VARIANT& InvokeMethod,
                                   const VARIANT& InvokeParas) {
            FrameRegistration().Register(Doc, InvokeMethod, InvokeParas);
        };
        window_ = new TestWindow(engine_);
        document_ = base::ComPtr<IDispatch>::Adopt(new TestDocument(window_));
        window_->Release();  // the document holds it
        engine_.AddObject(L"external", static_cast<IDispatch*>(external_.Get()));
        engine_.AddObject(L"document", document_.Get());
        // The page's functions record every call with its arguments.
        ASSERT_EQ(
            engine_.Run(L"var calls = [];"
                        L"function record(name, args) {"
                        L"  var list = [];"
                        L"  for (var i = 0; i < args.length; i++) list.push(typeof args[i] + ':' + args[i]);"
                        L"  calls.push(name + '(' + list.join(',') + ')');"
                        L"}"
                        L"function f() { record('f', arguments); }"
                        L"var Api = { ExecPanelHandler: function () { record('panel', arguments); } };"),
            S_OK);
    }
    void TearDown() override { FrameRegistration().Clear(); }

    std::wstring Calls() { return engine_.Text(L"calls.join(' ')"); }

    ScriptEngine engine_;
    base::ComPtr<webhost::TMyExternal> external_;
    TestWindow* window_ = nullptr;
    base::ComPtr<IDispatch> document_;
};

TEST_F(PageScriptTest, FrameMethodRunsNothingBeforeTheFirstRegistration) {
    EXPECT_NO_THROW(webhost::InvokeFrameMethod(FrameRegistration()));
    EXPECT_TRUE(window_->scripts.empty());
    EXPECT_EQ(Calls(), L"");
}

TEST_F(PageScriptTest, FrameMethodCallsTheRegisteredFunctionWithTheRegisteredArguments) {
    ASSERT_EQ(engine_.Run(L"external.RegFrame(document, 'f', '1,2');"), S_OK);
    webhost::InvokeFrameMethod(FrameRegistration());
    ASSERT_EQ(window_->scripts.size(), 1u);
    EXPECT_EQ(window_->scripts[0], L"(f)(1,2);");
    EXPECT_EQ(window_->languages[0], L"JavaScript");
    EXPECT_EQ(Calls(), L"f(number:1,number:2)");

    // Empty argument text: the function is called without arguments. A number converts to text.
    ASSERT_EQ(engine_.Run(L"external.RegFrame(document, 'f', '');"), S_OK);
    webhost::InvokeFrameMethod(FrameRegistration());
    ASSERT_EQ(engine_.Run(L"external.RegFrame(document, 'f', 3);"), S_OK);
    webhost::InvokeFrameMethod(FrameRegistration());
    EXPECT_EQ(window_->scripts[1], L"(f)();");
    EXPECT_EQ(window_->scripts[2], L"(f)(3);");
    EXPECT_EQ(Calls(), L"f(number:1,number:2) f() f(number:3)");

    // Chinese text survives the round trip through the system code page.
    ASSERT_EQ(engine_.Run(L"external.RegFrame(document, 'f', '\"考试\"');"), S_OK);
    webhost::InvokeFrameMethod(FrameRegistration());
    EXPECT_EQ(window_->scripts[3], L"(f)(\"考试\");");
}

TEST_F(PageScriptTest, FrameMethodFailuresRaiseForTheCallerAndLeaveTheRegistration) {
    // A function the page does not have: the script error comes back as a failure.
    ASSERT_EQ(engine_.Run(L"external.RegFrame(document, 'missingFunction', '');"), S_OK);
    EXPECT_THROW(webhost::InvokeFrameMethod(FrameRegistration()), base::ComError);
    EXPECT_EQ(webhost::VariantToText(FrameRegistration().InvokeMethod.Get()), L"missingFunction");

    // A registered "document" without parentWindow, and one that is no object at all.
    ASSERT_EQ(engine_.Run(L"external.RegFrame({}, 'f', '');"), S_OK);
    EXPECT_THROW(webhost::InvokeFrameMethod(FrameRegistration()), base::ComError);
    ASSERT_EQ(engine_.Run(L"external.RegFrame('not a document', 'f', '');"), S_OK);
    EXPECT_THROW(webhost::InvokeFrameMethod(FrameRegistration()), base::ComError);
    // A method value that does not convert to text.
    ASSERT_EQ(engine_.Run(L"external.RegFrame(document, null, '');"), S_OK);
    EXPECT_THROW(webhost::InvokeFrameMethod(FrameRegistration()), base::ComError);
    EXPECT_EQ(Calls(), L"");
}

TEST_F(PageScriptTest, PanelHandlerGetsTheListWithoutItsBrackets) {
    ASSERT_EQ(engine_.Run(L"external.RegFrame(document, 'f', '');"), S_OK);
    const auto& frame = FrameRegistration();
    webhost::ExecPanelHandler(frame, "");
    EXPECT_TRUE(window_->scripts.empty());

    webhost::ExecPanelHandler(frame, "[1,[2,3]]");
    webhost::ExecPanelHandler(frame, "[]");
    webhost::ExecPanelHandler(frame, "[\"open\",[\"a[1]\"]]");
    ASSERT_EQ(window_->scripts.size(), 3u);
    EXPECT_EQ(window_->scripts[0], L"(Api.ExecPanelHandler)(1,2,3);");
    EXPECT_EQ(window_->scripts[1], L"(Api.ExecPanelHandler)();");
    EXPECT_EQ(window_->languages[2], L"JavaScript");
    EXPECT_EQ(Calls(), L"panel(number:1,number:2,number:3) panel() panel(string:open,string:a1)");
}

TEST_F(PageScriptTest, PanelHandlerWithoutARegisteredDocumentFails) {
    EXPECT_THROW(webhost::ExecPanelHandler(FrameRegistration(), "[1]"), base::ComError);
    EXPECT_EQ(Calls(), L"");
}

}  // namespace
