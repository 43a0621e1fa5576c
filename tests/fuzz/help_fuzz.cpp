// The help markup: any text parses, every block and problem names a line of the text, in
// order, and no block is empty (an empty one would show as a stray gap or bullet).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/help/HelpText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto doc = platform::help::ParseHelpText(text);

  int lines = 1;
  for (char c : text)
    if (c == '\n') ++lines;
  int previous = 0;
  for (const auto& block : doc.blocks) {
    if (block.line <= previous || block.line > lines || block.text.empty()) std::abort();
    previous = block.line;
  }
  for (const auto& problem : doc.problems)
    if (problem.line < 1 || problem.line > lines || problem.message.empty()) std::abort();
  const std::string title = doc.Title();
  if (!title.empty() && title.find('\n') != std::string::npos) std::abort();
  return 0;
}
