// The script bridge as a page sees it: Wine's real JScript engine calls window.external, bound to a
// TMyExternal whose handler slots are filled the way the main window fills them.
#include <gtest/gtest.h>

#include "ScriptEngine.h"
#include "base/Error.h"
#include "base/Module.h"
#include "base/Text.h"
#include "support/TestFiles.h"
#include "webhost/FrameRegistration.h"
#include "webhost/PageScript.h"
#include "webhost/UserAction_TLB_Impl.h"

using testsupport::ScriptEngine;
using webhost::FrameRegistration;
using webhost::TMyExternal;

namespace {

class ScriptBridgeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        external_ = TMyExternal::Create();
        ASSERT_TRUE(external_);
        ASSERT_TRUE(engine_.Ready());
        engine_.AddObject(L"external", static_cast<IDispatch*>(external_.Get()));
    }
    void TearDown() override { FrameRegistration().Clear(); }

    // The main window's three handlers.
    void FillAsTheMainWindowDoes() {
        external_->OnDoLogin = [](const std::wstring&, std::string& Result) { Result = "DoWebLogin"; };
        external_->OnDoLogout = [](const std::wstring&, std::string& Result) { Result = "DoWebLogout"; };
        external_->OnRegFrame = [](const VARIANT& Doc, const VARIANT& InvokeMethod,
                                   const VARIANT& InvokeParas) {
            FrameRegistration().Register(Doc, InvokeMethod, InvokeParas);
        };
    }

    // The text of an object's property, read by name as any late-bound caller would.
    static std::wstring PropertyText(const VARIANT& object, const wchar_t* name) {
        if (object.vt != VT_DISPATCH || !object.pdispVal) {
            return L"<no object>";
        }
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        if (FAILED(object.pdispVal->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) {
            return L"<no property>";
        }
        DISPPARAMS none{};
        base::Variant value;
        if (FAILED(object.pdispVal->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, value.Put(), nullptr,
                                           nullptr))) {
            return L"<failed>";
        }
        return webhost::VariantToText(value.Get());
    }

    base::ComPtr<TMyExternal> external_;
    ScriptEngine engine_;
};

TEST_F(ScriptBridgeTest, LoginAndLogoutAnswerTheirFixedTextsWhateverThePagePasses) {
    FillAsTheMainWindowDoes();
    std::vector<std::wstring> actions;
    external_->OnDoLogin = [&](const std::wstring& Action, std::string& Result) {
        actions.push_back(Action);
        Result = "DoWebLogin";
    };
    EXPECT_EQ(engine_.Text(L"external.DoLogin('')"), L"DoWebLogin");
    EXPECT_EQ(engine_.Text(L"external.DoLogin(42)"), L"DoWebLogin");
    EXPECT_EQ(engine_.Text(L"external.DoLogin('学生 x')"), L"DoWebLogin");
    // Names are looked up without regard to letter case.
    EXPECT_EQ(engine_.Text(L"external.dologin('x')"), L"DoWebLogin");
    EXPECT_EQ(engine_.Text(L"typeof external.DoLogin('x')"), L"string");
    EXPECT_EQ(actions, (std::vector<std::wstring>{L"", L"42", L"学生 x", L"x", L"x"}));

    EXPECT_EQ(engine_.Text(L"external.DoLogout('anything')"), L"DoWebLogout");
    EXPECT_EQ(engine_.Text(L"external.DOLOGOUT('')"), L"DoWebLogout");
    EXPECT_TRUE(engine_.Errors().empty());
}

TEST_F(ScriptBridgeTest, MethodsWithoutAHandlerSucceedAndOnlineUserCountIsEmptyText) {
    FillAsTheMainWindowDoes();
    EXPECT_EQ(engine_.Text(L"typeof external.GetOnlineUserNum()"), L"string");
    EXPECT_EQ(engine_.Text(L"external.GetOnlineUserNum()"), L"");
    EXPECT_EQ(engine_.Text(L"typeof external.NotifyTipStyleChange()"), L"undefined");
    EXPECT_EQ(engine_.Text(L"typeof external.NotifyMsgProcessed('x')"), L"undefined");
    EXPECT_TRUE(engine_.Errors().empty());
}

