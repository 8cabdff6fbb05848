// Fires a browser control event at a DWebBrowserEvents2 sink the way the control does: the arguments
// (pDisp, URL) carried last to first, the URL as a variant passed by reference.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "base/Handles.h"

namespace testsupport {

inline HRESULT FireBrowserEvent(IDispatch* sink, DISPID id, IDispatch* pDisp, const std::wstring& url) {
    base::Variant urlValue;
    urlValue.Put()->vt = VT_BSTR;
    urlValue.Get().bstrVal = SysAllocString(url.c_str());
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    args[0].vt = VT_VARIANT | VT_BYREF;
    args[0].pvarVal = &urlValue.Get();
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = pDisp;
    DISPPARAMS params{args, nullptr, 2, 0};
    return sink->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                        nullptr);
}

}  // namespace testsupport
