#include "framework/SysUtils.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <vector>

#include "framework/Exceptions.h"
#include "platform/system/Ascii.h"

namespace {

[[noreturn]] void BadFormat(const std::string& format) {
  throw EConvertError("書式 '" + format + "' は無効か、引数と合いません");
}

std::string Digits(unsigned long long v, unsigned base, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string out;
  do {
    out.insert(out.begin(), digits[v % base]);
    v /= base;
  } while (v != 0);
  return out;
}

int ReadCount(const std::string& f, std::size_t& i) {
  int n = 0;
  while (i < f.size() && std::isdigit(static_cast<unsigned char>(f[i]))) {
    n = n * 10 + (f[i] - '0');
    // A width beyond any display is a mistake, not a request for a huge text.
    if (n > 1000) BadFormat(f);
    ++i;
  }
  return n;
}

}  // namespace

std::string Format(const std::string& format, std::initializer_list<long long> args) {
  const std::vector<long long> values(args);
  std::size_t next = 0;
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (++i >= format.size()) BadFormat(format);
    if (format[i] == '%') {
      out += '%';
      continue;
    }
    bool left = false, zero = false;
    for (; i < format.size() && (format[i] == '-' || format[i] == '0'); ++i) {
      if (format[i] == '-')
        left = true;
      else
        zero = true;
    }
    const int width = ReadCount(format, i);
    int precision = -1;
    if (i < format.size() && format[i] == '.') {
      ++i;
      precision = ReadCount(format, i);
    }
    if (i >= format.size()) BadFormat(format);
    const char conv = format[i];
    if (conv != 'd' && conv != 'u' && conv != 'x' && conv != 'X') BadFormat(format);
    if (next >= values.size()) BadFormat(format);
    const long long v = values[next++];

    std::string body;
    bool negative = false;
    if (conv == 'd') {
      negative = v < 0;
      body =
          Digits(negative ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v), 10, false);
    } else {
      // Unsigned conversions show the 32-bit pattern, as the runtime's integers are 32 bits.
      const auto u = static_cast<std::uint32_t>(v);
      body = Digits(u, conv == 'u' ? 10 : 16, conv == 'X');
    }
    if (precision >= 0 && body.size() < static_cast<std::size_t>(precision))
      body.insert(0, static_cast<std::size_t>(precision) - body.size(), '0');
    std::size_t len = body.size() + (negative ? 1 : 0);
    if (!left && zero && precision < 0 && len < static_cast<std::size_t>(width)) {
      body.insert(0, static_cast<std::size_t>(width) - len, '0');
      len = static_cast<std::size_t>(width);
    }
    if (negative) body.insert(body.begin(), '-');
    if (len < static_cast<std::size_t>(width)) {
      const std::string pad(static_cast<std::size_t>(width) - len, ' ');
      body = left ? body + pad : pad + body;
    }
    out += body;
  }
  return out;
}

bool TryStrToInt(const std::string& s, int& value) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  unsigned base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return false;
  std::uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    const char c = platform::AsciiLower(s[i]);
    unsigned digit;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = static_cast<unsigned>(c - 'a' + 10);
    else
      return false;
    magnitude = magnitude * base + digit;
    if (magnitude > 0xFFFFFFFFull) return false;
  }
  if (base == 16) {
    // Hexadecimal texts give the 32-bit pattern, so $FFFFFFFF is -1.
    std::int64_t v = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    if (negative) v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(v);
    return true;
  }
  const std::int64_t v = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(const std::string& s) {
  int v = 0;
  if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' は整数ではありません");
  return v;
}

int StrToIntDef(const std::string& s, int fallback) {
  int v = 0;
  return TryStrToInt(s, v) ? v : fallback;
}

std::string IntToStr(long long value) { return std::to_string(value); }