TEST_F(ScriptBridgeTest, EachSlotReceivesItsInputAndOnlyTextMethodsWithAResultReturnIt) {
    std::vector<std::wstring> seen;
    auto record = [&](const char* answer) {
        return [&seen, answer](const std::wstring& Action, std::string& Result) {
            EXPECT_TRUE(Result.empty());
            seen.push_back(Action);
            Result = answer;
        };
    };
    external_->OnNotifyTipStyleChange = record("dropped");
    external_->OnGetOnlineUserNum = record("17");
    external_->OnNotifyMsgProcessed = record("dropped too");
    EXPECT_EQ(engine_.Text(L"typeof external.NotifyTipStyleChange()"), L"undefined");
    EXPECT_EQ(engine_.Text(L"external.GetOnlineUserNum()"), L"17");
    EXPECT_EQ(engine_.Text(L"typeof external.NotifyMsgProcessed('source')"), L"undefined");
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"1", L"", L"source"}));

    // The handler's answer is ANSI text in the system code page; the page gets it as UTF-16.
    external_->OnDoLogin = [](const std::wstring&, std::string& Result) {
        Result = base::Utf8ToAnsi("登录成功");
    };
    EXPECT_EQ(engine_.Text(L"external.DoLogin('')"), L"登录成功");
}

TEST_F(ScriptBridgeTest, UnknownMethodsAndMissingArgumentsAreScriptErrors) {
    FillAsTheMainWindowDoes();
    int calls = 0;
    external_->OnDoLogin = [&](const std::wstring&, std::string&) { ++calls; };
    EXPECT_FALSE(SUCCEEDED(engine_.Run(L"external.DoSomethingElse('x');")));
    EXPECT_FALSE(SUCCEEDED(engine_.Run(L"external.DoLogin();")));
    EXPECT_FALSE(SUCCEEDED(engine_.Run(L"external.RegFrame(1, 2);")));
    EXPECT_EQ(engine_.Errors().size(), 3u);
    EXPECT_EQ(calls, 0);
    // The page can catch them like any other error.
    EXPECT_EQ(
        engine_.Text(
            L"(function(){ try { external.Nope(); return 'no error'; } catch (e) { return 'caught'; } })()"),
        L"caught");
}

TEST_F(ScriptBridgeTest, AFailingHandlerBecomesAScriptErrorCarryingItsMessage) {
    external_->OnDoLogin = [](const std::wstring&, std::string& Result) {
        Result = "never seen";
        throw base::Error("登录服务不可用");
    };
    EXPECT_EQ(engine_.Text(
                  L"(function(){ try { return external.DoLogin('x'); } catch (e) { return e.message; } })()"),
              L"登录服务不可用");
    EXPECT_FALSE(SUCCEEDED(engine_.Run(L"external.DoLogin('x');")));
    ASSERT_EQ(engine_.Errors().size(), 1u);
    EXPECT_NE(engine_.Errors()[0].find(L"登录服务不可用"), std::wstring::npos)
        << base::WideToUtf8(engine_.Errors()[0]);

    // The same through the interface itself: the failure's HRESULT, or E_UNEXPECTED, and error info.
    external_->OnDoLogout = [](const std::wstring&, std::string&) {
        throw base::ComError("denied", E_ACCESSDENIED);
    };
    external_->OnNotifyMsgProcessed = [](const std::wstring&, std::string&) {
        throw base::ComError("odd", S_FALSE);
    };
    BSTR result = SysAllocString(L"stale");
    EXPECT_EQ(external_->DoLogout(nullptr, &result), E_ACCESSDENIED);
    EXPECT_EQ(result, nullptr);
    base::ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Put()), S_OK);
    BSTR description = nullptr;
    info->GetDescription(&description);
    EXPECT_STREQ(description, L"denied");
    SysFreeString(description);
    EXPECT_EQ(external_->NotifyMsgProcessed(nullptr), E_UNEXPECTED);

    base::ComPtr<ISupportErrorInfo> support = external_.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
    ASSERT_TRUE(support);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(webhost::IID_IUserAction), S_OK);
}

