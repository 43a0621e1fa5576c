// Basic types of the operating-system interfaces this platform layer stands in for.
// The names and widths follow the original interfaces so that code above the platform
// reads as it would there.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using BOOL = int;
using LONG = std::int32_t;
using DWORD_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LPSTR = char*;
using LPCSTR = const char*;

// A window handle is an opaque value; ours are small numbers, so that the low word of a
// callback field still names the window, as the media control interface expects.
struct HWND__;
using HWND = HWND__*;
// A device context of the drawing interface (platform/gdi).
struct HDC__;
using HDC = HDC__*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr WORD LOWORD(DWORD_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(DWORD_PTR v) { return static_cast<BYTE>(v & 0xFF); }

inline HWND HandleFromValue(UINT_PTR v) { return reinterpret_cast<HWND>(v); }
inline UINT_PTR HandleValue(HWND h) { return reinterpret_cast<UINT_PTR>(h); }
