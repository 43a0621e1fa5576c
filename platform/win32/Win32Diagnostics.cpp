#include "platform/win32/Win32Diagnostics.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "platform/messages/EventLoop.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32FormPeer.h"
#include "platform/win32/Win32Text.h"

namespace platform::win32 {

namespace {

// Tabs and line breaks would split the dump's fields, so they are written as escapes.
std::string Clean(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Describe(const Win32Control& c) {
  const RECT g = c.DumpGeometry();
  std::string line = c.Name() + "\tclass=" + c.DumpClass();
  line += std::string("\tvisible=") + (IsWindowVisible(c.Hwnd()) ? "1" : "0");
  line += std::string("\tenabled=") + (IsWindowEnabled(c.Hwnd()) ? "1" : "0");
  line += "\tgeometry=" + std::to_string(g.left) + "," + std::to_string(g.top) + "," +
          std::to_string(g.right - g.left) + "," + std::to_string(g.bottom - g.top);
  // The fields are already separated by tabs; only their values are cleaned.
  std::string fields = c.DumpFields(), cleaned;
  std::size_t start = 0;
  while (start < fields.size()) {
    const std::size_t tab = fields.find('\t', start + 1);
    const std::string field = fields.substr(start + 1, tab == std::string::npos ? std::string::npos : tab - start - 1);
    cleaned += "\t" + Clean(field);
    if (tab == std::string::npos) break;
    start = tab;
  }
  return line + cleaned;
}

bool g_reportFirstPaint = false;

}  // namespace

std::string UiDump(const Win32Backend& backend) {
  std::string out = "application\ttitle=" + Clean(backend.ApplicationTitle()) + "\n";
  const auto& all = Win32Control::All();
  for (const Win32Control* form : all) {
    if (!dynamic_cast<const Win32FormPeer*>(form) || form->Name().empty()) continue;
    out += Describe(*form) + "\n";
    for (const Win32Control* child : all)
      if (child != form && !child->Name().empty() && IsChild(form->Hwnd(), child->Hwnd()))
        out += Describe(*child) + "\n";
  }
  return out;
}

void NoteFirstPaint() {
  if (!g_reportFirstPaint) return;
  g_reportFirstPaint = false;
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  // 100 ns steps since 1601; the report counts nanoseconds since 1970.
  const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  const long long ns = static_cast<long long>(ticks - 116444736000000000ULL) * 100;
  std::fprintf(stderr, "plume: first paint at %lld ns\n", ns);
  std::fflush(stderr);
}

void StartDiagnostics(const Win32Backend& backend) {
  if (const char* report = std::getenv("PLUME_REPORT_FIRST_PAINT"); report && *report) g_reportFirstPaint = true;
  const char* path = std::getenv("PLUME_UI_DUMP");
  if (!path || !*path) return;
  const std::string file = path;
  auto last = std::make_shared<std::string>();
  CurrentEventLoop().AddTimer(100, true, [&backend, file, last] {
    const std::string now = UiDump(backend);
    if (now == *last) return;
    // Written beside and moved over, so a reader never sees half a dump.
    const std::string temp = file + ".new";
    {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      out << now;
      if (!out) return;
    }
    if (MoveFileExW(Wide(temp).c_str(), Wide(file).c_str(), MOVEFILE_REPLACE_EXISTING)) *last = now;
  });
}

}  // namespace platform::win32
