// The offline page as the program carries it: an HTML resource of Velmora.exe and of this test
// program (which carries the same resources), found through the res:// address the window builds.
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/OfflinePage.h"
#include "base/Handles.h"
#include "base/Text.h"
#include "support/TestFiles.h"

namespace {

struct ModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static void Free(HMODULE module) { FreeLibrary(module); }
};
using UniqueModule = base::Unique<HMODULE, ModuleTraits>;

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, wcsrchr(path, L'\\') + 1);
}

// The bytes of an HTML resource (type 23) of a module; empty when it has none.
std::string PageIn(const std::wstring& modulePath, const std::wstring& name = L"offline.html") {
    UniqueModule module(LoadLibraryExW(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    HRSRC found = module ? FindResourceW(module.Get(), name.c_str(), MAKEINTRESOURCEW(23)) : nullptr;
    HGLOBAL data = found ? LoadResource(module.Get(), found) : nullptr;
    return data ? std::string(static_cast<const char*>(LockResource(data)),
                              SizeofResource(module.Get(), found))
                : std::string();
}

// What the res protocol opens: it unescapes the address, takes the module's path up to the first
// slash and the resource's name up to the fragment.
std::string PageAt(std::wstring address, std::wstring* modulePath) {
    std::vector<wchar_t> text(address.begin() + 6, address.end());
    text.push_back(L'\0');
    UrlUnescapeW(text.data(), nullptr, nullptr, URL_UNESCAPE_INPLACE);
    const std::wstring rest = text.data();
    *modulePath = rest.substr(0, rest.find(L'/'));
    const std::wstring name = rest.substr(rest.find(L'/') + 1);
    return PageIn(*modulePath, name.substr(0, name.find(L'#')));
}

}  // namespace

TEST(OfflinePageResource, IsUtf8HtmlWithItsCharsetAndTheRetryLinkInBothPrograms) {
    const std::string page = PageIn(OwnFolder() + L"win32_tests.exe");
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(PageIn(OwnFolder() + L"Velmora.exe", L"OFFLINE.HTML"), page);
    EXPECT_GT(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, page.data(), static_cast<int>(page.size()),
                                  nullptr, 0),
              0);
    // The declaration is in the head, within the first 1024 bytes, where browsers look for it.
    const size_t charset =
        page.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
    EXPECT_LT(charset, 1024u);
    EXPECT_LT(charset, page.find("</head>"));
    EXPECT_NE(page.find("<a id=\"retry\" href=\"#\">重试</a>"), std::string::npos);
    EXPECT_NE(page.find("无法连接到平台"), std::string::npos);
    EXPECT_NE(page.find("请检查网络"), std::string::npos);
}

TEST(OfflinePageResource, TheAddressOpensThePageFromAFolderOfAnyName) {
    testsupport::TempFolder temp;
    // Chinese, a letter outside the ANSI code page, and characters that mean something in an address.
    const std::wstring folder = base::AnsiToWide(temp.Path()) + L"离线 ő #1 100% (x86)";
    const std::wstring copy = folder + L"\\Velmora.exe";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW((OwnFolder() + L"Velmora.exe").c_str(), copy.c_str(), TRUE));
    const std::string expected = PageIn(copy);
    ASSERT_FALSE(expected.empty());

    std::wstring module;
    EXPECT_EQ(PageAt(base::Utf8ToWide(app::OfflinePageUrl(base::WideToUtf8(copy), "http://a/")), &module),
              expected);
    EXPECT_EQ(module, copy);
    EXPECT_EQ(PageAt(app::OfflinePageAddress(L"http://exam.example/"), &module), expected);
    EXPECT_EQ(module, OwnFolder() + L"win32_tests.exe");
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}
