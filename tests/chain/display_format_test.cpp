#include "chain/display_format.h"
#include "chain/number_parse.h"
#include "chain/single_precision.h"
#include "chain/typed_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace kestrane {
namespace {

TEST(FormatFixed, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(coordinatePattern(0.0625), "0.062");
    EXPECT_EQ(coordinatePattern(0.1875), "0.188");
    EXPECT_EQ(weightPattern(0.03125), "0.0312");
    EXPECT_EQ(weightPattern(0.09375), "0.0938");
    EXPECT_EQ(misclosurePattern(0.125), "0.12");
    EXPECT_EQ(misclosurePattern(0.375), "0.38");
}

// 2.675 is stored a hair below 2.675, 1.005 a hair below 1.005: the exact
// binary value decides, not the decimal text.
TEST(FormatFixed, RoundsTheExactBinaryValue)
{
    EXPECT_EQ(misclosurePattern(2.675), "2.67");
    EXPECT_EQ(misclosurePattern(1.005), "1.00");
    EXPECT_EQ(coordinatePattern(12.3456), "12.346");
    EXPECT_EQ(packedPattern(45.57), "45.57000");
    EXPECT_EQ(packedPattern(30.5933), "30.59330");
}

TEST(FormatFixed, NoMinusSignOnZero)
{
    EXPECT_EQ(misclosurePattern(-0.001), "0.00");
    EXPECT_EQ(misclosurePattern(-0.0), "0.00");
    EXPECT_EQ(misclosurePattern(-0.00499), "0.00");
    EXPECT_EQ(misclosurePattern(-0.005), "-0.01");  // stored a hair above 0.005
        EXPECT_EQ(formatGeneral(-0.0), "0");
}

TEST(FormatGeneral, ShortestPlainDigits)
{
    EXPECT_EQ(formatGeneral(13679147008.0), "13679147008");
    EXPECT_EQ(formatGeneral(2.5), "2.5");
    EXPECT_EQ(formatGeneral(2), "2");
    EXPECT_EQ(formatGeneral(300), "300");
    EXPECT_EQ(formatGeneral(1e21), "1000000000000000000000");
    EXPECT_EQ(formatRounded(299.996, 2), "300");
    EXPECT_EQ(formatRounded(2.5049, 2), "2.5");
    EXPECT_EQ(formatRounded(-0.004, 2), "0");
    EXPECT_EQ(formatRounded(6.0, 2), "6");
}

TEST(FormatFixed, NeverShowsNotANumber)
{
    EXPECT_EQ(misclosurePattern(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(formatGeneral(std::numeric_limits<double>::infinity()), "");
}

TEST(ParseNumber, LegalForms)
{
    EXPECT_EQ(parseNumber("12.345"), 12.345);
    EXPECT_EQ(parseNumber("-0.3015"), -0.3015);
    EXPECT_EQ(parseNumber("+7"), 7);
    EXPECT_EQ(parseNumber(".5"), 0.5);
    EXPECT_EQ(parseNumber("5."), 5);
    EXPECT_EQ(parseNumber("1e5"), 100000);
    EXPECT_EQ(parseNumber("2.5E-3"), 0.0025);
    EXPECT_EQ(parseNumber(" \t42  "), 42);
    EXPECT_EQ(parseNumber("00"), 0);
    EXPECT_EQ(parseNumber("1e308"), 1e308);
}

TEST(ParseNumber, IllegalForms)
{
    for (const char* text : {"", "   ", "abc", ".", "-", "+.", "1,5", "0x10", "inf", "nan", "1e", "1e+",
                             "12 3", "1.2.3", "--1", "1e400", "-1e400", "1" "000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000000000000000000000000000000000"
                             "000000000000000000000000000000000000000000000000000", "1e9999999999999999999999"})
        EXPECT_FALSE(parseNumber(text).has_value()) << '"' << text << '"';
}

TEST(ParseNumber, BelowRangeReadsAsZero)
{
    EXPECT_EQ(parseNumber("1e-400"), 0);
    EXPECT_EQ(parseNumber("-1e-400"), 0);
    EXPECT_TRUE(std::signbit(*parseNumber("-1e-400")));
    EXPECT_GT(*parseNumber("1e-320"), 0);  // subnormal, still a value
    EXPECT_EQ(parseNumber("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(parseNumber("1e-9999999999999999999999"), 0);
}

TEST(TypedNumber, KeepsTextAndValue)
{
    const auto typed = TypedNumber::fromText("012.50");
    EXPECT_EQ(typed.text, "012.50");
    EXPECT_EQ(typed.value, 12.5);
    const auto computed = TypedNumber::fromValue(45.57);
    EXPECT_EQ(computed.text, "45.57");
    EXPECT_EQ(computed.value, 45.57);
}

}  // namespace
}  // namespace kestrane

namespace kestrane {
namespace {

TEST(ToSingle, RoundsLikeIeeeAtTheEndOfTheRange)
{
    const double largest = std::numeric_limits<float>::max();
    EXPECT_EQ(toSingle(2.5), 2.5f);
    EXPECT_EQ(toSingle(largest), std::numeric_limits<float>::max());
    EXPECT_EQ(toSingle(largest * (1 + 1e-9)), std::numeric_limits<float>::max());  // within half a step
    EXPECT_EQ(toSingle(1e300), std::numeric_limits<float>::infinity());
    EXPECT_EQ(toSingle(-1e300), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(toSingle(std::nan(""))));
    EXPECT_EQ(singleMillimetres(0.00123f), toSingle(1000 * double(0.00123f)));
}

}  // namespace
}  // namespace kestrane
