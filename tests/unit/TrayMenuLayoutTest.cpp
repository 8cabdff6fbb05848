#include "app/TrayMenuLayout.h"

#include <gtest/gtest.h>

using namespace app;

TEST(TrayMenuLayout, ItemMetrics) {
    EXPECT_EQ(MenuItemMetrics(false).width, 80);
    EXPECT_EQ(MenuItemMetrics(false).height, 30);
    EXPECT_EQ(MenuItemMetrics(true).width, 80);
    EXPECT_EQ(MenuItemMetrics(true).height, 20);
}

TEST(SizePresetPosition, CentresOnThePrimaryWorkArea) {
    auto p = SizePresetPosition(100, 1920, 1050, 1024, 768);
    EXPECT_EQ(p.left, 448);
    EXPECT_EQ(p.top, 141);
    // Odd differences truncate.
    p = SizePresetPosition(0, 1366, 738, 1280, 720);
    EXPECT_EQ(p.left, 43);
    EXPECT_EQ(p.top, 9);
}

TEST(SizePresetPosition, ALargerWindowGetsNegativeCoordinatesTruncatedTowardZero) {
    auto p = SizePresetPosition(0, 1024, 735, 1440, 900);
    EXPECT_EQ(p.left, -208);
    EXPECT_EQ(p.top, -82);  // -165 / 2
}

TEST(SizePresetPosition, BeyondTheWorkAreaWidthItCentresOnTheNextMonitor) {
    auto p = SizePresetPosition(2000, 1920, 1050, 1024, 768);
    EXPECT_EQ(p.left, 1920 + 448);
    EXPECT_EQ(SizePresetPosition(1920, 1920, 1050, 1024, 768).left, 448);  // exactly at the edge: not beyond
}

TEST(SitePageAddress, TakesSchemeAndHostOfTheStartAddress) {
    EXPECT_EQ(SitePageAddress("http://exam.example/Login.aspx?x=1", "/Detail.aspx?subjectID=16"),
              "http://exam.example/Detail.aspx?subjectID=16");
    EXPECT_EQ(SitePageAddress("https://exam.example:8443/a/b", "/"), "https://exam.example:8443/");
    EXPECT_EQ(SitePageAddress("exam.example/login", "/"), "http://exam.example/");
    EXPECT_EQ(SitePageAddress("http://exam.example", "/"), "http://exam.example/");
}

TEST(SitePageAddress, NoHostGivesNothing) {
    EXPECT_FALSE(SitePageAddress("", "/"));
    EXPECT_FALSE(SitePageAddress("file:///C:/demo/login.html", "/"));
    EXPECT_FALSE(SitePageAddress("http:///x", "/"));
}
