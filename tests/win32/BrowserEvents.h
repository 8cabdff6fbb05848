// Fires a browser control event at a DWebBrowserEvents2 sink the way the control does: the arguments
// (pDisp, URL, ...) carried last to first, the URL as a variant passed by reference.
#pragma once

#include <windows.h>
#include <exdispid.h>
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

// NavigateError as the control fires it: (pDisp, URL, Frame, StatusCode, Cancel), everything but pDisp
// passed by reference. cancel goes in as the control's value and comes back as the sink left it.
inline HRESULT FireNavigateError(IDispatch* sink, IDispatch* pDisp, const std::wstring& url, long status,
                                 VARIANT_BOOL& cancel) {
    base::Variant urlValue, frameValue, statusValue;
    urlValue.Put()->vt = VT_BSTR;
    urlValue.Get().bstrVal = SysAllocString(url.c_str());
    statusValue.Put()->vt = VT_I4;
    statusValue.Get().lVal = status;
    VARIANT args[5];
    args[0].vt = VT_BOOL | VT_BYREF;
    args[0].pboolVal = &cancel;
    args[1].vt = VT_VARIANT | VT_BYREF;
    args[1].pvarVal = &statusValue.Get();
    args[2].vt = VT_VARIANT | VT_BYREF;
    args[2].pvarVal = &frameValue.Get();
    args[3].vt = VT_VARIANT | VT_BYREF;
    args[3].pvarVal = &urlValue.Get();
    args[4].vt = VT_DISPATCH;
    args[4].pdispVal = pDisp;
    DISPPARAMS params{args, nullptr, 5, 0};
    return sink->Invoke(DISPID_NAVIGATEERROR, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_METHOD, &params,
                        nullptr, nullptr, nullptr);
}

}  // namespace testsupport
