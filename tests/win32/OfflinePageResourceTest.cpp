// The offline page as the program carries it: an HTML resource of Velmora.exe (and of this test
// program, which carries the same resources), found through the res:// address the main window
// builds. There is no HTML engine here, so the page's own script runs in the real JScript engine
// against plain script objects that stand in for the few document objects it touches.
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScriptEngine.h"
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

const LPCWSTR kHtmlResource = MAKEINTRESOURCEW(23);  // RT_HTML

std::wstring OwnPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

UniqueModule OpenForResources(const std::wstring& path) {
    return UniqueModule(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

// The page's bytes in a module; empty when it has none.
std::string PageIn(HMODULE module, LPCWSTR name = L"offline.html") {
    HRSRC found = FindResourceW(module, name, kHtmlResource);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data ? std::string(static_cast<const char*>(data), SizeofResource(module, found)) : std::string();
}

std::string OwnPage() {
    return PageIn(GetModuleHandleW(nullptr));
}

// Opens a res:// address the way the protocol does: it unescapes the address, takes the module's path
// up to the first slash and the resource's name up to a fragment, loads the module as data and looks
// the name up among its HTML resources.
std::string OpenResAddress(const std::wstring& address, std::wstring* modulePath) {
    std::wstring rest = address.substr(6);
    std::vector<wchar_t> buffer(rest.begin(), rest.end());
    buffer.push_back(L'\0');
    UrlUnescapeW(buffer.data(), nullptr, nullptr, URL_UNESCAPE_INPLACE);
    rest = buffer.data();
    *modulePath = rest.substr(0, rest.find(L'/'));
    std::wstring name = rest.substr(rest.find(L'/') + 1);
    name = name.substr(0, name.find(L'#'));
    UniqueModule module = OpenForResources(*modulePath);
    return module ? PageIn(module.Get(), name.c_str()) : std::string();
}

}  // namespace

TEST(OfflinePageResource, VelmoraAndThisTestProgramCarryTheSamePage) {
    const std::string own = OwnPage();
    ASSERT_FALSE(own.empty());
    const std::wstring own_path = OwnPath();
    UniqueModule velmora = OpenForResources(own_path.substr(0, own_path.rfind(L'\\') + 1) + L"Velmora.exe");
    ASSERT_TRUE(velmora);
    EXPECT_EQ(PageIn(velmora.Get()), own);
    EXPECT_EQ(PageIn(velmora.Get(), L"OFFLINE.HTML"), own);  // names match whatever their case
}

TEST(OfflinePageResource, IsUtf8HtmlThatDeclaresItsCharsetAndOffersTheRetryLink) {
    const std::string page = OwnPage();
    ASSERT_FALSE(page.empty());
    EXPECT_GT(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, page.data(), static_cast<int>(page.size()),
                                  nullptr, 0),
              0);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);  // no byte-order mark before it
    // The declaration is in the head, within the first 1024 bytes, where browsers look for it.
    const size_t charset =
        page.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
    EXPECT_LT(charset, 1024u);
    EXPECT_LT(charset, page.find("</head>"));
    EXPECT_LT(page.find("</head>"), page.find("<body>"));
    EXPECT_NE(page.find("<a id=\"retry\" href=\"#\">重试</a>"), std::string::npos);
    EXPECT_NE(page.find("无法连接到平台"), std::string::npos);
    EXPECT_NE(page.find("请检查网络"), std::string::npos);
    // One script of its own, and nothing fetched from anywhere.
    EXPECT_EQ(page.find("<script", page.find("<script") + 1), std::string::npos);
    for (const char* outside :
         {"src=", "url(", "@import", "<link", "<iframe", "<img", "innerHTML", "eval("}) {
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    }
}

