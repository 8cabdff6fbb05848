// The guard every COM method of the program runs in: an escaping exception becomes a failure code
// and a log line that names the place and the code, never the exception's message.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "LogFile.h"
#include "base/Error.h"
#include "base/Format.h"
#include "toolkit/ComGuard.h"

namespace {

TEST(ComGuard, AnEscapingExceptionIsAnsweredAsAFailureAndLoggedWithoutItsMessage) {
    const struct {
        const char* name;
        std::function<HRESULT()> body;
        HRESULT expected;
    } cases[] = {
        {"ComError with a failure code",
         []() -> HRESULT { throw base::ComError("secret text", E_ACCESSDENIED); }, E_ACCESSDENIED},
        {"ComError with a success code", []() -> HRESULT { throw base::ComError("secret text", S_FALSE); },
         E_UNEXPECTED},
        {"allocation failure", []() -> HRESULT { throw std::bad_alloc(); }, E_OUTOFMEMORY},
        {"other exception", []() -> HRESULT { throw std::runtime_error("secret text"); }, E_UNEXPECTED},
        {"unknown exception", []() -> HRESULT { throw 42; }, E_UNEXPECTED},
    };
    for (const auto& c : cases) {
        testsupport::LogFile log;
        EXPECT_EQ(tk::GuardCom("Guarded::Method", c.body), c.expected) << c.name;
        const std::string text = log.Text();
        EXPECT_NE(text.find("Guarded::Method"), std::string::npos) << c.name;
        EXPECT_NE(text.find(base::Format("0x%08lX", static_cast<unsigned long>(c.expected))),
                  std::string::npos)
            << c.name;
        EXPECT_EQ(text.find("secret"), std::string::npos) << c.name;
    }
}

TEST(ComGuard, AnAnswerWithoutExceptionPassesUnloggedWhateverItIs) {
    for (const HRESULT answer : {S_OK, S_FALSE, E_FAIL, DISP_E_MEMBERNOTFOUND}) {
        testsupport::LogFile log;
        EXPECT_EQ(tk::GuardCom("Guarded::Method", [&] { return answer; }), answer);
        EXPECT_EQ(log.Text(), "");
    }
}

}  // namespace
