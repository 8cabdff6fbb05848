#include "config/ValueFields.h"

#include <gtest/gtest.h>

using config::ConvertError;
using config::Fields;
using config::ListIndexError;
using config::SplitFields;
using config::ToInteger;
using Strings = std::vector<std::string>;

TEST(SplitFields, CutsAtCommasAndKeepsPositions) {
    EXPECT_EQ(SplitFields("0,120,120"), (Strings{"0", "120", "120"}));
    EXPECT_EQ(SplitFields("a,,b"), (Strings{"a", "", "b"}));
    EXPECT_EQ(SplitFields(",a"), (Strings{"", "a"}));
    EXPECT_EQ(SplitFields(""), Strings{});
}

TEST(SplitFields, TrailingCommaAddsAnEmptyField) {
    EXPECT_EQ(SplitFields("1,2,"), (Strings{"1", "2", ""}));
    // Only a comma that is the very last character does; one followed by blanks does not.
    EXPECT_EQ(SplitFields("1,2, "), (Strings{"1", "2"}));
}

TEST(SplitFields, BlanksAndControlCharactersAroundFieldsAreDroppedAndEndAField) {
    EXPECT_EQ(SplitFields("  1 ,\t2\r\n, 3  "), (Strings{"1", "2", "3"}));
    // A blank inside an unquoted field ends it: the rest becomes the next field.
    EXPECT_EQ(SplitFields("1 2,3"), (Strings{"1", "2", "3"}));
    EXPECT_EQ(SplitFields("\x01"
                          "7"),
              (Strings{"7"}));
}

TEST(SplitFields, DoubleQuotesAreRemoved) {
    EXPECT_EQ(SplitFields("\"0\",\"120\",\"120\""), (Strings{"0", "120", "120"}));
    EXPECT_EQ(SplitFields("\"a b\",c"), (Strings{"a b", "c"}));
    EXPECT_EQ(SplitFields("\"say \"\"hi\"\"\""), (Strings{"say \"hi\""}));
    // An unterminated quote takes the rest of the text.
    EXPECT_EQ(SplitFields("\"1,2"), (Strings{"1,2"}));
    // Text straight after a closing quote starts a new field.
    EXPECT_EQ(SplitFields("\"1\"2"), (Strings{"1", "2"}));
}

TEST(SplitFields, StopsAtAZeroByte) {
    EXPECT_EQ(SplitFields(std::string("1,2\0,3", 6)), (Strings{"1", "2"}));
}

TEST(SplitFields, BytesAboveAsciiBelongToFields) {
    // Chinese text in the system code page (GBK bytes) is field content, never a separator.
    EXPECT_EQ(SplitFields("\xC4\xE3,\xBA\xC3"), (Strings{"\xC4\xE3", "\xBA\xC3"}));
}

TEST(ToInteger, AcceptsDecimalAndHexadecimal) {
    EXPECT_EQ(ToInteger("0"), 0);
    EXPECT_EQ(ToInteger("49242"), 49242);
    EXPECT_EQ(ToInteger("-17"), -17);
    EXPECT_EQ(ToInteger("+5"), 5);
    EXPECT_EQ(ToInteger("  42"), 42);
    EXPECT_EQ(ToInteger("$78"), 120);
    EXPECT_EQ(ToInteger("0x78"), 120);
    EXPECT_EQ(ToInteger("2147483647"), 2147483647);
    EXPECT_EQ(ToInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(ToInteger("$FFFFFFFF"), -1);
}

TEST(ToInteger, RejectsEverythingElseWithTheConversionMessage) {
    for (const char* bad :
         {"", " ", "12a", "1 ", "1.5", "abc", "-", "$", "0x", "2147483648", "$100000000", "F9"}) {
        try {
            ToInteger(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConvertError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

TEST(Fields, ReadsByPositionAndReportsAMissingIndex) {
    Fields fields("0,120");
    EXPECT_EQ(fields.Count(), 2u);
    EXPECT_EQ(fields.Integer(1), 120);
    try {
        fields.At(2);
        ADD_FAILURE();
    } catch (const ListIndexError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (2)");
    }
    EXPECT_THROW(Fields("").At(0), ListIndexError);
}
