#include "platform/help/HelpText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace platform::help;

namespace {

// Each block as "kind:text", so whole documents compare at once.
std::vector<std::string> Blocks(const HelpDocument& doc) {
  std::vector<std::string> out;
  for (const HelpBlock& b : doc.blocks) {
    const char* kind = b.kind == HelpBlockKind::Title     ? "T"
                       : b.kind == HelpBlockKind::Section ? "S"
                       : b.kind == HelpBlockKind::Bullet  ? "-"
                                                          : "P";
    out.push_back(std::string(kind) + ":" + b.text);
  }
  return out;
}

std::vector<int> ProblemLines(const HelpDocument& doc) {
  std::vector<int> out;
  for (const HelpProblem& p : doc.problems) out.push_back(p.line);
  return out;
}

using Lines = std::vector<std::string>;

TEST(HelpTextTest, ReadsHeadingsParagraphsAndLists) {
  const HelpDocument doc = ParseHelpText(
      "= Guide\n"
      "== Start\n"
      "First line\n"
      "  second line  \n"
      "\n"
      "- one\n"
      "  more of one\n"
      "-   two\n"
      "after a list item\n"
      "\n"
      "\n"
      "-5 dB is a paragraph\n"
      "== Next\n"
      "=== not a heading\n");
  EXPECT_EQ(Blocks(doc), (Lines{"T:Guide", "S:Start", "P:First line second line", "-:one more of one",
                                "-:two after a list item", "P:-5 dB is a paragraph", "S:Next", "P:=== not a heading"}));
  EXPECT_EQ(doc.blocks[2].line, 3);
  EXPECT_EQ(doc.blocks[5].line, 12);
  EXPECT_EQ(doc.Title(), "Guide");
  EXPECT_EQ(ProblemLines(doc), std::vector<int>{14});
}

TEST(HelpTextTest, JapaneseLinesJoinWithoutASpace) {
  const HelpDocument doc = ParseHelpText("再生ボタンを\n押します。\nThen\nplay 曲\n番");
  EXPECT_EQ(Blocks(doc), Lines{"P:再生ボタンを押します。 Then play 曲番"});
}

TEST(HelpTextTest, ToleratesWindowsLineEndsAndAByteOrderMark) {
  const HelpDocument doc = ParseHelpText("\xEF\xBB\xBF= 題\r\n\r\n- 項目\r\nline\r\n");
  EXPECT_EQ(Blocks(doc), (Lines{"T:題", "-:項目 line"}));
  EXPECT_TRUE(doc.problems.empty());
}

TEST(HelpTextTest, ReportsWhatItCannotRead) {
  struct Case {
    const char* text;
    std::vector<int> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"=", {1}},
      {"= ", {1}},
      {"=Title", {1}},
      {"ok\n==Section", {2}},
      {"==== deep", {1}},
      {"-", {1}},
      {"text\n-  \nmore", {2}},
      {"fine\nbad \xFF byte", {2}},
      {"cut \xE3\x81", {1}},
      {"overlong \xC0\xAF", {1}},
      {"surrogate \xED\xA0\x80", {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ProblemLines(ParseHelpText(c.text)), c.lines);
  }
  EXPECT_EQ(ParseHelpText("no title here").Title(), "");
}

// ---- The help file that ships with the player --------------------------------------------

std::string ShippedHelp() {
  std::ifstream in(std::string(PLUME_SOURCE_DIR) + "/resources/help/plume.hlp", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool HasJapanese(const std::string& s) {
  // Hiragana, katakana and the common ideographs all start with these lead bytes in UTF-8.
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b == 0xE3 || (b >= 0xE4 && b <= 0xE9)) return true;
  }
  return false;
}

TEST(ShippedHelpTest, EveryLineIsUnderstood) {
  const std::string text = ShippedHelp();
  ASSERT_FALSE(text.empty()) << "resources/help/plume.hlp is missing";
  const HelpDocument doc = ParseHelpText(text);
  for (const HelpProblem& p : doc.problems) ADD_FAILURE() << "line " << p.line << ": " << p.message;
  const auto lines = std::count(text.begin(), text.end(), '\n');
  EXPECT_GE(lines, 150);
  EXPECT_LE(lines, 250);
}

TEST(ShippedHelpTest, HasAJapaneseAndAnEnglishPartThatNameEveryControl) {
  const HelpDocument doc = ParseHelpText(ShippedHelp());
  // The parts are the two headings of the first level, Japanese first.
  std::vector<std::size_t> parts;
  for (std::size_t i = 0; i < doc.blocks.size(); ++i)
    if (doc.blocks[i].kind == HelpBlockKind::Title) parts.push_back(i);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0], 0u);
  EXPECT_TRUE(HasJapanese(doc.blocks[parts[0]].text));
  EXPECT_NE(doc.blocks[parts[1]].text.find("English"), std::string::npos);

  std::string japanese, english;
  std::size_t sections[2] = {0, 0};
  for (std::size_t i = 0; i < doc.blocks.size(); ++i) {
    const int part = i < parts[1] ? 0 : 1;
    (part == 0 ? japanese : english) += doc.blocks[i].text + "\n";
    if (doc.blocks[i].kind == HelpBlockKind::Section) ++sections[part];
  }
  EXPECT_GE(sections[0], 8u);
  EXPECT_EQ(sections[0], sections[1]) << "the two parts should have the same sections";

  const char* names[] = {"再生",
                         "停止",
                         "一時停止",
                         "前曲",
                         "次曲",
                         "取り出し",
                         "表示",
                         "設定",
                         "再生順序",
                         "ランダム",
                         "電源",
                         "INTRO",
                         "RANDOME",
                         "REPEAT",
                         "PROGRAM",
                         "追加",
                         "削除",
                         "登録",
                         "解除",
                         "ｷｬﾝｾﾙ",
                         "変更",
                         "イントロ再生",
                         "リピート再生",
                         "曲番",
                         "MODE",
                         "準備中",
                         "CDの状態",
                         "Audio CD",
                         "CDが入ってません",
                         "経過時間",
                         "残り時間",
                         "総時間",
                         "総残り時間",
                         "plume.ini"};
  for (const char* name : names) {
    EXPECT_NE(japanese.find(name), std::string::npos) << "the Japanese part does not mention " << name;
    EXPECT_NE(english.find(name), std::string::npos) << "the English part does not mention " << name;
  }
  for (const char* word : {"Volume", "mixer", "Help", "Version", "Esc", "Enter", "simulated drive", "demo disc"})
    EXPECT_NE(english.find(word), std::string::npos) << word;
  for (const char* word : {"音量", "ヘルプ", "バージョン情報", "Esc", "Enter", "シミュレーション", "デモ"})
    EXPECT_NE(japanese.find(word), std::string::npos) << word;
}

}  // namespace
