// Readable names for parameterised cases, so that CTest lists "Texts/…/seg7_12pt5_in5" rather
// than the bytes of the case.
#pragma once

#include <string>
#include <string_view>

namespace quillo::testing_names {

// Letters and digits are kept; punctuation is spelt out; anything else becomes "_".
inline std::string Spell(std::string_view text) {
  std::string out;
  for (char ch : text) {
    if ((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'))
      out += ch;
    else if (ch == '.')
      out += "pt";
    else if (ch == ',')
      out += "comma";
    else if (ch == ':')
      out += "colon";
    else
      out += '_';
  }
  return out.empty() ? "empty" : out;
}

}  // namespace quillo::testing_names
