// The type library UserAction as the system's loader reads it back from the built programs' own
// resources (this test program carries the same resources as Velmora.exe).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Handles.h"
#include "base/Module.h"
#include "base/Text.h"
#include "webhost/UserAction_TLB.h"

namespace {

// The library's and the interface's identifiers as they are published (written out here, independently
// of the interface definition the program is built from).
constexpr GUID kLibidUserAction = {
    0x467E488A, 0x58E2, 0x4C8B, {0xAE, 0xF6, 0x43, 0xF0, 0x04, 0x69, 0xCE, 0xF1}};
constexpr GUID kIidUserAction = {
    0xD8A0B665, 0xF898, 0x4961, {0xA7, 0xF0, 0x2F, 0x9B, 0xD4, 0xC7, 0x69, 0xED}};

// {00020430-0000-0000-C000-000000000046}: the OLE automation library stdole2.tlb.
constexpr GUID kLibidStdOle2 = {0x00020430, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct Param {
    std::wstring name;
    VARTYPE type;  // for a pointer: VT_PTR | the pointed-to type's VT
    USHORT flags;
};

struct Method {
    std::wstring name;
    MEMBERID id;
    int slot;
    std::vector<Param> params;
};

const std::vector<Method>& ExpectedMethods() {
    constexpr USHORT in = PARAMFLAG_FIN;
    constexpr USHORT outRetval = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
    static const std::vector<Method> methods = {
        {L"DoLogin", 201, 7, {{L"Action", VT_BSTR, in}, {L"Result", VT_PTR | VT_BSTR, outRetval}}},
        {L"DoLogout", 202, 8, {{L"Action", VT_BSTR, in}, {L"Result", VT_PTR | VT_BSTR, outRetval}}},
        {L"RegFrame",
         203,
         9,
         {{L"Doc", VT_VARIANT, in}, {L"InvokeMethod", VT_VARIANT, in}, {L"InvokeParas", VT_VARIANT, in}}},
        {L"NotifyTipStyleChange", 204, 10, {}},
        {L"GetOnlineUserNum", 205, 11, {{L"Result", VT_PTR | VT_BSTR, outRetval}}},
        {L"NotifyMsgProcessed", 206, 12, {{L"SourceCode", VT_BSTR, in}}},
    };
    return methods;
}

std::wstring Name(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
    BSTR name = nullptr;
    info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
    base::Bstr owned = base::Bstr::Adopt(name);
    return name ? std::wstring(name) : std::wstring();
}

VARTYPE TypeOf(const TYPEDESC& desc) {
    if (desc.vt == VT_PTR && desc.lptdesc) {
        return VT_PTR | desc.lptdesc->vt;
    }
    return desc.vt;
}

class UserActionTypeLib : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        const std::wstring file = base::AnsiToWide(GetParam());
        const std::wstring path = file.empty() ? base::ExePath() : base::ExeFolder() + file;
        ASSERT_EQ(LoadTypeLib(path.c_str(), library_.Put()), S_OK) << base::WideToUtf8(path);
    }
    base::ComPtr<ITypeLib> library_;
};

TEST_P(UserActionTypeLib, LibraryHasItsIdentityVersionHelpStringLocaleAndSystemKind) {
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library_->GetLibAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, kLibidUserAction);
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->lcid, 0u);
    EXPECT_EQ(attributes->syskind, SYS_WIN32);
    library_->ReleaseTLibAttr(attributes);

    BSTR name = nullptr, help = nullptr;
    ASSERT_EQ(library_->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
    base::Bstr ownedName = base::Bstr::Adopt(name), ownedHelp = base::Bstr::Adopt(help);
    EXPECT_STREQ(name, L"UserAction");
    EXPECT_STREQ(help, L"UserAction Library");

    // One type, the interface; no coclass.
    ASSERT_EQ(library_->GetTypeInfoCount(), 1u);
    TYPEKIND kind = TKIND_MAX;
    ASSERT_EQ(library_->GetTypeInfoType(0, &kind), S_OK);
    EXPECT_EQ(kind, TKIND_DISPATCH);
}

TEST_P(UserActionTypeLib, InterfaceIsADualAutomationInterfaceDerivedFromStdOle2sIDispatch) {
    base::ComPtr<ITypeInfo> info;
    ASSERT_EQ(library_->GetTypeInfoOfGuid(kIidUserAction, info.Put()), S_OK);
    EXPECT_EQ(Name(info.Get()), L"IUserAction");
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, kIidUserAction);
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    // The dispatch view of a dual interface: dual and dispatchable; the system never reports the
    // OLE-automation flag on a dispatch view, it belongs to the interface (below).
    EXPECT_EQ(attributes->wTypeFlags, TYPEFLAG_FDISPATCHABLE | TYPEFLAG_FDUAL);
    // It counts every slot of the interface: IUnknown's 3, IDispatch's 4 and the 6 methods.
    EXPECT_EQ(attributes->cFuncs, 13);
    EXPECT_EQ(attributes->cImplTypes, 1);
    info->ReleaseTypeAttr(attributes);

    // The interface itself carries the type flags as defined: dual, OLE automation, dispatchable.
    HREFTYPE vtableRef = 0;
    ASSERT_EQ(info->GetRefTypeOfImplType(-1, &vtableRef), S_OK);
    base::ComPtr<ITypeInfo> vtable;
    ASSERT_EQ(info->GetRefTypeInfo(vtableRef, vtable.Put()), S_OK);
    ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
    EXPECT_EQ(attributes->wTypeFlags, TYPEFLAG_FDISPATCHABLE | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDUAL);
    EXPECT_EQ(attributes->wTypeFlags, 0x1140);
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    vtable->ReleaseTypeAttr(attributes);

    // The base is IDispatch, imported from stdole2.tlb version 2.0.
    HREFTYPE baseRef = 0;
    ASSERT_EQ(info->GetRefTypeOfImplType(0, &baseRef), S_OK);
    base::ComPtr<ITypeInfo> base;
    ASSERT_EQ(info->GetRefTypeInfo(baseRef, base.Put()), S_OK);
    EXPECT_EQ(Name(base.Get()), L"IDispatch");
    base::ComPtr<ITypeLib> imported;
    UINT index = 0;
    ASSERT_EQ(base->GetContainingTypeLib(imported.Put(), &index), S_OK);
    TLIBATTR* importedAttributes = nullptr;
    ASSERT_EQ(imported->GetLibAttr(&importedAttributes), S_OK);
    EXPECT_EQ(importedAttributes->guid, kLibidStdOle2);
    EXPECT_EQ(importedAttributes->wMajorVerNum, 2);
    EXPECT_EQ(importedAttributes->wMinorVerNum, 0);
    imported->ReleaseTLibAttr(importedAttributes);
}

