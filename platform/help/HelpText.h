// The help files' own format: plain UTF-8 text with a few markup lines, readable as it is in
// any editor and simple enough to render anywhere.
//
//   = Title          a heading of the first level (a part of the file, one per language)
//   == Section       a heading of the second level
//   - item           an item of a bulleted list
//   (blank line)     ends a paragraph or an item
//   anything else    text of the paragraph or item above it, or the start of a paragraph
//
// Markup is recognised after leading spaces. Lines of one paragraph are joined with a
// space, except between two Japanese characters, where a space would show as a gap.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::help {

enum class HelpBlockKind { Title, Section, Paragraph, Bullet };

struct HelpBlock {
  HelpBlockKind kind;
  std::string text;
  int line;  // where the block starts, counting from 1
};

// A line the parser could not make sense of; it is still shown as plain text, but the
// author should hear about it.
struct HelpProblem {
  int line;
  std::string message;
};

struct HelpDocument {
  std::vector<HelpBlock> blocks;
  std::vector<HelpProblem> problems;
  // The first heading of the first level; empty when there is none.
  std::string Title() const;
};

HelpDocument ParseHelpText(std::string_view text);

}  // namespace platform::help
