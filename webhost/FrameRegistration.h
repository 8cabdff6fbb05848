// The frame registration: which page document, script function and argument text the page named in
// its last RegFrame call. One record per process; the shell's calls into the page read it.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "base/Handles.h"

namespace webhost {

class TFrameRegistration {
  public:
    TFrameRegistration() = default;
    TFrameRegistration(const TFrameRegistration&) = delete;
    TFrameRegistration& operator=(const TFrameRegistration&) = delete;

    // Deep copies (texts duplicated, object references counted) of the page's values, in this order,
    // each replacing and releasing the field's old value. A value that cannot be copied ends the
    // registration silently; the fields copied before it keep their new values.
    void Register(const VARIANT& doc, const VARIANT& invokeMethod, const VARIANT& invokeParas);
    // Releases the three values (the main window does this while COM is still up).
    void Clear();

    base::Variant Doc;           // the page document the shell's scripts run in
    base::Variant InvokeMethod;  // the script function to call: text, or a value that converts to text
    base::Variant InvokeParas;   // the argument text for that call
};

// The process-wide record, empty until the page's first RegFrame. It is never destroyed: its values
// are object references of the page, which must not be released after COM has shut down, so the
// owner releases them with Clear() when it goes.
TFrameRegistration& FrameRegistration();

}  // namespace webhost
