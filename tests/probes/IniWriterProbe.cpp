// A program that only writes one INI value, again and again, alternating between "1" and "22", so
// that a test can kill it at any moment of a write. Before its first write it creates
// "<file>.started"; a write that fails ends it with code 1.
//   ini_writer_probe <file>
#include <windows.h>

#include <string>

#include "base/Error.h"
#include "base/Handles.h"
#include "config/IniFile.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::wstring path = argv[1];
    base::UniqueFile marker(CreateFileW((path + L".started").c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    marker.Reset();
    try {
        for (unsigned i = 0;; ++i) {
            config::WriteIniFileValue(path, "Orvane", "TipTimeOut", i % 2 ? "1" : "22");
        }
    } catch (const base::Error&) {
        return 1;
    }
}
