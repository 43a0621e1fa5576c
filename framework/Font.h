// A font: face, character height in pixels, style and colour. Controls own one each and
// are told when it changes.
#pragma once

#include <functional>
#include <string>

#include "framework/Color.h"
#include "framework/Component.h"
#include "platform/ui/Peers.h"

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = int;  // a set of TFontStyle bits

class TFont : public TObject {
 public:
  const std::string& Name() const { return name_; }
  void SetName(const std::string& v);
  // The character height in pixels (a description's negative Height means the same).
  int Height() const { return height_; }
  void SetHeight(int v);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int Charset() const { return charset_; }
  void SetCharset(int v) { charset_ = v; }

  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const;
  platform::ui::FontSpec AsFontSpec() const;

  std::function<void()> OnChange;

 private:
  void Changed();
  std::string name_ = "ＭＳ Ｐゴシック";
  int height_ = 12;
  TFontStyles style_ = 0;
  TColor color_ = clWindowText;
  int charset_ = 128;  // Shift-JIS
};
