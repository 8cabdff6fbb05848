#include "config/IniText.h"

#include <gtest/gtest.h>
#include <utility>

using config::AnsiCodePage;
using config::DetectIniEncoding;
using config::FindIniValue;
using config::IniAssignment;
using config::IniEncoding;
using config::SetIniValue;
using namespace std::string_literals;

namespace {

// A stand-in for code page 936: lead bytes 0x81 to 0xFE; "中" is D6 D0, everything else is ASCII.
AnsiCodePage Gbk() {
    AnsiCodePage page;
    page.encode = [](std::u16string_view text) {
        std::string out;
        for (char16_t c : text) {
            out += c == u'中' ? std::string("\xD6\xD0") : std::string(1, static_cast<char>(c));
        }
        return out;
    };
    page.isLeadByte = [](unsigned char b) { return b >= 0x81 && b <= 0xFE; };
    return page;
}

std::string Set(std::string_view file, std::u16string section, std::u16string key, std::u16string value) {
    auto edited =
        SetIniValue(file, IniAssignment{std::move(section), std::move(key), std::move(value)}, Gbk());
    return edited ? *edited : "<unchanged>";
}

std::string Utf16(std::u16string_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
        bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return bytes;
}

}  // namespace

TEST(IniText, AnExistingKeyGetsTheNewValueAndItsLineKeepsItsShape) {
    EXPECT_EQ(
        Set("[Orvane]\r\nDirectUrl=x\r\n  TipTimeOut =  5 \t\r\n; end\r\n", u"Orvane", u"TipTimeOut", u"10"),
        "[Orvane]\r\nDirectUrl=x\r\n  TipTimeOut =  10 \t\r\n; end\r\n");
    // An empty value and a key line without "=".
    EXPECT_EQ(Set("[Orvane]\nTipTimeOut=\n", u"Orvane", u"TipTimeOut", u"10"), "[Orvane]\nTipTimeOut=10\n");
    EXPECT_EQ(Set("[Orvane]\nTipTimeOut  \nX=1", u"Orvane", u"TipTimeOut", u"10"),
              "[Orvane]\nTipTimeOut=10  \nX=1");
    // Blanks before the value are dropped, as the system's writer drops them.
    EXPECT_EQ(Set("[S]\r\nk=1\r\n", u"S", u"k", u"  2"), "[S]\r\nk=2\r\n");
    // The same value already there: nothing to write.
    EXPECT_EQ(Set("[S]\r\nk = 2 \r\n", u"S", u"k", u"2"), "<unchanged>");
}

TEST(IniText, SectionsAndKeysMatchInAnyLetterCaseAndOnlyTheFirstOfDuplicatesCounts) {
    EXPECT_EQ(Set("[orvane]\r\ntiptimeout=1\r\n", u"Orvane", u"TipTimeOut", u"10"),
              "[orvane]\r\ntiptimeout=10\r\n");
    EXPECT_EQ(Set("[S]\r\nk=1\r\nk=2\r\n", u"S", u"k", u"3"), "[S]\r\nk=3\r\nk=2\r\n");
    // The key only in a later section of the same name: added to the first one, as the system does.
    EXPECT_EQ(Set("[S]\r\na=1\r\n[T]\r\n[s]\r\nk=2\r\n", u"S", u"k", u"3"),
              "[S]\r\na=1\r\nk=3\r\n[T]\r\n[s]\r\nk=2\r\n");
    // Blanks inside the brackets and text after them do not count; a comment is no key.
    EXPECT_EQ(Set("[ S ] note\r\n;k=1\r\n", u"S", u"k", u"3"), "[ S ] note\r\n;k=1\r\nk=3\r\n");
}

TEST(IniText, ANewKeyGoesAfterTheSectionsLastNonBlankLine) {
    EXPECT_EQ(Set("[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n", u"S", u"k", u"v"),
              "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\nb=2\r\n");
    EXPECT_EQ(Set("[S]\r\n\r\n", u"S", u"k", u"v"), "[S]\r\nk=v\r\n\r\n");
    // A last line without a line end gets one first.
    EXPECT_EQ(Set("[S]\r\na=1", u"S", u"k", u"v"), "[S]\r\na=1\r\nk=v\r\n");
    // "[S" is no header: it is an entry of the section before it.
    EXPECT_EQ(Set("[S]\r\n[T\r\n", u"S", u"k", u"v"), "[S]\r\n[T\r\nk=v\r\n");
    // Lines before the first header are not in any named section.
    EXPECT_EQ(Set("k=1\r\n[S]\r\n", u"S", u"k", u"v"), "k=1\r\n[S]\r\nk=v\r\n");
}

