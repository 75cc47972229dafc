#include "state/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <optional>
#include <string>

namespace zq6::test
{
namespace
{
using namespace numbertext;

constexpr auto infinity = std::numeric_limits<double>::infinity();
constexpr auto notANumber = std::numeric_limits<double>::quiet_NaN();

struct FloatTextCase
{
    float value;
    const char* text;
};

// The fewest digits that read back, in plain notation unless the exponent form is shorter.
const FloatTextCase floatTextCases[] = {
    { 0.1f, "0.1" },        { 1.0f / 3.0f, "0.33333334" }, { 2.0f, "2" },
    { 20000.0f, "20000" },  { 110.0f, "110" },         { 0.3f, "0.3" },
    { -0.5f, "-0.5" },      { 1.0e-7f, "1e-07" },          { 16777216.0f, "16777216" },
    { static_cast<float>(infinity), "0" }, { static_cast<float>(notANumber), "0" },
};

struct SlotTextCase
{
    double value;
    const char* text;
};

const SlotTextCase slotTextCases[] = {
    { 0.5, "0.5" }, { 2.0, "2.0" }, { 20000.0, "20000.0" }, { 1.0 / 3.0, "0.3333333333333333" }, { 0.1, "0.1" },
    { -3.0, "-3.0" }, { 1.0e20, "1e+20" }, { infinity, "0.0" }, { notANumber, "0.0" },
};

struct ReadCase
{
    const char* text;
    std::optional<double> value;
};

const ReadCase integerReadCases[] = {
    { "42", 42.0 },          { "-7", -7.0 },   { "0", 0.0 },       { "2147483647", 2147483647.0 },
    { "-2147483648", -2147483648.0 },          { "2147483648", {} }, { "-2147483649", {} },
    { "+1", {} },            { " 1", {} },     { "1 ", {} },       { "", {} },
    { "-", {} },             { "1.0", {} },    { "0x10", {} },
};

const ReadCase floatReadCases[] = {
    { "1e3", 1000.0 }, { "-0.5", -0.5 },  { "2.5E-1", 0.25 }, { "7", 7.0 },     { "1e+2", 100.0 },
    { "+1", {} },      { " 1", {} },      { "1 ", {} },       { "1.", {} },     { ".5", {} },
    { "1e", {} },      { "inf", {} },     { "nan", {} },      { "1e39", {} },   { "3.4028236e38", {} }, { "1,5", {} },
    { "0x1", {} },     { "", {} },        { "--1", {} },
};

const ReadCase slotReadCases[] = {
    { "0.25", 0.25 }, { " 0.25 ", 0.25 }, { "+0.5", 0.5 }, { "-.5", -0.5 }, { "2.0", 2.0 },  { "1e3", 1000.0 },
    { "abc", {} },    { "1e999", {} },    { "1 2", {} },   { "+-1", {} },  { "", {} },     { "   ", {} },
    { "1.5e", {} },   { "0x1", {} },      { "inf", {} },   { "\t1", {} },  { "1,5", {} },
};

std::optional<double> asDouble(std::optional<int> value)
{
    return value ? std::optional<double>(*value) : std::nullopt;
}

std::optional<double> asDouble(std::optional<float> value)
{
    return value ? std::optional<double>(*value) : std::nullopt;
}

// Every text and reading of the tables, compared with what the tables expect.
void expectAllTablesHold()
{
    for (const auto& c : floatTextCases)
        EXPECT_EQ(shortestFloatText(c.value), c.text);
    for (const auto& c : slotTextCases)
        EXPECT_EQ(slotNumberText(c.value), c.text);
    for (const auto& c : integerReadCases)
        EXPECT_EQ(asDouble(readStrictInteger(c.text)), c.value) << c.text;
    for (const auto& c : floatReadCases)
        EXPECT_EQ(asDouble(readStrictFloat(c.text)), c.value) << c.text;
    for (const auto& c : slotReadCases)
        EXPECT_EQ(readSlotNumber(c.text), c.value) << c.text;
    EXPECT_EQ(integerText(-12), "-12");
}
} // namespace

class ShortestFloatText : public testing::TestWithParam<FloatTextCase>
{
};

TEST_P(ShortestFloatText, WritesFewestDigitsThatReadBack)
{
    EXPECT_EQ(shortestFloatText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Examples, ShortestFloatText, testing::ValuesIn(floatTextCases));

class SlotNumberText : public testing::TestWithParam<SlotTextCase>
{
};

TEST_P(SlotNumberText, WritesADoubleThatReadsBackAndLooksLikeANumber)
{
    EXPECT_EQ(slotNumberText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Examples, SlotNumberText, testing::ValuesIn(slotTextCases));

class StrictIntegerReader : public testing::TestWithParam<ReadCase>
{
};

TEST_P(StrictIntegerReader, AcceptsOnlyPlainDecimalIntegers)
{
    EXPECT_EQ(asDouble(readStrictInteger(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, StrictIntegerReader, testing::ValuesIn(integerReadCases));

class StrictFloatReader : public testing::TestWithParam<ReadCase>
{
};

TEST_P(StrictFloatReader, AcceptsOnlyTheWrittenForm)
{
    EXPECT_EQ(asDouble(readStrictFloat(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, StrictFloatReader, testing::ValuesIn(floatReadCases));

class SlotNumberReader : public testing::TestWithParam<ReadCase>
{
};

TEST_P(SlotNumberReader, AcceptsNumbersWithSurroundingSpaces)
{
    EXPECT_EQ(readSlotNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, SlotNumberReader, testing::ValuesIn(slotReadCases));

TEST(NumberText, EveryFloatTextReadsBackExactly)
{
    for (const auto value : { 1.0e-30f, 0.007f, 123456.789f, -4.5e12f, std::numeric_limits<float>::max(),
                              std::numeric_limits<float>::denorm_min() })
        EXPECT_EQ(readStrictFloat(shortestFloatText(value)), value) << value;
}

TEST(NumberText, SlotValuesTakeFiniteNumbersAndReadableText)
{
    EXPECT_EQ(readSlotValue(juce::var(0.25)), 0.25);
    EXPECT_EQ(readSlotValue(juce::var(3)), 3.0);
    EXPECT_EQ(readSlotValue(juce::var(" 0.25")), 0.25);
    EXPECT_EQ(readSlotValue(juce::var(infinity)), std::nullopt);
    EXPECT_EQ(readSlotValue(juce::var("abc")), std::nullopt);
    EXPECT_EQ(readSlotValue(juce::var()), std::nullopt);
}

// Restores the process locales when a test ends, whatever it set.
class LocaleRestorer
{
public:
    LocaleRestorer() : cLocale(std::setlocale(LC_ALL, nullptr)), cppLocale() {}
    ~LocaleRestorer()
    {
        std::locale::global(cppLocale);
        std::setlocale(LC_ALL, cLocale.c_str());
    }

private:
    std::string cLocale;
    std::locale cppLocale;
};

TEST(NumberText, SameTextsUnderACommaNumericLocale)
{
    const LocaleRestorer restorer;
    for (const auto* name : { "de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8",
                              "ru_RU.UTF-8", "es_ES.UTF-8", "it_IT.UTF-8", "pt_BR.UTF-8" })
        if (std::setlocale(LC_NUMERIC, name) != nullptr && std::string(std::localeconv()->decimal_point) == ",")
        {
            expectAllTablesHold();
            return;
        }
    GTEST_SKIP() << "no locale with a decimal comma is installed (see locale -a)";
}

TEST(NumberText, SameTextsUnderACommaStreamLocale)
{
    struct CommaPoint : std::numpunct<char>
    {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const LocaleRestorer restorer;
    std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    expectAllTablesHold();
}
} // namespace zq6::test
