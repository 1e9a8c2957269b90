#pragma once
// Operator scripts: one action per line, words separated by blanks, texts with blanks in
// double quotes ("\"" and "\\" inside quotes), '#' lines and blank lines ignored.

#include <string>
#include <string_view>
#include <vector>

namespace console {

enum class Verb {
    Page,
    Click,
    Type,
    Choose,
    Select,
    DblClick,
    Drag,
    Apply,
    Ok,
    Cancel,
    Refresh,
    Help,
    Answer,
    Wait,
    Dump,
    Sheet,
};

struct ScriptStep {
    int line = 0;      // 1-based line number in the script
    std::string text;  // the line as written, for messages
    Verb verb = Verb::Dump;
    std::vector<std::string> args;  // unquoted
    std::vector<int> rows;          // select: the rows; drag: the one row
    int answer = 0;                 // answer: IDYES, IDNO, IDOK or IDCANCEL
    int waitMs = 0;                 // wait
};

struct ScriptParseResult {
    std::vector<ScriptStep> steps;
    std::string error;  // "line 3: ..." when the script is refused
    bool ok() const { return error.empty(); }
};

ScriptParseResult parseScript(std::string_view text);

// A script's text quoted in a message: escaped for the terminal and cut after 120 bytes, so a
// line can be recognised but never fills the screen.
std::string scriptExcerpt(std::string_view text);

// Words of one line; false (and *error) on an unterminated quote.
bool splitWords(std::string_view line, std::vector<std::string>* words, std::string* error);

}  // namespace console
