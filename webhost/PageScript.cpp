#include "webhost/PageScript.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "base/Text.h"
#include "webhost/ComErrors.h"
#include "webhost/ScriptText.h"

namespace webhost {
namespace {

// The object in a variant (a dispatch or unknown reference, also by reference); raises otherwise.
base::ComPtr<IDispatch> ObjectOf(const VARIANT& value) {
    base::Variant object;
    CheckCom(VariantChangeType(object.Put(), const_cast<VARIANT*>(&value), 0, VT_DISPATCH));
    if (!object.Get().pdispVal) {
        throw base::ComError(ComErrorMessage(E_POINTER), E_POINTER);
    }
    return base::ComPtr<IDispatch>(object.Get().pdispVal);
}

// A late-bound call by member name. Arguments are given in the call's order.
void CallByName(IDispatch* object, const wchar_t* name, WORD flags, std::initializer_list<VARIANT*> arguments,
                VARIANT* result) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    CheckCom(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    // DISPPARAMS carries the arguments last to first.
    std::vector<VARIANT> reversed;
    for (auto it = std::rbegin(arguments); it != std::rend(arguments); ++it) {
        reversed.push_back(**it);
    }
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const HRESULT invoked =
        object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception, &argumentError);
    if (invoked == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn) {
            exception.pfnDeferredFillIn(&exception);
        }
        base::Bstr source = base::Bstr::Adopt(exception.bstrSource);
        base::Bstr description = base::Bstr::Adopt(exception.bstrDescription);
        base::Bstr helpFile = base::Bstr::Adopt(exception.bstrHelpFile);
        const HRESULT code = exception.scode ? exception.scode : invoked;
        if (description.Length() > 0) {
            throw base::ComError(base::WideToUtf8({description.Get(), description.Length()}), code);
        }
        CheckCom(code);
    }
    CheckCom(invoked);
}

}  // namespace

std::wstring VariantToText(const VARIANT& value) {
    if (value.vt == VT_EMPTY) {
        return {};
    }
    if (value.vt == VT_BSTR) {
        return value.bstrVal ? std::wstring(value.bstrVal, SysStringLen(value.bstrVal)) : std::wstring();
    }
    base::Variant text;
    CheckCom(VariantChangeTypeEx(text.Put(), const_cast<VARIANT*>(&value), LOCALE_USER_DEFAULT, 0, VT_BSTR));
    BSTR converted = text.Get().bstrVal;
    return converted ? std::wstring(converted, SysStringLen(converted)) : std::wstring();
}

void ExecScript(const VARIANT& doc, const std::wstring& script) {
    base::ComPtr<IDispatch> document = ObjectOf(doc);
    base::Variant window;
    CallByName(document.Get(), L"parentWindow", DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, window.Put());
    base::ComPtr<IDispatch> windowObject = ObjectOf(window.Get());

    base::Variant text, language, result;
    text.Put()->vt = VT_BSTR;
    text.Get().bstrVal = SysAllocStringLen(script.data(), static_cast<UINT>(script.size()));
    language.Put()->vt = VT_BSTR;
    language.Get().bstrVal = SysAllocString(L"JavaScript");
    if (!text.Get().bstrVal || !language.Get().bstrVal) {
        CheckCom(E_OUTOFMEMORY);
    }
    CallByName(windowObject.Get(), L"execScript", DISPATCH_METHOD, {&text.Get(), &language.Get()},
               result.Put());
}

void InvokeFrameMethod(const TFrameRegistration& frame) {
    const VARIANT& doc = frame.Doc.Get();
    if (doc.vt == VT_EMPTY || doc.vt == VT_NULL) {
        return;
    }
    // The values become ANSI text, as every script text the shell builds.
    const std::string method = base::WideToAnsi(VariantToText(frame.InvokeMethod.Get()));
    const std::string paras = base::WideToAnsi(VariantToText(frame.InvokeParas.Get()));
    ExecScript(doc, base::AnsiToWide(FrameMethodScript(method, paras)));
}

void ExecPanelHandler(const TFrameRegistration& frame, const std::string& text) {
    if (text.empty()) {
        return;
    }
    ExecScript(frame.Doc.Get(), base::AnsiToWide(PanelHandlerScript(text)));
}

}  // namespace webhost
