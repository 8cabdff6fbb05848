#include "webhost/ScriptText.h"

#include <gtest/gtest.h>

#include "webhost/HostKeys.h"

using webhost::FrameMethodScript;
using webhost::PanelHandlerScript;
using webhost::RemoveBrackets;

TEST(ScriptText, FrameMethodIsCalledWithTheArgumentText) {
    EXPECT_EQ(FrameMethodScript("f", "1,2"), "(f)(1,2);");
    EXPECT_EQ(FrameMethodScript("f", ""), "(f)();");
    EXPECT_EQ(FrameMethodScript("top.frames['main'].Show", "'a', \"b\""),
              "(top.frames['main'].Show)('a', \"b\");");
    // Taken as they are: nothing is escaped or trimmed.
    EXPECT_EQ(FrameMethodScript(" g ", " x)"), "( g )( x));");
    EXPECT_EQ(FrameMethodScript("", ""), "()();");
}

TEST(ScriptText, BracketsAreRemovedEverywhereOpeningFirst) {
    EXPECT_EQ(RemoveBrackets("[1,[2,3]]"), "1,2,3");
    EXPECT_EQ(RemoveBrackets("[]"), "");
    EXPECT_EQ(RemoveBrackets("][]["), "");
    EXPECT_EQ(RemoveBrackets("[\"a[0]\",\"b]\"]"), "\"a0\",\"b\"");
    EXPECT_EQ(RemoveBrackets("no brackets"), "no brackets");
    EXPECT_EQ(RemoveBrackets(""), "");
    // ANSI bytes of the system code page pass unchanged (\xBF\xBC\xCA\xD4 is Chinese in code page 936).
    EXPECT_EQ(RemoveBrackets("[\"\xBF\xBC\xCA\xD4\"]"), "\"\xBF\xBC\xCA\xD4\"");
}

TEST(ScriptText, PanelHandlerGetsTheListAsItsArguments) {
    EXPECT_EQ(PanelHandlerScript("[1,[2,3]]"), "(Api.ExecPanelHandler)(1,2,3);");
    EXPECT_EQ(PanelHandlerScript("[]"), "(Api.ExecPanelHandler)();");
    EXPECT_EQ(PanelHandlerScript("[\"open\",\"exam\"]"), "(Api.ExecPanelHandler)(\"open\",\"exam\");");
    EXPECT_EQ(PanelHandlerScript("42"), "(Api.ExecPanelHandler)(42);");
}

TEST(HostKeys, OnlyCtrlNWithoutShiftAndAltIsSwallowed) {
    EXPECT_TRUE(webhost::HostSwallowsKey(0x4E, true, false, false));
    EXPECT_FALSE(webhost::HostSwallowsKey(0x4E, true, true, false));
    EXPECT_FALSE(webhost::HostSwallowsKey(0x4E, true, false, true));
    EXPECT_FALSE(webhost::HostSwallowsKey(0x4E, true, true, true));
    EXPECT_FALSE(webhost::HostSwallowsKey(0x4E, false, false, false));
    EXPECT_FALSE(webhost::HostSwallowsKey('n', true, false, false));  // a character code, not the key
    EXPECT_FALSE(webhost::HostSwallowsKey(0x4F, true, false, false));
    EXPECT_FALSE(webhost::HostSwallowsKey(0x14E, true, false, false));
}