TEST(OfflinePageResource, TheAddressOpensThePageFromAFolderOfAnyName) {
    testsupport::TempFolder temp;
    // Chinese, a letter outside the ANSI code page, and the characters that mean something in an address.
    const std::wstring folder = base::AnsiToWide(temp.Path()) + L"离线 考试 ő #1 100% (x86)";
    const std::wstring copy = folder + L"\\Velmora.exe";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring own = OwnPath();
    ASSERT_TRUE(
        CopyFileW((own.substr(0, own.rfind(L'\\') + 1) + L"Velmora.exe").c_str(), copy.c_str(), TRUE));

    const std::wstring address =
        base::Utf8ToWide(app::OfflinePageUrl(base::WideToUtf8(copy), "http://exam.example/login.aspx"));
    std::wstring module;
    EXPECT_EQ(OpenResAddress(address, &module), OwnPage());
    EXPECT_EQ(module, copy);
    // This program's own address opens its own page.
    EXPECT_EQ(OpenResAddress(app::OfflinePageAddress(L"http://exam.example/"), &module), OwnPage());
    EXPECT_EQ(module, own);

    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

namespace {

// The page's script, run with window.location.href set to the page's address and the document's
// elements played by plain objects: getElementById, createTextNode, appendChild, style and href are
// all the script uses.
class OfflinePageScriptTest : public ::testing::Test {
  protected:
    void Open(const std::string& failedUrl) {
        OpenAt(app::OfflinePageUrl("C:\\Velmora\\Velmora.exe", failedUrl));
    }
    void OpenAt(const std::string& href) {
        const std::string page = OwnPage();
        const std::string open = "<script type=\"text/javascript\">";
        const size_t start = page.find(open) + open.size();
        const std::string script = page.substr(start, page.find("</script>") - start);
        engine_ = std::make_unique<testsupport::ScriptEngine>();
        ASSERT_TRUE(engine_->Ready());
        ASSERT_EQ(engine_->Run(base::Utf8ToWide(
                      "var window = { location: { href: '" + href +
                      "' } };"
                      "function Element() { this.style = {}; this.children = []; }"
                      "Element.prototype.appendChild = function (node) { this.children.push(node); };"
                      "var elements = { address: new Element(), retry: new Element() };"
                      "elements.retry.href = '#';"
                      "var document = { getElementById: function (id) { return elements[id]; },"
                      "                 createTextNode: function (text) { return { text: text }; } };")),
                  S_OK);
        ASSERT_EQ(engine_->Run(base::Utf8ToWide(script)), S_OK);
    }
    std::wstring Text(const wchar_t* expression) { return engine_->Text(expression); }
    void ExpectNothingOffered(const std::string& what) {
        EXPECT_EQ(Text(L"elements.retry.href"), L"#") << what;
        EXPECT_EQ(Text(L"elements.retry.style.display"), L"none") << what;
        EXPECT_EQ(Text(L"elements.address.style.display"), L"none") << what;
        EXPECT_EQ(Text(L"elements.address.children.length"), L"0") << what;
    }

    std::unique_ptr<testsupport::ScriptEngine> engine_;
};

}  // namespace

TEST_F(OfflinePageScriptTest, ShowsTheAddressAsTextWithoutQueryAndUserAndLinksBackToItAsItWas) {
    const std::string failed = "http://bob:pw@exam.example/考试/<b>&\"x\".aspx?ticket=1#top";
    Open(failed);
    EXPECT_EQ(Text(L"elements.retry.href"), base::Utf8ToWide(failed));
    EXPECT_EQ(Text(L"elements.address.children.length"), L"1");
    EXPECT_EQ(Text(L"elements.address.children[0].text"), L"http://exam.example/考试/<b>&\"x\".aspx");
    EXPECT_EQ(Text(L"typeof elements.address.innerHTML"), L"undefined");  // text, never markup
    EXPECT_EQ(Text(L"typeof elements.retry.style.display"), L"undefined");
}

TEST_F(OfflinePageScriptTest, FollowsOnlyWebAndFileAddresses) {
    Open("file:///C:/demo/login.html");
    EXPECT_EQ(Text(L"elements.retry.href"), L"file:///C:/demo/login.html");
    Open("HTTPS://exam.example/");
    EXPECT_EQ(Text(L"elements.retry.href"), L"HTTPS://exam.example/");
    for (const char* failed : {"javascript:alert(1)", "vbscript:msgbox(1)", "data:text/html,<b>x</b>", ""}) {
        Open(failed);
        ExpectNothingOffered(failed);
    }
    for (const char* href : {"res://C:%5CV.exe/offline.html", "res://C:%5CV.exe/offline.html#zz",
                             "res://C:%5CV.exe/offline.html#687", "res://C:%5CV.exe/offline.html#c3"}) {
        OpenAt(href);  // no fragment, not hexadecimal, half a byte, not UTF-8
        ExpectNothingOffered(href);
    }
}
