#include "field_convert.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Extent of the decimal number at the start of text (after blanks), with the
// separator already normalised to '.'. Returns the number text without a '+'.
std::string LeadingDecimal(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        number += text[i++];
        ++digits;
    }
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        std::string fraction = ".";
        size_t j = i + 1;
        while (j < text.size() && IsDigit(text[j])) {
            fraction += text[j++];
            ++digits;
        }
        if (digits > 0) {
            number += fraction;
            i = j;
        }
    }
    if (digits == 0)
        return "0";
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                exponent += text[j++];
            number += exponent;
        }
    }
    return number;
}

template <typename T>
T ReadDecimal(std::string_view text)
{
    const std::string number = LeadingDecimal(text);
    T value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large for the precision: refused by every range.
        value = number.front() == '-' ? -std::numeric_limits<T>::infinity()
                                      : std::numeric_limits<T>::infinity();
    }
    return value;
}

bool InRange(const FieldDescription& field, int64_t n)
{
    if (field.AlsoZero && n == 0)
        return true;
    return n >= static_cast<int64_t>(field.Min) && n <= static_cast<int64_t>(field.Max);
}

}  // namespace

int64_t ReadWholeNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t limit = std::numeric_limits<int64_t>::max() / 10 - 1;
    int64_t n = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (n < limit)
            n = n * 10 + (text[i] - '0');
        ++i;
    }
    return negative ? -n : n;
}

double ReadDecimalDouble(std::string_view text) { return ReadDecimal<double>(text); }
float ReadDecimalSingle(std::string_view text) { return ReadDecimal<float>(text); }

std::string FormatFixed(double value, NumberFormat format)
{
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, format.Decimals);
    std::string text = error == std::errc() ? std::string(buffer, end) : std::string("0");
    if (static_cast<int>(text.size()) < format.Width)
        text.insert(0, format.Width - text.size(), ' ');
    return text;
}

std::string ShowText(const FieldDescription& field, int32_t raw, bool afterConfirm)
{
    const uint32_t unsignedRaw = static_cast<uint32_t>(raw);
    switch (field.Kind) {
    case FieldKind::Integer:
        return std::to_string(unsignedRaw);
    case FieldKind::Halved:
        return std::to_string(static_cast<uint32_t>(unsignedRaw * 2u));
    case FieldKind::Decimal:
        return FormatFixed(raw * (1.0 / field.Scale),
                           afterConfirm ? field.ConfirmFormat : field.ShowFormat);
    case FieldKind::PowerRange:
        // A raw value of 0 (only from a file or the board) has no power to show.
        if (raw == 0)
            return {};
        return std::to_string(kPowerRangeConstant / unsignedRaw);
    case FieldKind::SquareRoot:
        return std::to_string(SquareRootPercent(raw));
    case FieldKind::List:
    case FieldKind::Check:
    case FieldKind::Mode:
        break;
    }
    return std::to_string(raw);
}

bool StartsWithNumber(std::string_view text, bool decimal)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i < text.size() && IsDigit(text[i]))
        return true;
    return decimal && i + 1 < text.size() && (text[i] == '.' || text[i] == ',') && IsDigit(text[i + 1]);
}

std::optional<int32_t> ParseEntry(const FieldDescription& field, std::string_view text)
{
    if (field.IsEdit() && !StartsWithNumber(text, field.Kind == FieldKind::Decimal))
        return std::nullopt;
    switch (field.Kind) {
    case FieldKind::Integer:
    case FieldKind::Halved:
    case FieldKind::PowerRange:
    case FieldKind::SquareRoot: {
        const int64_t n = ReadWholeNumber(text);
        if (!InRange(field, n))
            return std::nullopt;
        if (field.Kind == FieldKind::Halved)
            return static_cast<int32_t>(n >> 1);
        if (field.Kind == FieldKind::PowerRange)
            return static_cast<int32_t>(kPowerRangeConstant / n);
        if (field.Kind == FieldKind::SquareRoot)
            return SquareRootRaw(n);
        return static_cast<int32_t>(n);
    }
    case FieldKind::Decimal: {
        double v = 0;
        if (field.Prec == Precision::Single) {
            // Bounds compared in single precision too, so "999.9" and "0.1" as the
            // range message writes them are inside the range.
            const float single = ReadDecimalSingle(text);
            if (!(single >= static_cast<float>(field.Min) && single <= static_cast<float>(field.Max)))
                return std::nullopt;
            v = single;
        } else {
            v = ReadDecimalDouble(text);
            if (!(v >= field.Min && v <= field.Max))
                return std::nullopt;
        }
        return static_cast<int32_t>(std::trunc(v * field.Scale + field.Bias));
    }
    case FieldKind::List:
    case FieldKind::Check:
    case FieldKind::Mode:
        break;
    }
    return std::nullopt;
}

int16_t PowerArrowPosition(int32_t raw)
{
    return static_cast<int16_t>(static_cast<uint16_t>(32767 - static_cast<int64_t>(raw)));
}

std::optional<int32_t> PowerRawFromArrow(int position)
{
    if (position < kPowerArrowMin || position > kPowerArrowMax)
        return std::nullopt;
    return 32767 - position;
}

// Both directions round to the nearest whole number. The stored values of two
// neighbouring percentages lie at least 5 apart, and one step of the stored value
// changes the shown percentage by less than 0.2, so the percentage shown for a stored
// value is the one that was typed, and confirming it again stores the same value.
int32_t SquareRootRaw(int64_t percent)
{
    return static_cast<int32_t>(std::llround(std::sqrt(percent * 10.23 * 1023)));
}

int64_t SquareRootPercent(int32_t raw)
{
    const double r = raw;
    return std::llround(100.0 * r * r / (1023.0 * 1023.0));
}

int ListItemForRaw(const FieldDescription& field, int32_t raw)
{
    const int64_t item = static_cast<int64_t>(raw) - field.Offset;
    if (item < 0 || item >= static_cast<int64_t>(field.Items.size()))
        return -1;
    return static_cast<int>(item);
}

int32_t ListRawForItem(const FieldDescription& field, int item) { return item + field.Offset; }

bool CheckStateForRaw(const FieldDescription& field, int32_t raw)
{
    return field.CheckNeedsOne ? raw == 1 : raw != 0;
}

int ModeButtonForRaw(int32_t raw) { return raw >= 0 && raw <= 2 ? raw : 0; }