TEST_P(UserActionTypeLib, VirtualTableHasThirteenSlotsWithTheSixMethodsInOrder) {
    base::ComPtr<ITypeInfo> dispatchInfo;
    ASSERT_EQ(library_->GetTypeInfoOfGuid(kIidUserAction, dispatchInfo.Put()), S_OK);
    HREFTYPE vtableRef = 0;
    ASSERT_EQ(dispatchInfo->GetRefTypeOfImplType(-1, &vtableRef), S_OK);
    base::ComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatchInfo->GetRefTypeInfo(vtableRef, info.Put()), S_OK);

    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
    EXPECT_EQ(attributes->guid, kIidUserAction);
    // 32-bit Windows: four-byte slots. The 3 of IUnknown, the 4 of IDispatch, then the 6 methods.
    constexpr int kSlotSize = 4;
    EXPECT_EQ(attributes->cbSizeVft, 13 * kSlotSize);
    ASSERT_EQ(attributes->cFuncs, 6);
    info->ReleaseTypeAttr(attributes);

    const auto& expected = ExpectedMethods();
    for (UINT i = 0; i < expected.size(); ++i) {
        const Method& method = expected[i];
        SCOPED_TRACE(base::WideToUtf8(method.name));
        FUNCDESC* func = nullptr;
        ASSERT_EQ(info->GetFuncDesc(i, &func), S_OK);
        EXPECT_EQ(func->memid, method.id);
        // The loader may give the offset in the running program's pointer size.
        EXPECT_TRUE(func->oVft == method.slot * kSlotSize ||
                    func->oVft == method.slot * static_cast<int>(sizeof(void*)))
            << func->oVft;
        EXPECT_EQ(func->callconv, CC_STDCALL);
        EXPECT_EQ(func->invkind, INVOKE_FUNC);
        EXPECT_EQ(func->funckind, FUNC_PUREVIRTUAL);
        EXPECT_EQ(func->elemdescFunc.tdesc.vt, VT_HRESULT);
        EXPECT_EQ(func->cParamsOpt, 0);
        ASSERT_EQ(func->cParams, static_cast<SHORT>(method.params.size()));

        std::vector<BSTR> names(method.params.size() + 1, nullptr);
        UINT count = 0;
        ASSERT_EQ(info->GetNames(func->memid, names.data(), static_cast<UINT>(names.size()), &count), S_OK);
        EXPECT_EQ(count, names.size());
        EXPECT_EQ(std::wstring(names[0] ? names[0] : L""), method.name);
        for (size_t p = 0; p < method.params.size(); ++p) {
            const ELEMDESC& param = func->lprgelemdescParam[p];
            EXPECT_EQ(std::wstring(names[p + 1] ? names[p + 1] : L""), method.params[p].name);
            EXPECT_EQ(TypeOf(param.tdesc), method.params[p].type) << p;
            EXPECT_EQ(param.paramdesc.wParamFlags, method.params[p].flags) << p;
        }
        for (BSTR name : names) {
            SysFreeString(name);
        }
        info->ReleaseFuncDesc(func);
    }
}

TEST_P(UserActionTypeLib, DispatchViewNamesTheSixMethodsWithTheirDispatchIdentifiers) {
    base::ComPtr<ITypeInfo> info;
    ASSERT_EQ(library_->GetTypeInfoOfGuid(kIidUserAction, info.Put()), S_OK);
    for (const Method& method : ExpectedMethods()) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(method.name.c_str())};
        MEMBERID id = MEMBERID_NIL;
        EXPECT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK) << base::WideToUtf8(method.name);
        EXPECT_EQ(id, method.id);
    }
    // Parameters of RegFrame are not members.
    LPOLESTR parameter[] = {const_cast<LPOLESTR>(L"InvokeMethod")};
    MEMBERID id = MEMBERID_NIL;
    EXPECT_NE(info->GetIDsOfNames(parameter, 1, &id), S_OK);
}

// "" is this test program's own file; Velmora.exe lies beside it.
INSTANTIATE_TEST_SUITE_P(BuiltPrograms, UserActionTypeLib, ::testing::Values("", "Velmora.exe"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).empty() ? std::string("TestProgram")
                                                                    : std::string("VelmoraExe");
                         });

}  // namespace
