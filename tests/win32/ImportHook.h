// Redirects one imported function of the test program itself (its import address table entry) to a
// recording function that forwards to the system's, so a test sees that and how the code under test
// calls into the system. The entry is put back when the hook goes.
#pragma once

#include <windows.h>

#include <cstring>

namespace testsupport {

class ImportHook {
  public:
    ImportHook(const char* dll, const char* function, void* replacement) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        auto* imports = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
        for (; dir.VirtualAddress && imports->Name; ++imports) {
            if (_stricmp(reinterpret_cast<const char*>(base + imports->Name), dll) != 0 ||
                !imports->OriginalFirstThunk) {
                continue;
            }
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imports->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imports->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                    continue;
                }
                auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                    slot_ = reinterpret_cast<void**>(&slots->u1.Function);
                    original_ = *slot_;
                    Write(replacement);
                    return;
                }
            }
        }
    }
    ~ImportHook() {
        if (slot_) {
            Write(original_);
        }
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    bool Installed() const { return slot_ != nullptr; }
    void* Original() const { return original_; }

  private:
    void Write(void* value) {
        DWORD old = 0;
        VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &old);
        *slot_ = value;
        VirtualProtect(slot_, sizeof(void*), old, &old);
    }

    void** slot_ = nullptr;
    void* original_ = nullptr;
};

}  // namespace testsupport
