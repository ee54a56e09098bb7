#pragma once
// Conversions between the text of an editor field and the board's raw value.
// Pure functions: no widgets, no parameter set.
#include "field_description.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// 1023 * 1023: the board's full-scale power constant of the power display.
inline constexpr uint32_t kPowerRangeConstant = 1046529;

// Whole number at the start of the text: leading white space, one sign, digits;
// stops at the first other character. Text without a leading number reads 0.
int64_t ReadWholeNumber(std::string_view text);

// Decimal number at the start of the text, "," read as ".": leading white space,
// sign, digits, point, digits, exponent. Text without a leading number reads 0.
double ReadDecimalDouble(std::string_view text);
float ReadDecimalSingle(std::string_view text);

// "%<width>.<decimals>f" with a point, independent of the C locale.
std::string FormatFixed(double value, NumberFormat format);

// Text an edit field shows for a stored raw value. afterConfirm picks the format a
// decimal field uses after a confirmation instead of the one it opens with.
std::string ShowText(const FieldDescription& field, int32_t raw, bool afterConfirm = false);

// Whether the text starts with a number (after white space and one sign): a digit, or
// for decimal numbers also a point or comma before a digit. "12abc" does, "abc" and ""
// do not.
bool StartsWithNumber(std::string_view text, bool decimal);

// Raw value for a typed text, or nothing when the entry is refused. A text without a
// leading number is refused, never read as 0: a slip of the hand must not switch a
// protection off.
std::optional<int32_t> ParseEntry(const FieldDescription& field, std::string_view text);

// Power range: arrow position for a raw value, and the raw value of a position
// (nothing when the position is outside the accepted 22303 ... 32756).
inline constexpr int kPowerArrowMin = 22303;
inline constexpr int kPowerArrowMax = 32756;
int16_t PowerArrowPosition(int32_t raw);
std::optional<int32_t> PowerRawFromArrow(int position);

// Square-root efficiency threshold: stored value of a percentage and back.
int32_t SquareRootRaw(int64_t percent);
int64_t SquareRootPercent(int32_t raw);

// Lists: item selected for a raw value (-1 = none), raw value stored for an item.
int ListItemForRaw(const FieldDescription& field, int32_t raw);
int32_t ListRawForItem(const FieldDescription& field, int item);

// Check boxes: state shown for a raw value.
bool CheckStateForRaw(const FieldDescription& field, int32_t raw);

// Mode groups: button selected for a raw value (any value outside 0..2 selects 0).
int ModeButtonForRaw(int32_t raw);
