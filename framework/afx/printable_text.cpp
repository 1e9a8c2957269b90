#include "framework/afx/printable_text.h"

#include <cstdio>

namespace afx {

namespace {

void appendHex(std::string& out, unsigned char byte) {
    char buffer[5];
    std::snprintf(buffer, sizeof buffer, "\\x%02x", byte);
    out += buffer;
}

// Bytes of the well-formed UTF-8 sequence at text[at] that is not a C1 control; 0 if none.
std::size_t printableSequence(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned int code = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        code = lead & 0x1fu;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        code = lead & 0x0fu;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xc0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (byte(at + i) & 0x3fu);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool invalid = code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff);
    const bool c1 = code >= 0x80 && code <= 0x9f;
    return overlong || invalid || c1 ? 0 : length;
}

std::string escape(std::string_view text, bool keepLineBreaks) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto ch = static_cast<unsigned char>(text[i]);
        if (ch >= 0x80) {
            const std::size_t length = printableSequence(text, i);
            if (length == 0) {
                appendHex(out, ch);
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        ++i;
        if (ch == '\n') {
            out += keepLineBreaks ? "\n" : "\\n";
        } else if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\t') {
            out += "\\t";
        } else if (ch < 0x20 || ch == 0x7f) {
            appendHex(out, ch);
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out;
}

}  // namespace

std::string printableText(std::string_view text) {
    return escape(text, false);
}

std::string printableLines(std::string_view text) {
    return escape(text, true);
}

std::string printableExcerpt(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return printableText(text);
    }
    // Not in the middle of a UTF-8 sequence.
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xc0u) == 0x80u) {
        --cut;
    }
    return printableText(text.substr(0, cut)) + "...";
}

}  // namespace afx