TEST(IniText, ANewSectionGoesAtTheEndWithTheFilesLineEnds) {
    EXPECT_EQ(Set("", u"S", u"k", u"v"), "[S]\r\nk=v\r\n");
    EXPECT_EQ(Set("[T]\na=1\n", u"S", u"k", u"v"), "[T]\na=1\n[S]\nk=v\n");
    EXPECT_EQ(Set("[T]\ra=1\r", u"S", u"k", u"v"), "[T]\ra=1\r[S]\rk=v\r");
    EXPECT_EQ(Set("[T]\na=1", u"S", u"k", u"v"), "[T]\na=1\n[S]\nk=v\n");
    EXPECT_EQ(Set("; only a comment", u"S", u"k", u"v"), "; only a comment\r\n[S]\r\nk=v\r\n");
}

TEST(IniText, EveryOtherByteStaysAsItWas) {
    // UTF-8 without a mark, a zero inside another value, ^Z and form feeds: all kept.
    const std::string before = "[Orvane]\r\nDirectUrl=http://h/\xE4\xB8\xAD\r\nOther=a\0b\r\n\x0C\r\n\x1A"s;
    EXPECT_EQ(Set(before, u"Orvane", u"TipTimeOut", u"10"),
              "[Orvane]\r\nDirectUrl=http://h/\xE4\xB8\xAD\r\nOther=a\0b\r\nTipTimeOut=10\r\n\x0C\r\n\x1A"s);
}

TEST(IniText, EncodingsFollowTheByteOrderMark) {
    EXPECT_EQ(DetectIniEncoding("\xEF\xBB\xBF[S]"), IniEncoding::Utf8);
    EXPECT_EQ(DetectIniEncoding("\xFF\xFE["), IniEncoding::Utf16Le);
    EXPECT_EQ(DetectIniEncoding("\xFE\xFF"), IniEncoding::Utf16Be);
    EXPECT_EQ(DetectIniEncoding("[S]"), IniEncoding::Ansi);
    // Without a mark the value is in the code page; with the UTF-8 mark it is UTF-8.
    EXPECT_EQ(Set("[S]\r\n", u"S", u"k", u"中"), "[S]\r\nk=\xD6\xD0\r\n");
    EXPECT_EQ(Set("\xEF\xBB\xBF[S]\r\n", u"S", u"k", u"中"), "\xEF\xBB\xBF[S]\r\nk=\xE4\xB8\xAD\r\n");
    // UTF-16 in either byte order, an odd last byte left at the end.
    EXPECT_EQ(Set(Utf16(u"[S]\r\nk=1\r\n"), u"S", u"k", u"中2"), Utf16(u"[S]\r\nk=中2\r\n"));
    EXPECT_EQ(Set(Utf16(u"[T]\n", true), u"s", u"k", u"v"), Utf16(u"[T]\n[s]\nk=v\n", true));
    EXPECT_EQ(Set(Utf16(u"[S]\r\n") + "!", u"S", u"k", u"v"), Utf16(u"[S]\r\nk=v\r\n") + "!");
}

TEST(IniText, TwoByteCharactersAreNeverTakenForBracketsOrLetters) {
    // B0 5D is one character whose second byte is "]": the header is "[S]", not "[S]\xB0]".
    EXPECT_EQ(Set("[S]\xB0\x5D\r\nk=1\r\n", u"S", u"k", u"2"), "[S]\xB0\x5D\r\nk=2\r\n");
    // 81 4B is one character, not "K": "\x81K" is no key named "\x81k".
    EXPECT_EQ(Set("[S]\r\n\x81K=1\r\n", u"S", u"\x81k", u"2"), "[S]\r\n\x81K=1\r\n\x81k=2\r\n");
    EXPECT_EQ(Set("[S]\r\nK=1\r\n", u"S", u"k", u"2"), "[S]\r\nK=2\r\n");
    // A stray lead byte before a line end leaves the line end alone.
    EXPECT_EQ(Set("[S]\r\na=\xB0\r\n", u"S", u"k", u"v"), "[S]\r\na=\xB0\r\nk=v\r\n");
}

TEST(IniText, FindReadsWhatTheSystemsReaderWould) {
    const AnsiCodePage page = Gbk();
    EXPECT_EQ(FindIniValue("[s]\r\nK =  v 1 \r\n", {u"S", u"k", u""}, page), "v 1");
    EXPECT_EQ(FindIniValue("[S]\r\nk=a\0b\r\n"s, {u"S", u"k", u""}, page), "a");
    EXPECT_FALSE(FindIniValue("[S]\r\nk\r\n", {u"S", u"k", u""}, page));
    EXPECT_FALSE(FindIniValue("[T]\r\nk=1\r\n", {u"S", u"k", u""}, page));
    EXPECT_EQ(FindIniValue(Utf16(u"[S]\r\nk=v"), {u"S", u"k", u""}, page), std::string("v\0", 2));
}
