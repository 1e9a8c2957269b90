#pragma once
// The order of list texts as an operator expects it: texts that start with a number compare
// by that number first (so "9" < "10"), then by the rest; such texts come before texts
// without a number, which compare alphabetically, ignoring case.

#include <string_view>

namespace sw {

// <0, 0 or >0 as a sorts before, with or after b.
int compareNumericTexts(std::string_view a, std::string_view b);

}  // namespace sw
