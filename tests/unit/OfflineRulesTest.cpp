#include "app/OfflineRules.h"

#include <gtest/gtest.h>

using namespace app;

TEST(OfflinePageUrl, EscapesThePathForTheProtocolAndCarriesTheAddressAsHexadecimal) {
    // "C:\Program Files (x86)\考试 #1 100%\Velmora.exe": only ASCII is escaped.
    EXPECT_EQ(OfflinePageUrl("C:\\Program Files (x86)\\考试 #1 100%\\Velmora.exe", "http://a/b?c=d#e"),
              "res://C:%5CProgram%20Files%20%28x86%29%5C考试%20%231%20100%25%5CVelmora.exe"
              "/offline.html#687474703a2f2f612f623f633d642365");
    EXPECT_EQ(OfflinePageUrl("D:\\a-b_c.d~e\\V.exe", "考"),
              "res://D:%5Ca-b_c.d~e%5CV.exe/offline.html#e88083");
}

TEST(IsOfflinePageUrl, TheOfflinePageOfAnyModuleHoweverItsPathIsWritten) {
    EXPECT_TRUE(IsOfflinePageUrl(OfflinePageUrl("C:\\C#\\V.exe", "http://exam.example/")));
    EXPECT_TRUE(
        IsOfflinePageUrl("RES://C:\\C#\\Velmora.exe/OFFLINE.HTML#6874"));  // as a browser may report it
    EXPECT_TRUE(IsOfflinePageUrl("res://C:\\Velmora.exe/offline.html?x"));
    EXPECT_FALSE(IsOfflinePageUrl("http://exam.example/offline.html"));
    EXPECT_FALSE(IsOfflinePageUrl("res://C:\\Velmora.exe/offline.html.bak"));
    EXPECT_FALSE(IsOfflinePageUrl("res://C:\\Velmora.exe/dnserror.htm#offline.html"));
    EXPECT_FALSE(IsOfflinePageUrl("res://offline.html"));
}

TEST(AddressForLog, DropsCredentialsQueryAndFragment) {
    EXPECT_EQ(AddressForLog("https://user:pw@exam.example:8443/a/b?password=x#t"),
              "https://exam.example:8443/a/b");
    EXPECT_EQ(AddressForLog("http://exam.example/mail@box/page"), "http://exam.example/mail@box/page");
    EXPECT_EQ(AddressForLog("http://exam.example?x=@y"), "http://exam.example");
    EXPECT_EQ(AddressForLog("file:///C:/demo/login.html?user=a"), "file:///C:/demo/login.html");
}

TEST(RetrySchedule, AShownWindowTriesAtEveryTickAHiddenOneOncePerHiddenInterval) {
    RetrySchedule schedule(RetryIntervals{});
    EXPECT_EQ(schedule.TickInterval(), 15000u);
    EXPECT_FALSE(schedule.Tick(false));  // not armed
    schedule.Arm();
    EXPECT_TRUE(schedule.Tick(false));
    // Hidden: the fourth tick after the last try, a minute later; arming again counts afresh.
    EXPECT_FALSE(schedule.Tick(true));
    EXPECT_FALSE(schedule.Tick(true));
    schedule.Arm();
    EXPECT_FALSE(schedule.Tick(true));
    EXPECT_FALSE(schedule.Tick(true));
    EXPECT_FALSE(schedule.Tick(true));
    EXPECT_TRUE(schedule.Tick(true));
    EXPECT_FALSE(schedule.Tick(true));
    EXPECT_TRUE(schedule.Tick(false));  // shown again: at once
    schedule.Disarm();
    EXPECT_FALSE(schedule.Tick(false));
}
