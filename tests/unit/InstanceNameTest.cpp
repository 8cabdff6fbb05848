#include "app/InstanceName.h"

#include <gtest/gtest.h>

using namespace app;

TEST(InstanceName, IsTheLocalPrefixAndEightUpperCaseHexDigits) {
    EXPECT_EQ(InstanceMutexName(0x8FCB75D6u), u"Local\\Velmora-8FCB75D6");
    EXPECT_EQ(InstanceMutexName(0x0000000Au), u"Local\\Velmora-0000000A");
    EXPECT_EQ(InstanceMutexName(0xFFFFFFFFu), u"Local\\Velmora-FFFFFFFF");
}

TEST(InstanceName, X65599MultipliesAndAddsEachUnit) {
    EXPECT_EQ(HashX65599AsciiFolded(u""), 0u);
    EXPECT_EQ(HashX65599AsciiFolded(u"A"), 65u);
    EXPECT_EQ(HashX65599AsciiFolded(u"AB"), 65u * 65599u + 66u);
    // Measured with ntdll's RtlHashUnicodeString(CaseInSensitive, X65599) under Wine 8.
    EXPECT_EQ(HashX65599AsciiFolded(u"C:\\Users\\x\\AppData\\Local\\Programs\\Velmora\\Velmora.exe"),
              0x8FCB75D6u);
}

TEST(InstanceName, AsciiLettersFoldToUpperCaseOthersStay) {
    EXPECT_EQ(HashX65599AsciiFolded(u"c:\\users\\X\\appdata\\local\\programs\\velmora\\VELMORA.EXE"),
              0x8FCB75D6u);
    EXPECT_NE(HashX65599AsciiFolded(u"C:\\A\\Velmora.exe"), HashX65599AsciiFolded(u"C:\\B\\Velmora.exe"));
    EXPECT_EQ(HashX65599AsciiFolded(u"\u4E2D"), 0x4E2Du);
}
