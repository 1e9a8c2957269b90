#pragma once
// Text from outside (agents, scenario files, scripts) made safe for a terminal: control
// bytes and bytes that are not UTF-8 are shown as escapes ("\x1b"), so such text can
// neither move the cursor, recolour the screen nor pass itself off as other output.

#include <cstddef>
#include <string>
#include <string_view>

namespace afx {

// \n, \r and \t as those escapes, other C0 and C1 controls, DEL and bytes outside a
// well-formed UTF-8 sequence as \xHH; everything else as it is.
std::string printableText(std::string_view text);
// As printableText, but line breaks stay (message boxes of several lines).
std::string printableLines(std::string_view text);
// printableText, cut after maxBytes of the original text with "..." appended.
std::string printableExcerpt(std::string_view text, std::size_t maxBytes);

}  // namespace afx
