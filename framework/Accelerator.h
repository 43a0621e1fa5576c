// The accelerator character of a caption: the character after an ampersand, decoded from
// UTF-8, compared without regard to the case of ASCII and Latin-1 letters.
#pragma once

#include <string>

// The character after the first '&'; with skipDoubled, "&&" is a plain ampersand and the
// search goes on after it. 0 when the caption marks none.
char32_t AcceleratorOf(const std::string& caption, bool skipDoubled);
bool SameAccelerator(char32_t a, char32_t b);
