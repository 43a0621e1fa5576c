// Basic types of the operating-system interfaces this platform layer stands in for.
// The names and widths follow the original interfaces so that code above the platform
// reads as it would there. On Windows they are the system's own.
#pragma once

#include <cstdint>

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <mmsystem.h>

// The system headers spell generic functions as macros of their A or W names and take a
// few everyday words. Our code calls the A names only, and the macros would rename
// members of our own that share a generic name.
#undef TextOut
#undef DrawText
#undef RegisterClass
#undef MessageBox
#undef FindResource
#undef interface
#undef near
#undef far
#undef ERROR

// A platform function in front of a system function of the same name: code above the
// platform calls the system's name and reaches the platform (the simulated drives, the
// message windows of the manual loop, the recording device contexts), which answers for
// what is its own and hands the rest to the system. The hooks are macros of the system
// name, so each is chosen when the caller is compiled; the system's function stays
// reachable as (::Name)(...).
#define PLUME_HOOK(name) plume_hook_##name

#else

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using BOOL = int;
using LONG = std::int32_t;
using DWORD_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;
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

#endif

inline HWND HandleFromValue(UINT_PTR v) { return reinterpret_cast<HWND>(v); }
inline UINT_PTR HandleValue(HWND h) { return reinterpret_cast<UINT_PTR>(h); }
