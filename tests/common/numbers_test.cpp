#include "common/errors.h"
#include "common/float_text.h"
#include "common/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

TEST(ParseDecimal, AcceptsExactlyTheDecimalGrammar)
{
    struct Case
    {
        const char* Text;
        std::optional<double> Expected;
    };
    const Case cases[] = {
        {"0", 0.0},
        {"-2.5", -2.5},
        {"+3", 3.0},
        {"5.", 5.0},
        {".5", 0.5},
        {"1e3", 1000.0},
        {"1.5E-2", 0.015},
        {"  42  ", 42.0},
        {"007", 7.0},
        {"", std::nullopt},
        {" ", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"e5", std::nullopt},
        {"nan", std::nullopt},
        {"inf", std::nullopt},
        {"Infinity", std::nullopt},
        {"0x1p3", std::nullopt},
        {"1,5", std::nullopt},
        {"2.4m", std::nullopt},
        {"1 2", std::nullopt},
        {"\t1", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDecimal(c.Text), c.Expected) << "text: [" << c.Text << "]";
}

TEST(ParseDecimal, PointIsADotWhateverTheLocale)
{
    // A locale with a decimal comma, when the machine has one.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
    {
        EXPECT_EQ(ParseDecimal("2.5"), 2.5);
        EXPECT_EQ(ParseDecimal("2,5"), std::nullopt);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ParseDecimal, ValuesBeyondTheRangesNarrowToInfinityOrZero)
{
    EXPECT_EQ(ToSingle(*ParseDecimal("1e39")), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ToSingle(*ParseDecimal("-1e39")), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(*ParseDecimal("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(*ParseDecimal("1e-400"), 0.0);
    EXPECT_EQ(ToSingle(*ParseDecimal("3.4028234e38")), std::numeric_limits<float>::max());
}

TEST(ReadReal, StrictRaisesTheConversionErrorAndLenientFallsBack)
{
    EXPECT_EQ(ReadRealStrict("12.5"), 12.5);
    try
    {
        ReadRealStrict("12a");
        FAIL() << "no error";
    }
    catch (const ProgramError& error)
    {
        EXPECT_EQ(error.Kind, ErrorKind::Conversion);
        EXPECT_STREQ(error.what(), "'12a' is not a valid floating point value");
    }
    EXPECT_EQ(ReadRealOr("abc", 123456789), 123456789);
    EXPECT_EQ(ReadRealOr("-0.5", 7), -0.5);
}

TEST(ParseWholeNumber, DecimalAndHexadecimalWithinThirtyTwoBits)
{
    struct Case
    {
        const char* Text;
        std::optional<int32_t> Expected;
    };
    const Case cases[] = {
        {"0", 0},
        {"255", 255},
        {"-12", -12},
        {"+7", 7},
        {"$FF", 255},
        {"0x1f", 31},
        {"0XA", std::nullopt}, // only "$" and a lower-case "0x" open a hexadecimal number
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"2147483648", std::nullopt},
        {"$FFFFFFFF", -1},
        {"$100000000", std::nullopt},
        {"12.5", std::nullopt},
        {"", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"1e2", std::nullopt},
        {"ff", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseWholeNumber(c.Text), c.Expected) << "text: [" << c.Text << "]";
}

TEST(ErrorMessages, ExactTextsAndTheFullStopRule)
{
    EXPECT_STREQ(FileOpenError("temp.txt").what(), "ファイル temp.txt は開けません");
    EXPECT_STREQ(FileCreateError("a.bmp").what(), "ファイル a.bmp を作成できません");
    EXPECT_STREQ(ListIndexError(4).what(), "リストのインデックスが範囲を超えています (4)");
    EXPECT_EQ(WithFullStop(FileOpenError("temp.txt").what()), "ファイル temp.txt は開けません.");
    EXPECT_EQ(WithFullStop(ListIndexError(4).what()), "リストのインデックスが範囲を超えています (4)");
    EXPECT_EQ(WithFullStop(ConversionError("x").what()), "'x' is not a valid floating point value.");
    EXPECT_EQ(WithFullStop("done."), "done.");
    EXPECT_EQ(WithFullStop("wow!"), "wow!");
    EXPECT_EQ(WithFullStop("a,"), "a,");
    EXPECT_EQ(WithFullStop(""), "");
}

TEST(ParseDecimal, RoundsExactlyAsTheFullConversionDoes)
{
    // Short texts take a quicker path; it must give the very same bits as
    // strtod, also at the edges of that path (15 or 16 digits, 1e22 or 1e23).
    std::vector<std::string> texts = {"0.1",
                                      "-0",
                                      "-0.0e5",
                                      "123456789012345",
                                      "1234567890123456",
                                      "12345678901234567890123",
                                      "0.000000000000000000001234",
                                      "9007199254740993",
                                      "1e22",
                                      "1e23",
                                      "4.5e-22",
                                      "4.5e-23",
                                      "000000000000000000000000001.5",
                                      "2.2250738585072011e-308",
                                      "4.9e-324"};
    std::mt19937_64 random(2024);
    for (int i = 0; i < 20000; ++i)
    {
        std::string text = std::to_string(random() % 1000000000) + "." + std::to_string(random() % 100000);
        if (i % 3 == 0)
            text += "e" + std::to_string(static_cast<int>(random() % 60) - 30);
        texts.push_back(i % 2 ? "-" + text : text);
    }
    for (const std::string& text : texts)
    {
        double expected = std::strtod(text.c_str(), nullptr);
        std::optional<double> value = ParseDecimal(text);
        ASSERT_TRUE(value.has_value()) << text;
        EXPECT_EQ(std::memcmp(&*value, &expected, sizeof expected), 0) << text;
    }
}

// Floats written back as text: the shortest that reads back, in either
// notation, and as the double a JSON writer prints as that text.
TEST(FloatText, WritesTheShortestTextThatReadsBack)
{
    struct Case
    {
        float Value;
        const char* Shortest;
        const char* Fixed;
        double Double;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {0.1f, "0.1", "0.1", 0.1},
        {0.93f, "0.93", "0.93", 0.93},
        {-0.0f, "-0", "-0", -0.0},
        {2400, "2400", "2400", 2400},
        {100000, "1e+05", "100000", 100000},
        {-37.7f, "-37.7", "-37.7", -37.7},
        {1e20f, "1e+20", "100000002004087734272", 1e20},
        {1e-7f, "1e-07", "0.0000001", 1e-7},
        {3.4028235e38f, "3.4028235e+38", "340282346638528859811704183484516925440", 3.4028235e38},
        {16777217.0f, "16777216", "16777216", 16777216},
        {inf, "inf", "inf", std::numeric_limits<double>::infinity()},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(ShortestText(c.Value), c.Shortest);
        EXPECT_EQ(ShortestFixedText(c.Value), c.Fixed);
        const double shortest = ShortestDouble(c.Value);
        EXPECT_EQ(std::memcmp(&shortest, &c.Double, sizeof shortest), 0) << c.Shortest;
        EXPECT_EQ(std::strtof(ShortestFixedText(c.Value).c_str(), nullptr), c.Value) << c.Fixed;
    }
    EXPECT_TRUE(std::isnan(ShortestDouble(std::numeric_limits<float>::quiet_NaN())));
}
