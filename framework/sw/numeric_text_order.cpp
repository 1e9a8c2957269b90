#include "framework/sw/numeric_text_order.h"

#include <cctype>
#include <optional>

namespace sw {

namespace {

struct LeadingNumber {
    long double value;
    std::string_view rest;
};

std::string_view trimmedLeft(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    return text;
}

// Digits may carry a sign; the value is exact for the integers lists hold (counters fit).
std::optional<LeadingNumber> leadingNumber(std::string_view text) {
    text = trimmedLeft(text);
    std::size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    if (negative || (at < text.size() && text[at] == '+')) {
        ++at;
    }
    const std::size_t digitsStart = at;
    long double value = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    if (at == digitsStart) {
        return std::nullopt;
    }
    return LeadingNumber{negative ? -value : value, text.substr(at)};
}

int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

int compareNumericTexts(std::string_view a, std::string_view b) {
    const auto na = leadingNumber(a);
    const auto nb = leadingNumber(b);
    if (na && nb) {
        if (na->value != nb->value) {
            return na->value < nb->value ? -1 : 1;
        }
        return compareNoCase(na->rest, nb->rest);
    }
    if (na || nb) {
        return na ? -1 : 1;
    }
    return compareNoCase(a, b);
}

}  // namespace sw
