#include "console/script_parser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

#include "framework/afx/printable_text.h"
#include "framework/afx/win_types.h"

namespace console {

namespace {

struct VerbSpec {
    Verb verb;
    int argCount;
    const char* usage;
};

const std::map<std::string, VerbSpec>& verbs() {
    static const std::map<std::string, VerbSpec> table = {
        {"page", {Verb::Page, 1, "page NAME"}},
        {"click", {Verb::Click, 1, "click LABEL"}},
        {"type", {Verb::Type, 2, "type LABEL TEXT"}},
        {"choose", {Verb::Choose, 2, "choose LABEL ENTRY"}},
        {"select", {Verb::Select, 2, "select LABEL ROW[,ROW...]"}},
        {"dblclick", {Verb::DblClick, 2, "dblclick LABEL ENTRY"}},
        {"drag", {Verb::Drag, 2, "drag LABEL ROW"}},
        {"apply", {Verb::Apply, 0, "apply"}},
        {"ok", {Verb::Ok, 0, "ok"}},
        {"cancel", {Verb::Cancel, 0, "cancel"}},
        {"refresh", {Verb::Refresh, 0, "refresh"}},
        {"help", {Verb::Help, 0, "help"}},
        {"answer", {Verb::Answer, 1, "answer yes|no|ok|cancel"}},
        {"wait", {Verb::Wait, 1, "wait MS"}},
        {"dump", {Verb::Dump, 0, "dump"}},
        {"sheet", {Verb::Sheet, 1, "sheet main|NUMBER|CAPTION"}},
    };
    return table;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool parseRow(const std::string& text, int* row) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *row);
    return !text.empty() && ec == std::errc() && ptr == end && *row >= 0;
}

bool parseRows(const std::string& text, std::vector<int>* rows) {
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        int row = 0;
        if (!parseRow(text.substr(start, comma == std::string::npos ? comma : comma - start),
                      &row)) {
            return false;
        }
        rows->push_back(row);
        if (comma == std::string::npos) {
            return true;
        }
        start = comma + 1;
    }
}

// Checks and converts the verb's own arguments; the message names what is wrong.
bool completeStep(ScriptStep* step, std::string* error) {
    switch (step->verb) {
        case Verb::Select:
            if (!parseRows(step->args[1], &step->rows)) {
                *error = "rows must be numbers from 0, separated by commas: " +
                         scriptExcerpt(step->args[1]);
                return false;
            }
            return true;
        case Verb::Drag:
            step->rows.resize(1);
            if (!parseRow(step->args[1], &step->rows[0])) {
                *error = "the row must be a number from 0: " + scriptExcerpt(step->args[1]);
                return false;
            }
            return true;
        case Verb::Answer: {
            static const std::map<std::string, int> answers = {
                {"yes", IDYES}, {"no", IDNO}, {"ok", IDOK}, {"cancel", IDCANCEL}};
            const auto it = answers.find(lower(step->args[0]));
            if (it == answers.end()) {
                *error = "expected yes, no, ok or cancel, not " + scriptExcerpt(step->args[0]);
                return false;
            }
            step->answer = it->second;
            return true;
        }
        case Verb::Wait: {
            const std::string& ms = step->args[0];
            const char* end = ms.data() + ms.size();
            auto [ptr, ec] = std::from_chars(ms.data(), end, step->waitMs);
            if (ms.empty() || ec != std::errc() || ptr != end || step->waitMs < 0) {
                *error = "expected milliseconds, not " + scriptExcerpt(ms);
                return false;
            }
            return true;
        }
        default:
            return true;
    }
}

}  // namespace

bool splitWords(std::string_view line, std::vector<std::string>* words, std::string* error) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        std::string word;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) {
            if (line[i] != '"') {
                word += line[i++];
                continue;
            }
            // A quoted part, which may sit inside a word: ab"c d" is one word "abc d".
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
                    word += line[i++];
                } else {
                    word += c;
                }
            }
            if (!closed) {
                *error = "unterminated quote";
                return false;
            }
        }
        words->push_back(std::move(word));
    }
    return true;
}

ScriptParseResult parseScript(std::string_view text) {
    ScriptParseResult result;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto newline = text.find('\n', start);
        std::string_view line =
            text.substr(start, newline == text.npos ? text.npos : newline - start);
        start = newline == text.npos ? text.size() : newline + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        // Blank as splitWords sees blanks: a line of only a carriage return or a form feed
        // holds no word.
        const auto firstWord = std::find_if(line.begin(), line.end(), [](char c) {
            return !std::isspace(static_cast<unsigned char>(c));
        });
        if (firstWord == line.end() || *firstWord == '#') {
            continue;
        }
        const auto first = static_cast<std::size_t>(firstWord - line.begin());
        auto fail = [&](const std::string& why) {
            result.error = "line " + std::to_string(lineNumber) + ": " +
                           scriptExcerpt(line.substr(first)) + ": " + why;
        };
        std::vector<std::string> words;
        std::string error;
        if (!splitWords(line, &words, &error)) {
            fail(error);
            return result;
        }
        const auto verbEntry = verbs().find(lower(words[0]));
        if (verbEntry == verbs().end()) {
            fail("unknown action " + scriptExcerpt(words[0]));
            return result;
        }
        ScriptStep step;
        step.line = lineNumber;
        step.text = std::string(line.substr(first));
        step.verb = verbEntry->second.verb;
        step.args.assign(words.begin() + 1, words.end());
        if (static_cast<int>(step.args.size()) != verbEntry->second.argCount) {
            fail(std::string("expected ") + verbEntry->second.usage +
                 " (put texts with blanks in double quotes)");
            return result;
        }
        if (!completeStep(&step, &error)) {
            fail(error);
            return result;
        }
        result.steps.push_back(std::move(step));
    }
    return result;
}

std::string scriptExcerpt(std::string_view text) {
    return afx::printableExcerpt(text, 120);
}

}  // namespace console
