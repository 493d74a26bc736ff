#pragma once

#include <cstdint>

#include <QString>

// Conversions of stored setting texts. None of them fails: text that does not convert gives false or 0.
namespace kelvo::settings {

// The part before the first NUL character, or the text unchanged when it has none.
QString TrimAtNul(const QString& text);

// "True"/"False" in any letter case; a decimal number is false when 0 and true otherwise; anything else,
// the empty text included, is false.
bool ToBoolean(const QString& text);

// A decimal number (surrounding spaces allowed) rounded to the nearest integer, halves to even; the empty
// text, other text and numbers outside the 16-bit range give 0.
std::int16_t ToInteger(const QString& text);

} // namespace kelvo::settings
