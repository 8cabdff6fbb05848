// The shell's calls into the page: script text run in the registered page document through the
// document's late-bound parentWindow and execScript members. Failures raise base::ComError; the callers
// (the main window's private messages) swallow them.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "webhost/FrameRegistration.h"

namespace webhost {

// The standard variant-to-text conversion: a text is used unchanged, an empty value gives an empty
// text, anything else is converted by the system (a value that does not convert raises).
std::wstring VariantToText(const VARIANT& value);

// Reads doc.parentWindow and calls its execScript(script, "JavaScript"), both by name; the result is
// dropped.
void ExecScript(const VARIANT& doc, const std::wstring& script);

// Calls the registered frame method: "(InvokeMethod)(InvokeParas);" in the registered document.
// Nothing happens while no document is registered.
void InvokeFrameMethod(const TFrameRegistration& frame);

// Calls the page's panel handler with the text's list as arguments (see PanelHandlerScript). An empty
// text does nothing; the registration is not tested first, so without a document the call raises.
void ExecPanelHandler(const TFrameRegistration& frame, const std::string& text);

}  // namespace webhost
