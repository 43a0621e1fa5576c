// The runtime library's safe formatter and integer reader: any format either formats or
// raises EConvertError, never reading an argument that is not there; any text either reads
// as a 32-bit integer that writes back to the same number, or is refused.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    // The extremes of what callers pass: the time display's minutes and seconds, and more.
    const std::string out = Format(text, {LLONG_MIN, -1, 0, 4294967301LL, 59});
    if (text.find('%') == std::string::npos && out != text) std::abort();
  } catch (const EConvertError&) {
  }
  try {
    const std::string none = Format(text, {});
    // Without arguments only "%%" can be formatted.
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] == '%' && (i + 1 >= text.size() || text[++i] != '%')) std::abort();
    (void)none;
  } catch (const EConvertError&) {
  }
  int value = 0;
  if (TryStrToInt(text, value)) {
    int again = 0;
    if (!TryStrToInt(IntToStr(value), again) || again != value) std::abort();
    if (StrToInt(text) != value || StrToIntDef(text, value ^ 1) != value) std::abort();
  } else if (StrToIntDef(text, 7) != 7) {
    std::abort();
  }
  return 0;
}
