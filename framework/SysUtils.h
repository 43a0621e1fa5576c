// Conversions and formatting of the runtime library.
#pragma once

#include <initializer_list>
#include <string>

// Formats integers into a text. Only integer conversions are accepted: '%' with optional
// flags '-' and '0', a width, a precision ('.' and digits) and one of d, u, x, X; "%%" gives
// a percent sign; other text is copied. Anything else, or fewer arguments than
// conversions, raises EConvertError rather than reading what is not there.
std::string Format(const std::string& format, std::initializer_list<long long> args);

// Decimal with optional leading blanks and sign, or hexadecimal after '$', "0x" or "0X";
// a text that is not such a number, or does not fit 32 bits, raises EConvertError with the
// message "'%s' は整数ではありません".
int StrToInt(const std::string& s);
// The same, giving the default instead of raising.
int StrToIntDef(const std::string& s, int fallback);
bool TryStrToInt(const std::string& s, int& value);

std::string IntToStr(long long value);
