#include "framework/sw/drag_drop_string.h"

#include <charconv>

namespace sw {

namespace {

constexpr const char* kTag = "SWDRAG/1";

std::string escaped(const std::string& text) {
    std::string out;
    for (char ch : text) {
        switch (ch) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += ch;
        }
    }
    return out;
}

std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            out += next == 't' ? '\t' : next == 'n' ? '\n' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? at : at - start));
        if (at == std::string::npos) {
            return parts;
        }
        start = at + 1;
    }
}

bool toInt(const std::string& text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string formatDragDropString(const DragDropFields& f) {
    std::string index;
    for (std::size_t i = 0; i < f.index.size(); ++i) {
        index += (i ? "," : "") + f.index[i];
    }
    return std::string(kTag) + "\tagent=" + escaped(f.agent) + "\tvar=" + escaped(f.variable) +
           "\tvalue=" + escaped(f.value) + "\tindex=" + escaped(index) +
           "\tlabel=" + escaped(f.label) + "\tsource=" + escaped(f.source) +
           "\tslot=" + std::to_string(f.slot) + "\tport=" + std::to_string(f.port) +
           "\tunit=" + std::to_string(f.unit);
}

bool parseDragDropString(const std::string& text, DragDropFields& f) {
    const std::vector<std::string> fields = split(text, '\t');
    static const char* const keys[] = {"agent",  "var",  "value", "index", "label",
                                       "source", "slot", "port",  "unit"};
    if (fields.size() != 10 || fields[0] != kTag) {
        return false;
    }
    std::string values[9];
    for (std::size_t i = 0; i < 9; ++i) {
        const std::string prefix = std::string(keys[i]) + "=";
        if (fields[i + 1].rfind(prefix, 0) != 0) {
            return false;
        }
        values[i] = fields[i + 1].substr(prefix.size());
    }
    DragDropFields parsed;
    parsed.agent = unescaped(values[0]);
    parsed.variable = unescaped(values[1]);
    parsed.value = unescaped(values[2]);
    if (!values[3].empty()) {
        parsed.index = split(unescaped(values[3]), ',');
    }
    parsed.label = unescaped(values[4]);
    parsed.source = unescaped(values[5]);
    if (!toInt(values[6], parsed.slot) || !toInt(values[7], parsed.port) ||
        !toInt(values[8], parsed.unit)) {
        return false;
    }
    f = std::move(parsed);
    return true;
}

}  // namespace sw
