#include "framework/Font.h"

void TFont::Changed() {
  if (OnChange) OnChange();
}

void TFont::SetName(const std::string& v) {
  if (v == name_) return;
  name_ = v;
  Changed();
}

void TFont::SetHeight(int v) {
  if (v < 0) v = -v;
  if (v == height_) return;
  height_ = v;
  Changed();
}

void TFont::SetStyle(TFontStyles v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TFont::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}

bool TFont::SameAs(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && color_ == o.color_ && charset_ == o.charset_;
}

void TFont::Assign(const TFont& o) {
  if (SameAs(o)) return;
  name_ = o.name_;
  height_ = o.height_;
  style_ = o.style_;
  color_ = o.color_;
  charset_ = o.charset_;
  Changed();
}

platform::ui::FontSpec TFont::AsFontSpec() const {
  platform::ui::FontSpec s;
  s.name = name_;
  s.height = height_;
  s.bold = style_ & fsBold;
  s.italic = style_ & fsItalic;
  s.underline = style_ & fsUnderline;
  s.strikeOut = style_ & fsStrikeOut;
  s.color = ColorToRGB(color_);
  return s;
}
