#include "framework/DescriptionReader.h"

#include <exception>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/Properties.h"
#include "platform/system/Ascii.h"

namespace {

using platform::AsciiLower;

// Names are plain ASCII: anything else outside a quoted string is a mistake in the file, and
// the C library's classification would depend on the locale.
bool IsLetter(char c) { return platform::IsAsciiLetter(c) || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '.'; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  auto byte = [&out](char32_t b) { out.push_back(static_cast<char>(static_cast<unsigned char>(b))); };
  if (cp < 0x80) {
    byte(cp);
  } else if (cp < 0x800) {
    byte(0xC0 | (cp >> 6));
    byte(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    byte(0xE0 | (cp >> 12));
    byte(0x80 | ((cp >> 6) & 0x3F));
    byte(0x80 | (cp & 0x3F));
  } else {
    byte(0xF0 | (cp >> 18));
    byte(0x80 | ((cp >> 12) & 0x3F));
    byte(0x80 | ((cp >> 6) & 0x3F));
    byte(0x80 | (cp & 0x3F));
  }
}

struct Token {
  // Other is text that can start nothing the format knows; the parser reports it in the
  // words that fit where it stands (a bad value, or unexpected text).
  enum Kind { Eof, Name, Number, String, Symbol, Other };
  Kind kind = Eof;
  std::string text;               // Name and Symbol: as written; String: the decoded text
  unsigned long long number = 0;  // Number: the magnitude, the sign being a Symbol of its own
  std::string raw;                // the source text, for messages
  int line = 0;

  bool Is(char symbol) const { return kind == Symbol && text.size() == 1 && text[0] == symbol; }
  bool IsWord(const char* word) const { return kind == Name && platform::EqualsNoCase(text, word); }
};

std::string Shown(const Token& t) {
  if (t.kind == Token::Eof) return "end of text";
  if (t.kind == Token::String) return t.raw;
  return "'" + t.raw + "'";
}

class Lexer {
 public:
  Lexer(std::string_view text, const std::string& source) : text_(text), source_(source) {
    // Editors on the original platform liked to start UTF-8 files with a byte-order mark.
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  }

  const Token& Peek() {
    if (!peeked_) {
      next_ = Scan();
      peeked_ = true;
    }
    return next_;
  }
  Token Next() {
    Peek();
    peeked_ = false;
    return std::move(next_);
  }

  [[noreturn]] void Fail(int line, const std::string& message) const { throw EReadError(message, line, source_); }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

  void SkipBlanks() {
    while (!AtEnd()) {
      char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && At(pos_ + 1) == '/') {
        while (!AtEnd() && text_[pos_] != '\n') ++pos_;
      } else {
        return;
      }
    }
  }

  Token Scan() {
    SkipBlanks();
    Token t;
    t.line = line_;
    if (AtEnd()) return t;
    const std::size_t start = pos_;
    const char c = text_[pos_];
    if (IsLetter(c)) {
      while (!AtEnd() && IsNameChar(text_[pos_])) ++pos_;
      t.kind = Token::Name;
      t.text = std::string(text_.substr(start, pos_ - start));
    } else if (IsDigit(c) || c == '$') {
      ScanNumber(t);
    } else if (c == '\'' || c == '#') {
      ScanString(t);
    } else if (std::string_view("=:[](),+-").find(c) != std::string_view::npos) {
      ++pos_;
      t.kind = Token::Symbol;
      t.text = std::string(1, c);
    } else {
      // The rest of the line, so the message shows the reader what was not understood.
      while (!AtEnd() && text_[pos_] != '\n') ++pos_;
      t.kind = Token::Other;
      std::string_view rest = text_.substr(start, pos_ - start);
      while (!rest.empty() && (rest.back() == '\r' || rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
      t.raw = std::string(rest);
      return t;
    }
    t.raw = std::string(text_.substr(start, pos_ - start));
    return t;
  }

  void ScanNumber(Token& t) {
    const std::size_t start = pos_;
    const bool hex = text_[pos_] == '$';
    if (hex) ++pos_;
    const unsigned base = hex ? 16 : 10;
    std::size_t digits = 0;
    bool overflow = false;
    unsigned long long value = 0;
    for (int d; !AtEnd() && (d = hex ? HexDigit(text_[pos_]) : (IsDigit(text_[pos_]) ? text_[pos_] - '0' : -1)) >= 0;
         ++pos_, ++digits) {
      if (value > (~0ULL - static_cast<unsigned>(d)) / base) overflow = true;
      value = value * base + static_cast<unsigned>(d);
    }
    // "12px" or "1.5" is one bad word, not a number followed by a name.
    if (digits == 0 || (!AtEnd() && IsNameChar(text_[pos_]))) {
      while (!AtEnd() && IsNameChar(text_[pos_])) ++pos_;
      t.kind = Token::Other;
      return;
    }
    if (overflow) Fail(t.line, "number out of range: " + std::string(text_.substr(start, pos_ - start)));
    t.kind = Token::Number;
    t.number = value;
  }

  // A string is a run of quoted parts and #code characters with nothing between them:
  // 'abc'#12354'def'. Codes are Unicode code points; a UTF-16 surrogate pair written as two
  // codes (as older tools did for characters beyond the first plane) becomes one character.
  void ScanString(Token& t) {
    t.kind = Token::String;
    char32_t pendingHigh = 0;
    auto badCode = [&] { Fail(t.line, "bad character code in string"); };
    while (!AtEnd() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
      if (text_[pos_] == '\'') {
        if (pendingHigh) badCode();
        ++pos_;
        for (;;) {
          if (AtEnd() || text_[pos_] == '\n' || text_[pos_] == '\r') Fail(t.line, "unterminated string");
          if (text_[pos_] == '\'') {
            if (At(pos_ + 1) != '\'') break;
            ++pos_;
          }
          t.text.push_back(text_[pos_++]);
        }
        ++pos_;
        continue;
      }
      ++pos_;
      const bool hex = At(pos_) == '$';
      if (hex) ++pos_;
      char32_t code = 0;
      std::size_t digits = 0;
      for (int d; (d = hex ? HexDigit(At(pos_)) : (IsDigit(At(pos_)) ? At(pos_) - '0' : -1)) >= 0; ++pos_, ++digits) {
        code = code * (hex ? 16 : 10) + static_cast<char32_t>(d);
        if (code > 0x10FFFF) badCode();
      }
      if (digits == 0) badCode();
      if (code >= 0xD800 && code <= 0xDBFF) {
        if (pendingHigh) badCode();
        pendingHigh = code;
        continue;
      }
      if (code >= 0xDC00 && code <= 0xDFFF) {
        if (!pendingHigh) badCode();
        code = 0x10000 + ((pendingHigh - 0xD800) << 10) + (code - 0xDC00);
        pendingHigh = 0;
      } else if (pendingHigh) {
        badCode();
      }
      AppendUtf8(t.text, code);
    }
    if (pendingHigh) badCode();
  }

  std::string_view text_;
  const std::string& source_;
  std::size_t pos_ = 0;
  int line_ = 1;
  Token next_;
  bool peeked_ = false;
};

class Reader {
 public:
  Reader(TComponent* root, std::string_view text, const std::string& source)
      : root_(root), lexer_(text, source), source_(source) {}

  void Run() {
    Token t = Next();
    if (!t.IsWord("object")) lexer_.Fail(t.line, "expected 'object', found " + Shown(t));
    const Header h = ReadHeader(t);
    root_->SetName(h.name);
    root_->BeginLoading();
    ReadBody(root_, h);
    Token rest = Next();
    if (rest.kind != Token::Eof) lexer_.Fail(rest.line, "unexpected text after the last 'end': " + Shown(rest));
  }

  // Undoes a failed read as far as it can: what was made is freed again, last made first,
  // so no half-read control stays on the window.
  void FreeCreated() {
    while (!created_.empty()) {
      delete created_.back();
      created_.pop_back();
    }
  }

  // Loaded runs only now that every property of every component is in place, since a
  // component's Loaded may look at its siblings. Every component leaves the loading state
  // even when one Loaded fails; the first failure is passed on.
  void EndLoading() {
    std::exception_ptr failure;
    auto end = [&failure](TComponent* c) {
      try {
        c->EndLoading();
      } catch (...) {
        if (!failure) failure = std::current_exception();
      }
    };
    for (TComponent* c : created_) end(c);
    end(root_);
    if (failure) std::rethrow_exception(failure);
  }

 private:
  struct Header {
    std::string name;
    std::string className;
    int line = 0;
    const TClassRegistry::Entry* entry = nullptr;
  };

  Token Next() {
    Token t = lexer_.Next();
    lastLine_ = t.line;
    return t;
  }

  [[noreturn]] void BadValue(const Token& t, const std::string& property) const {
    lexer_.Fail(t.line, "bad value for " + property + ": " + Shown(t));
  }

  // Runs code of the component's own (factory, parent hook, setter) and gives anything it
  // raises the place in the description it came from.
  template <class F>
  auto Guarded(int line, const std::string& context, F&& f) -> decltype(f()) {
    try {
      return f();
    } catch (const EReadError& e) {
      // An error this reader raised already names its place. The conversion helpers know
      // the line alone, and an error from another file keeps its own place in the detail.
      if (!source_.empty() && e.Source() == source_) throw;
      lexer_.Fail(line, context + ": " + (e.Source().empty() ? e.Detail() : std::string(e.what())));
    } catch (const std::exception& e) {
      lexer_.Fail(line, context + ": " + e.what());
    }
  }

  Header ReadHeader(const Token& object) {
    Header h;
    h.line = object.line;
    Token name = Next();
    if (name.kind != Token::Name || name.text.find('.') != std::string::npos)
      lexer_.Fail(name.line, "expected a component name after 'object', found " + Shown(name));
    Token colon = Next();
    if (!colon.Is(':')) lexer_.Fail(colon.line, "expected ':' after '" + name.text + "', found " + Shown(colon));
    Token cls = Next();
    if (cls.kind != Token::Name) lexer_.Fail(cls.line, "expected a class name after ':', found " + Shown(cls));
    h.name = name.text;
    h.className = cls.text;
    h.entry = TClassRegistry::Instance().Find(cls.text);
    if (h.entry == nullptr) lexer_.Fail(cls.line, "unknown class '" + cls.text + "'");
    return h;
  }

  void ReadBody(TComponent* c, const Header& h) {
    for (;;) {
      // Each statement starts a line of its own; anything after a complete one is a mistake.
      const int previous = lastLine_;
      Token t = Next();
      if (t.kind == Token::Eof) lexer_.Fail(h.line, "missing 'end' of object '" + h.name + ": " + h.className + "'");
      if (t.kind != Token::Name || t.line == previous) lexer_.Fail(t.line, "unexpected text " + Shown(t));
      if (t.IsWord("end")) return;
      if (t.IsWord("object"))
        ReadChild(c, t);
      else
        ReadProperty(c, h, t);
    }
  }

  void ReadChild(TComponent* container, const Token& object) {
    const Header h = ReadHeader(object);
    for (int i = 0; i < root_->ComponentCount(); ++i)
      if (platform::EqualsNoCase(root_->Components(i)->Name(), h.name))
        lexer_.Fail(h.line, "a component named '" + h.name + "' already exists");
    TComponent* c = Guarded(h.line, h.name, [&] { return h.entry->create(root_); });
    if (c == nullptr) lexer_.Fail(h.line, "class '" + h.className + "' made no component");
    created_.push_back(c);
    c->BeginLoading();
    c->SetName(h.name);
    if (SetParentHook) Guarded(h.line, h.name, [&] { SetParentHook(c, container); });
    ReadBody(c, h);
  }

  void ReadProperty(TComponent* c, const Header& h, const Token& name) {
    Token eq = Next();
    if (!eq.Is('='))
      lexer_.Fail(eq.kind == Token::Eof ? name.line : eq.line,
                  "expected '=' after '" + name.text + "', found " + Shown(eq));
    const TPropertyTable::Setter* setter = h.entry->properties ? h.entry->properties->Find(name.text) : nullptr;
    if (setter == nullptr) lexer_.Fail(name.line, "unknown property '" + name.text + "' of " + h.className);
    const TPropValue value = ReadValue(name.text, eq.line);
    Guarded(value.line, "bad value for " + name.text, [&] { (*setter)(c, value); });
  }

  TPropValue ReadValue(const std::string& property, int equalsLine) {
    Token t = Next();
    // A value left out would otherwise swallow the next line's property name.
    if (t.kind == Token::Eof || t.line != equalsLine) lexer_.Fail(equalsLine, "missing value for " + property);
    TPropValue v;
    v.line = t.line;
    if (t.kind == Token::Number || t.Is('-') || t.Is('+')) {
      const bool negative = t.Is('-');
      if (t.kind == Token::Symbol) {
        Token digits = Next();
        if (digits.kind != Token::Number || digits.line != t.line) BadValue(digits, property);
        t = std::move(digits);
      }
      constexpr unsigned long long kMax = 0x7FFFFFFFFFFFFFFFULL;
      if (t.number > kMax + (negative ? 1 : 0)) lexer_.Fail(t.line, "number out of range for " + property);
      v.kind = TPropValue::Integer;
      if (negative)
        v.integer = t.number == kMax + 1 ? -static_cast<long long>(kMax) - 1 : -static_cast<long long>(t.number);
      else
        v.integer = static_cast<long long>(t.number);
    } else if (t.kind == Token::String) {
      v.kind = TPropValue::String;
      v.text = ReadStringTail(std::move(t), property);
    } else if (t.kind == Token::Name) {
      const std::string word = AsciiLower(t.text);
      if (word == "true" || word == "false") {
        v.kind = TPropValue::Boolean;
        v.boolean = word == "true";
      } else {
        v.kind = TPropValue::Ident;
        v.text = t.text;
      }
    } else if (t.Is('[')) {
      v.kind = TPropValue::Set;
      ReadSet(t, property, v.items);
    } else if (t.Is('(')) {
      v.kind = TPropValue::Strings;
      ReadList(t, property, v.items);
    } else {
      BadValue(t, property);
    }
    return v;
  }

  // Long texts are split into parts joined by '+', usually at the ends of lines.
  std::string ReadStringTail(Token first, const std::string& property) {
    std::string text = std::move(first.text);
    while (lexer_.Peek().Is('+')) {
      const Token plus = Next();
      Token part = Next();
      if (part.kind == Token::Eof) lexer_.Fail(plus.line, "missing text after '+' in " + property);
      if (part.kind != Token::String) BadValue(part, property);
      text += part.text;
    }
    return text;
  }

  void ReadSet(const Token& open, const std::string& property, std::vector<std::string>& items) {
    Token t = Next();
    if (t.Is(']')) return;
    for (;;) {
      if (t.kind == Token::Eof) lexer_.Fail(open.line, "missing ']' in " + property);
      if (t.kind != Token::Name) BadValue(t, property);
      items.push_back(t.text);
      t = Next();
      if (t.Is(']')) return;
      if (t.kind == Token::Eof) lexer_.Fail(open.line, "missing ']' in " + property);
      if (!t.Is(',')) BadValue(t, property);
      t = Next();
    }
  }

  void ReadList(const Token& open, const std::string& property, std::vector<std::string>& items) {
    for (;;) {
      Token t = Next();
      if (t.Is(')')) return;
      if (t.kind == Token::Eof) lexer_.Fail(open.line, "missing ')' in " + property);
      if (t.kind != Token::String) BadValue(t, property);
      items.push_back(ReadStringTail(std::move(t), property));
    }
  }

  TComponent* root_;
  Lexer lexer_;
  const std::string& source_;
  std::vector<TComponent*> created_;  // in creation order
  int lastLine_ = 0;                  // the line of the token taken last
};

}  // namespace

void TDescriptionReader::Read(TComponent* root, const std::string& text, const std::string& sourceName) {
  Reader reader(root, text, sourceName);
  try {
    reader.Run();
  } catch (...) {
    reader.FreeCreated();
    throw;
  }
  reader.EndLoading();
}