TEST_F(ScriptBridgeTest, RegFrameKeepsOnlyTheLastCallsValuesAndHoldsTheDocument) {
    FillAsTheMainWindowDoes();
    ASSERT_EQ(engine_.Run(L"var first = { name: 'first document' };"
                          L"external.RegFrame(first, 'f', '1,2');"
                          L"var second = { name: 'second document' };"
                          L"external.RegFrame(second, 'g', 7);"
                          L"first = null; second = null; CollectGarbage();"),
              S_OK);
    const auto& frame = FrameRegistration();
    EXPECT_EQ(frame.Doc.Get().vt, VT_DISPATCH);
    // The page's own variables are gone; the registration's counted reference still works.
    EXPECT_EQ(PropertyText(frame.Doc.Get(), L"name"), L"second document");
    EXPECT_EQ(webhost::VariantToText(frame.InvokeMethod.Get()), L"g");
    EXPECT_EQ(webhost::VariantToText(frame.InvokeParas.Get()), L"7");
}

TEST_F(ScriptBridgeTest, DispatchIsServedFromTheTypeInformation) {
    base::ComPtr<IDispatch> dispatch = external_.As<IDispatch>(IID_IDispatch);
    UINT count = 0;
    ASSERT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    base::ComPtr<ITypeInfo> info;
    EXPECT_EQ(dispatch->GetTypeInfo(1, 0, info.Put()), DISP_E_BADINDEX);
    ASSERT_EQ(dispatch->GetTypeInfo(0, 0, info.Put()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, webhost::IID_IUserAction);
    info->ReleaseTypeAttr(attributes);

    const std::pair<const wchar_t*, DISPID> names[] = {{L"DoLogin", 201},
                                                       {L"DOLOGIN", 201},
                                                       {L"DoLogout", 202},
                                                       {L"RegFrame", 203},
                                                       {L"NotifyTipStyleChange", 204},
                                                       {L"GetOnlineUserNum", 205},
                                                       {L"NotifyMsgProcessed", 206}};
    for (const auto& [name, expected] : names) {
        LPOLESTR list[] = {const_cast<LPOLESTR>(name)};
        DISPID id = 0;
        EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, list, 1, 0, &id), S_OK) << base::WideToUtf8(name);
        EXPECT_EQ(id, expected) << base::WideToUtf8(name);
    }
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"InvokeMethod")};
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);

    // Every interface of the object answers for the same object.
    base::ComPtr<IUnknown> a = external_.As<IUnknown>(IID_IUnknown);
    base::ComPtr<IUnknown> b = external_.As<IUnknown>(webhost::IID_IUserAction).As<IUnknown>(IID_IUnknown);
    EXPECT_EQ(a.Get(), b.Get());
    EXPECT_FALSE(external_.As<IUnknown>(IID_IPersist));
}

TEST(ScriptBridgeCreation, AProgramInAFolderOfAnyNameOrLengthLoadsItsLibraryAndAnswersThePage) {
    // Korean and Cyrillic, which code page 936 cannot spell, and a space; and a name that takes the
    // program's path past 260 characters, beyond what the library loader takes as a path.
    for (const std::wstring& name : {std::wstring(L" 벨모라 Велмора"), L"-" + std::wstring(215, L'x')}) {
        testsupport::TempFolder folder(name);
        const std::wstring program = folder.WidePath() + L"Velmora.exe";
        SCOPED_TRACE(std::to_string(program.size()) + " characters");
        ASSERT_TRUE(CopyFileW(base::ExePath().c_str(), program.c_str(), FALSE));
        base::ComPtr<TMyExternal> external = TMyExternal::CreateFromFile(program);
        external->OnDoLogin = [](const std::wstring&, std::string& Result) { Result = "DoWebLogin"; };
        ScriptEngine engine;
        ASSERT_TRUE(engine.Ready());
        engine.AddObject(L"external", static_cast<IDispatch*>(external.Get()));
        EXPECT_EQ(engine.Text(L"external.DoLogin('x')"), L"DoWebLogin");
        EXPECT_TRUE(engine.Errors().empty());
        DeleteFileW(program.c_str());
    }
}

TEST(ScriptBridgeCreation, AFileWithoutTheLibraryRaisesTheLoadersError) {
    // A system library without a TYPELIB resource, and a file that does not exist.
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    for (const std::wstring& path :
         {std::wstring(system) + L"\\kernel32.dll", std::wstring(L"C:\\no\\such\\file.exe")}) {
        try {
            TMyExternal::CreateFromFile(path);
            ADD_FAILURE() << "no error for " << base::WideToUtf8(path);
        } catch (const base::ComError& e) {
            EXPECT_TRUE(FAILED(static_cast<HRESULT>(e.Result()))) << std::hex << e.Result();
            EXPECT_STRNE(e.what(), "");
        }
    }
}

}  // namespace
