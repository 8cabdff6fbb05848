// The bracket removal and script text of the page's panel handler, on any text.
#include "FuzzCheck.h"
#include "webhost/ScriptText.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    const std::string cleaned = webhost::RemoveBrackets(text);
    // Every other byte stays, in order; no bracket is left.
    std::string kept;
    for (char c : text) {
        if (c != '[' && c != ']') {
            kept += c;
        }
    }
    FUZZ_CHECK(cleaned == kept);
    const std::string script = webhost::PanelHandlerScript(text);
    FUZZ_CHECK(script == "(Api.ExecPanelHandler)(" + kept + ");");
    return 0;
}
