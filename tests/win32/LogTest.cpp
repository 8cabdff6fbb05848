// The program's log on a real file system: where it writes, rolling over, surviving a folder it cannot
// write to, and the failures the program swallows leaving one line that names where.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "LogFile.h"
#include "MainFormFixture.h"
#include "toolkit/Application.h"
#include "app/PrivateMessages.h"
#include "base/Error.h"
#include "base/Log.h"
#include "base/Text.h"
#include "support/TestFiles.h"
#include "webhost/FrameRegistration.h"
#include "webhost/UserAction_TLB_Impl.h"

namespace {

using testsupport::LogFile;
using testsupport::PathExists;
using testsupport::ReadFileBytes;

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

}  // namespace

TEST(LogTest, TheDefaultFileIsInTheUsersLocalApplicationData) {
    const std::wstring path = base::LogFilePath();
    const std::wstring tail = L"\\Velmora\\Velmora.log";
    ASSERT_GT(path.size(), tail.size());
    EXPECT_EQ(path.substr(path.size() - tail.size()), tail);
    base::Log("a line from the log test");
    EXPECT_NE(ReadFileBytes(base::WideToAnsi(path)).find("a line from the log test"), std::string::npos);
}

TEST(LogTest, LinesAreAppendedAndTheFileRollsOverKeepingOneOlderFile) {
    LogFile log(200);
    base::Log("first");
    base::LogF("second %d", 2);
    EXPECT_EQ(CountOf(log.Text(), "\r\n"), 2u);
    EXPECT_NE(log.Text().find("second 2"), std::string::npos);
    for (int i = 0; i < 20; ++i) {
        base::LogF("filler line %02d", i);
    }
    // Never over the limit; the entries before the last roll-over are in the one older file.
    EXPECT_LE(log.Text().size(), 200u);
    ASSERT_TRUE(PathExists(log.Path() + ".1"));
    EXPECT_LE(ReadFileBytes(log.Path() + ".1").size(), 200u);
    EXPECT_NE(log.Text().find("filler line 19"), std::string::npos);
    EXPECT_FALSE(PathExists(log.Path() + ".2"));
}

TEST(LogTest, AFolderItCannotWriteToMeansNoFileAndNoFailure) {
    testsupport::TempFolder folder;
    // A folder where the file should be: nothing can be opened for writing there.
    const std::string blocked = folder.Path() + "blocked.log";
    CreateDirectoryA(blocked.c_str(), nullptr);
    base::SetLogFile(base::AnsiToWide(blocked), base::kLogRollOverBytes);
    EXPECT_NO_THROW(base::Log("nowhere to go"));
    // And a folder that does not exist.
    base::SetLogFile(base::AnsiToWide(folder.Path() + "missing\\x.log"), base::kLogRollOverBytes);
    EXPECT_NO_THROW(base::Log("nowhere either"));
    EXPECT_FALSE(PathExists(folder.Path() + "missing"));
    base::SetLogFile(L"", base::kLogRollOverBytes);
}

TEST(LogTest, CaughtExceptionsAreLoggedWithWhereTheyWereCaught) {
    LogFile log;
    try {
        throw base::Error("the reason");
    } catch (...) {
        base::LogCaughtException("TestSite");
    }
    try {
        throw 42;
    } catch (...) {
        base::LogCaughtException("OtherSite");
    }
    EXPECT_EQ(CountOf(log.Text(), "TestSite: the reason"), 1u);
    EXPECT_EQ(CountOf(log.Text(), "OtherSite: an exception of unknown type"), 1u);
}

class SwallowedFailureTest : public testsupport::MainFormTest {};

TEST_F(SwallowedFailureTest, AToggleThatFailsHalfWayLeavesOneLine) {
    app::TMainForm* form = CreateMainForm();
    form->Show();
    LogFile log;
    // A message handled while the toggle lets the queue run fails.
    const UINT failing = RegisterWindowMessageW(L"VelmoraLogTestFailure");
    const int filter = tk::Application::Instance().AddMessageFilter([failing](MSG& msg) -> bool {
        if (msg.message == failing) {
            throw base::Error("a handler failed");
        }
        return false;
    });
    PostMessageW(form->Handle(), failing, 0, 0);
    EXPECT_NO_THROW(form->SwitchShowAndHide());
    tk::Application::Instance().RemoveMessageFilter(filter);
    EXPECT_EQ(CountOf(log.Text(), "SwitchShowAndHide: a handler failed"), 1u);
}

TEST_F(SwallowedFailureTest, APageScriptMessageThatFailsLeavesOneLineWithoutThePagesText) {
    app::TMainForm* form = CreateMainForm();
    // A registered "document" that has no parentWindow: the script cannot run.
    base::ComPtr<webhost::TMyExternal> notADocument = webhost::TMyExternal::Create();
    base::Variant doc, method, paras;
    doc.Get().vt = VT_DISPATCH;
    doc.Get().pdispVal = static_cast<IDispatch*>(notADocument.CopyOut());
    method.Get().vt = VT_BSTR;
    method.Get().bstrVal = SysAllocString(L"secretFunction");
    paras.Get().vt = VT_BSTR;
    paras.Get().bstrVal = SysAllocString(L"'password'");
    webhost::FrameRegistration().Register(doc.Get(), method.Get(), paras.Get());
    LogFile log;
    SendMessageW(form->Handle(), app::WM_INVOKEFRAMEMETHOD, 0, 0);
    webhost::FrameRegistration().Clear();
    const std::string text = log.Text();
    EXPECT_EQ(CountOf(text, "WM_INVOKEFRAMEMETHOD"), 1u);
    EXPECT_EQ(text.find("secretFunction"), std::string::npos);
    EXPECT_EQ(text.find("password"), std::string::npos);
}
