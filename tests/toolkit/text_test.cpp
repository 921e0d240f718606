#include "toolkit/text.h"

#include <gtest/gtest.h>

#include "toolkit/runtime_error.h"

namespace dravik {
namespace {

TEST(Text, CounterFormatPadsToThreeDigitsAndKeepsTheSign) {
    EXPECT_EQ(Format000(99), "099");
    EXPECT_EQ(Format000(480), "480");
    EXPECT_EQ(Format000(7), "007");
    EXPECT_EQ(Format000(0), "000");
    EXPECT_EQ(Format000(-1), "-001");
    EXPECT_EQ(Format000(-5), "-005");
    EXPECT_EQ(Format000(1234), "1234");
}

TEST(Text, SignReservingPutsASpaceBeforeNonNegatives) {
    EXPECT_EQ(FormatSignReserving(2), " 2");
    EXPECT_EQ(FormatSignReserving(0), " 0");
    EXPECT_EQ(FormatSignReserving(-3), "-3");
    EXPECT_EQ(FormatPlain(-32768), "-32768");
}

TEST(Text, LeadingNumberReadsWhatTheTextBeginsWith) {
    EXPECT_EQ(TextToInt16(""), 0);
    EXPECT_EQ(TextToInt16("@"), 0);
    EXPECT_EQ(TextToInt16("0"), 0);
    EXPECT_EQ(TextToInt16("8"), 8);
    EXPECT_EQ(TextToInt16("12abc"), 12);
    EXPECT_EQ(TextToInt16("  -7"), -7);
    EXPECT_EQ(TextToInt16("2.5"), 2);  // half to even
    EXPECT_EQ(TextToInt16("3.5"), 4);
    EXPECT_EQ(TextToInt16("x12"), 0);
}

TEST(Text, NumbersOutsideSixteenBitsRaiseOverflow) {
    try {
        TextToInt16("40000");
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kErrOverflow);
        EXPECT_EQ(e.Description(), "Overflow");
    }
}

}  // namespace
}  // namespace dravik
