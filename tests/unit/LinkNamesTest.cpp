#include "config/LinkNames.h"

#include <gtest/gtest.h>

using namespace config;

TEST(LinkNames, LnkIsAppendedUnlessTheExtensionIsExactlyLnk) {
    EXPECT_EQ(WithLinkExtension(L"C:\\Startup\\Velmora"), L"C:\\Startup\\Velmora.lnk");
    EXPECT_EQ(WithLinkExtension(L"C:\\Startup\\Velmora.lnk"), L"C:\\Startup\\Velmora.lnk");
    // The comparison is case-sensitive, and only the last extension counts.
    EXPECT_EQ(WithLinkExtension(L"C:\\Startup\\Velmora.LNK"), L"C:\\Startup\\Velmora.LNK.lnk");
    EXPECT_EQ(WithLinkExtension(L"C:\\Startup\\Velmora.lnk.bak"), L"C:\\Startup\\Velmora.lnk.bak.lnk");
    EXPECT_EQ(WithLinkExtension(L"C:\\Start.up\\Velmora.exe"), L"C:\\Start.up\\Velmora.exe.lnk");
    EXPECT_EQ(WithLinkExtension(L""), L".lnk");
}

TEST(LinkNames, ADotBeforeTheLastBackslashOrDriveColonIsNoExtension) {
    EXPECT_EQ(LinkExtension(L"C:\\links.lnk\\Velmora"), L"");
    EXPECT_EQ(WithLinkExtension(L"C:\\links.lnk\\Velmora"), L"C:\\links.lnk\\Velmora.lnk");
    EXPECT_EQ(LinkExtension(L"a.lnk:Velmora"), L"");
    EXPECT_EQ(LinkExtension(L"C:.lnk"), L".lnk");
    EXPECT_EQ(LinkExtension(L"C:\\Velmora."), L".");
    EXPECT_EQ(LinkExtension(L".lnk"), L".lnk");
}

TEST(LinkNames, AnUnresolvedFolderGivesNoPathAtAll) {
    EXPECT_EQ(PathInFolder(L"C:\\Users\\u\\Desktop", kShortcutName), L"C:\\Users\\u\\Desktop\\Velmora");
    // Never "\Velmora", which would land at the root of the current drive.
    EXPECT_EQ(PathInFolder(L"", kShortcutName), L"");
}
