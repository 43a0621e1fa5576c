// Text at the edge of the system: the program's texts are UTF-8, the system's W functions
// take UTF-16.
#pragma once

#include <string>

namespace platform::win32 {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& utf16);

}  // namespace platform::win32
