// The number readers and conversions behind the editor fields, without widgets.
#include "editor_tables.h"
#include "field_convert.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const FieldDescription& Field(EditorForm form, const char* control)
{
    const FieldDescription* field = FindField(EditorTableFor(form), control);
    EXPECT_NE(field, nullptr) << control;
    return *field;
}

TEST(NumberReaders, WholeNumbersReadFromTheStartOfTheText)
{
    EXPECT_EQ(ReadWholeNumber("12abc"), 12);
    EXPECT_EQ(ReadWholeNumber(" 7"), 7);
    EXPECT_EQ(ReadWholeNumber("abc"), 0);
    EXPECT_EQ(ReadWholeNumber(""), 0);
    EXPECT_EQ(ReadWholeNumber("-5"), -5);
    EXPECT_EQ(ReadWholeNumber("+42x"), 42);
    EXPECT_EQ(ReadWholeNumber("- 3"), 0);
    EXPECT_EQ(ReadWholeNumber("1.9"), 1);
    // Far too many digits do not wrap into the accepted range.
    EXPECT_GT(ReadWholeNumber("99999999999999999999999"), 65000);
}

TEST(NumberReaders, DecimalsAcceptCommaAndPoint)
{
    EXPECT_DOUBLE_EQ(ReadDecimalDouble("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(ReadDecimalDouble("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(ReadDecimalDouble("  -2.25V"), -2.25);
    EXPECT_DOUBLE_EQ(ReadDecimalDouble(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadDecimalDouble("1e1"), 10.0);
    EXPECT_DOUBLE_EQ(ReadDecimalDouble("3e"), 3.0);
    EXPECT_DOUBLE_EQ(ReadDecimalDouble("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ReadDecimalDouble("1.2.3"), 1.2);
    EXPECT_FLOAT_EQ(ReadDecimalSingle("13,85"), 13.85f);
}

TEST(NumberFormats, PrintWithAPointAndPadToTheWidth)
{
    EXPECT_EQ(FormatFixed(0.5, {4, 1}), " 0.5");
    EXPECT_EQ(FormatFixed(0.5, {3, 1}), "0.5");
    EXPECT_EQ(FormatFixed(13.9, {4, 1}), "13.9");
    EXPECT_EQ(FormatFixed(999.9, {4, 1}), "999.9");
    EXPECT_EQ(FormatFixed(1.15, {3, 2}), "1.15");
    EXPECT_EQ(FormatFixed(-0.1, {4, 1}), "-0.1");
}

TEST(FieldConversions, WorkedExamples)
{
    const FieldDescription& power = Field(EditorForm::Anzeigebereiche, "EditMaxPwrDig");
    EXPECT_EQ(ParseEntry(power, "1000"), 1046);
    EXPECT_EQ(ShowText(power, 1046), "1000");
    EXPECT_EQ(ParseEntry(power, "3000"), 348);
    EXPECT_EQ(ShowText(power, 348), "3007");
    EXPECT_EQ(ParseEntry(power, "90000"), 11);
    EXPECT_EQ(ShowText(power, 11), "95139");

    const FieldDescription& tenths = Field(EditorForm::Grenzwerte, "Edit24VUmax");
    EXPECT_EQ(ParseEntry(tenths, "13,85"), 139);
    EXPECT_EQ(ParseEntry(tenths, "13.85"), 139);
    EXPECT_EQ(ShowText(tenths, 139, true), "13.9");

    const FieldDescription& halved = Field(EditorForm::Timing, "EditPttEntpZeit");
    EXPECT_EQ(ParseEntry(halved, "5"), 2);
    EXPECT_EQ(ShowText(halved, 2), "4");
    EXPECT_EQ(ParseEntry(halved, "2001"), 1000);
    EXPECT_EQ(ShowText(halved, 1000), "2000");
    EXPECT_EQ(ParseEntry(halved, "3"), 1);

    const FieldDescription& windowStart = Field(EditorForm::Softstartrelais, "Edit12Vms2");
    EXPECT_EQ(ParseEntry(windowStart, "0"), 0);
    EXPECT_EQ(ParseEntry(windowStart, "1499"), std::nullopt);
    EXPECT_EQ(ParseEntry(windowStart, "1"), std::nullopt);
    EXPECT_EQ(ParseEntry(windowStart, "1501"), 750);
    EXPECT_EQ(ShowText(windowStart, 750), "1500");

    const FieldDescription& factor = Field(EditorForm::PWR_Korrektur, "Edit40");
    EXPECT_EQ(ParseEntry(factor, "1,15"), 115);
    EXPECT_EQ(ShowText(factor, 115), "1.15");
    EXPECT_EQ(ParseEntry(factor, "1.237"), 123);
    EXPECT_EQ(ShowText(factor, 123), "1.23");
    EXPECT_EQ(ParseEntry(factor, "1.99"), 199);

    const FieldDescription& returnTime = Field(EditorForm::Grenzwerte, "MaxRueckZeitEdit");
    EXPECT_EQ(ParseEntry(returnTime, "0,5"), 250);
    EXPECT_EQ(ShowText(returnTime, 250, true), " 0.5");
    EXPECT_EQ(ShowText(returnTime, 250, false), "0.5");
}

TEST(FieldConversions, TextWithoutALeadingNumberIsRefusedNotReadAsZero)
{
    struct Case {
        EditorForm form;
        const char* control;
        const char* text;
        std::optional<int32_t> raw;
    };
    const Case cases[] = {
        // 0 switches these protections off: a slip of the hand must not.
        {EditorForm::Grenzwerte, "Edit_MaxIG1", "abc", std::nullopt},
        {EditorForm::Grenzwerte, "Edit_MaxIG1", "", std::nullopt},
        {EditorForm::Grenzwerte, "Edit_MaxIG1", " ", std::nullopt},
        {EditorForm::Grenzwerte, "Edit_MaxIG1", "-", std::nullopt},
        {EditorForm::Grenzwerte, "Edit_MaxIG1", "0", 0},
        {EditorForm::Grenzwerte, "MaxRuecklaufEdit", "x", std::nullopt},
        {EditorForm::Grenzwerte, "MaxRuecklaufEdit", "0", 0},
        {EditorForm::Timing, "EditAbkuehlzeit", "abc", std::nullopt},
        {EditorForm::Timing, "EditVorheizzeit", "12abc", 12},
        {EditorForm::Timing, "EditVorheizzeit", " 7", 7},
        {EditorForm::Timing, "EditVorheizzeit", "+7", 7},
        {EditorForm::Softstartrelais, "Edit12Vms2", "ms", std::nullopt},
        {EditorForm::Softstartrelais, "Edit12Vms2", "0", 0},
        // Decimal fields: a leading point or comma before a digit is a number.
        {EditorForm::Grenzwerte, "EditMaxSWR", "x", std::nullopt},
        {EditorForm::Grenzwerte, "EditMaxSWR", ".", std::nullopt},
        {EditorForm::Grenzwerte, "MaxRueckZeitEdit", ",5", 250},
        {EditorForm::Grenzwerte, "MaxRueckZeitEdit", "0,5s", 250},
        // Numbers too large for single precision are refused, not wrapped.
        {EditorForm::Grenzwerte, "EditMaxSWR", "1e99", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseEntry(Field(c.form, c.control), c.text), c.raw) << c.control << " \"" << c.text << "\"";
}

TEST(FieldConversions, NegativeStoredValuesShowUnsigned)
{
    const FieldDescription& integer = Field(EditorForm::Timing, "EditVorheizzeit");
    EXPECT_EQ(ShowText(integer, -1), "4294967295");
    const FieldDescription& halved = Field(EditorForm::Timing, "EditPttVerzZeit");
    EXPECT_EQ(ShowText(halved, -1), "4294967294");
    const FieldDescription& tenths = Field(EditorForm::Grenzwerte, "Edit12VUmin");
    EXPECT_EQ(ShowText(tenths, -5), "-0.5");
}

TEST(PowerRange, ArrowsAndUnusualStoredValues)
{
    const FieldDescription& power = Field(EditorForm::Anzeigebereiche, "EditMaxPwrDig");
    EXPECT_EQ(ParseEntry(power, "100"), 10465);
    EXPECT_EQ(ShowText(power, 10465), "100");
    // Raw 0 comes only from a file or the board: nothing to show, nothing to divide.
    EXPECT_EQ(ShowText(power, 0), "");
    EXPECT_EQ(ShowText(power, -1), "0");

    EXPECT_EQ(PowerArrowPosition(11), 32756);
    EXPECT_EQ(PowerArrowPosition(10464), 22303);
    EXPECT_EQ(PowerArrowPosition(0), 32767);
    EXPECT_EQ(PowerArrowPosition(-1), -32768);
    EXPECT_EQ(PowerRawFromArrow(32756), 11);
    EXPECT_EQ(PowerRawFromArrow(22303), 10464);
    EXPECT_EQ(PowerRawFromArrow(32757), std::nullopt);
    EXPECT_EQ(PowerRawFromArrow(22302), std::nullopt);
}

TEST(SquareRootField, ConfirmingTheShownPercentageKeepsTheStoredValue)
{
    const FieldDescription& threshold = Field(EditorForm::Grenzwerte, "Edit_MinWirkGradPWR");
    for (int percent = 5; percent <= 95; ++percent) {
        SCOPED_TRACE(percent);
        const std::optional<int32_t> raw = ParseEntry(threshold, std::to_string(percent));
        ASSERT_TRUE(raw.has_value());
        // The stored value is 1023 * sqrt(p / 100) to the nearest whole number.
        EXPECT_LE(std::abs(*raw - 1023.0 * std::sqrt(percent / 100.0)), 0.5);
        const std::string shown = ShowText(threshold, *raw);
        EXPECT_EQ(shown, std::to_string(percent));
        EXPECT_EQ(ParseEntry(threshold, shown), raw);
    }
    EXPECT_EQ(ShowText(threshold, 1023), "100");
    EXPECT_EQ(ShowText(threshold, 0), "0");
    EXPECT_EQ(ParseEntry(threshold, "96"), std::nullopt);
    EXPECT_EQ(ParseEntry(threshold, "4"), std::nullopt);
}

TEST(ListsChecksAndModes, ShownStateForStoredValues)
{
    const FieldDescription& language = Field(EditorForm::Allgemeines, "ComboBoxSprache");
    EXPECT_EQ(ListItemForRaw(language, 1), 1);
    EXPECT_EQ(ListItemForRaw(language, 5), -1);
    EXPECT_EQ(ListRawForItem(language, -1), -1);
    const FieldDescription& averaging = Field(EditorForm::Grenzwerte_IA_Mittelwert, "ComboBox1");
    EXPECT_EQ(ListItemForRaw(averaging, 4), 0);
    EXPECT_EQ(ListItemForRaw(averaging, 9), 5);
    EXPECT_EQ(ListItemForRaw(averaging, 0), -1);
    EXPECT_EQ(ListItemForRaw(averaging, 10), -1);
    EXPECT_EQ(ListRawForItem(averaging, 2), 6);

    EXPECT_TRUE(CheckStateForRaw(Field(EditorForm::Allgemeines, "CheckBox4"), 2));
    EXPECT_FALSE(CheckStateForRaw(Field(EditorForm::Grenzwerte, "CheckBox2"), 2));
    EXPECT_TRUE(CheckStateForRaw(Field(EditorForm::Grenzwerte, "CheckBox2"), 1));

    EXPECT_EQ(ModeButtonForRaw(2), 2);
    EXPECT_EQ(ModeButtonForRaw(3), 0);
    EXPECT_EQ(ModeButtonForRaw(-1), 0);
}

}  // namespace
