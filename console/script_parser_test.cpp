#include "console/script_parser.h"

#include <gtest/gtest.h>

#include "framework/afx/win_types.h"

namespace console {
namespace {

TEST(ScriptParser, QuotedWordsKeepBlanksAndEscapes) {
    std::vector<std::string> words;
    std::string error;
    ASSERT_TRUE(splitWords(R"(type "Description:" "core \"uplink\" 1\\2")", &words, &error));
    EXPECT_EQ(words, (std::vector<std::string>{"type", "Description:", R"(core "uplink" 1\2)"}));

    words.clear();
    ASSERT_TRUE(splitWords("  click   Apply\t", &words, &error));
    EXPECT_EQ(words, (std::vector<std::string>{"click", "Apply"}));

    // An empty quoted text is a word of its own: it clears an edit.
    words.clear();
    ASSERT_TRUE(splitWords(R"(type Description "")", &words, &error));
    EXPECT_EQ(words, (std::vector<std::string>{"type", "Description", ""}));

    words.clear();
    EXPECT_FALSE(splitWords(R"(type "Description: oops)", &words, &error));
    EXPECT_EQ(error, "unterminated quote");
}

TEST(ScriptParser, CommentsBlankLinesAndLineNumbers) {
    const ScriptParseResult r = parseScript(
        "# open the status page\n"
        "\n"
        "page PortStatus\r\n"
        "   # indented comment\n"
        "select Ports 0,2\n"
        "choose \"Admin Status:\" disabled\n"
        "answer Yes\n"
        "apply\n"
        "wait 3000\n"
        "drag Ports 1\n"
        "dump");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.steps.size(), 8u);
    EXPECT_EQ(r.steps[0].line, 3);
    EXPECT_EQ(r.steps[0].verb, Verb::Page);
    EXPECT_EQ(r.steps[0].text, "page PortStatus");  // without the carriage return
    EXPECT_EQ(r.steps[1].line, 5);
    EXPECT_EQ(r.steps[1].rows, (std::vector<int>{0, 2}));
    EXPECT_EQ(r.steps[2].args, (std::vector<std::string>{"Admin Status:", "disabled"}));
    EXPECT_EQ(r.steps[3].answer, IDYES);
    EXPECT_EQ(r.steps[5].waitMs, 3000);
    EXPECT_EQ(r.steps[6].rows, (std::vector<int>{1}));
    EXPECT_EQ(r.steps[7].verb, Verb::Dump);
    EXPECT_EQ(r.steps[7].line, 11);
}

TEST(ScriptParser, EveryVerbIsKnownWhateverItsCase) {
    const ScriptParseResult r = parseScript(
        "PAGE a\nclick a\ntype a b\nchoose a b\nselect a 1\ndblclick a b\ndrag a 0\napply\nok\n"
        "cancel\nrefresh\nhelp\nanswer no\nanswer ok\nanswer cancel\nwait 0\ndump\n");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.steps.size(), 17u);
    EXPECT_EQ(r.steps[12].answer, IDNO);
    EXPECT_EQ(r.steps[13].answer, IDOK);
    EXPECT_EQ(r.steps[14].answer, IDCANCEL);
}

struct Refusal {
    const char* script;
    const char* error;
};

TEST(ScriptParser, RefusalsNameTheLineTheTextAndWhy) {
    const Refusal cases[] = {
        {"page General\n\nfrobnicate now\n", "line 3: frobnicate now: unknown action frobnicate"},
        {"type Description\n",
         "line 1: type Description: expected type LABEL TEXT (put texts with blanks in double "
         "quotes)"},
        {"type Description core uplink\n",
         "line 1: type Description core uplink: expected type LABEL TEXT (put texts with "
         "blanks in double quotes)"},
        {"apply now\n",
         "line 1: apply now: expected apply (put texts with blanks in double quotes)"},
        {"# c\nclick \"Apply\n", "line 2: click \"Apply: unterminated quote"},
        {"select Ports 1,,2\n",
         "line 1: select Ports 1,,2: rows must be numbers from 0, separated by commas: 1,,2"},
        {"select Ports -1\n",
         "line 1: select Ports -1: rows must be numbers from 0, separated by commas: -1"},
        {"drag Ports x\n", "line 1: drag Ports x: the row must be a number from 0: x"},
        {"answer maybe\n", "line 1: answer maybe: expected yes, no, ok or cancel, not maybe"},
        {"wait soon\n", "line 1: wait soon: expected milliseconds, not soon"},
        {"wait -5\n", "line 1: wait -5: expected milliseconds, not -5"},
    };
    for (const Refusal& c : cases) {
        const ScriptParseResult r = parseScript(c.script);
        EXPECT_FALSE(r.ok()) << c.script;
        EXPECT_EQ(r.error, c.error);
    }
}

// Found by fuzzing: a line of carriage returns was taken for a line with an action.
TEST(ScriptParser, LinesOfOnlyControlBlanksAreBlankLines) {
    const ScriptParseResult r = parseScript("\r\r\n\f\n\v \t\r\npage General\r\n");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.steps.size(), 1u);
    EXPECT_EQ(r.steps[0].line, 4);
}

}  // namespace
}  // namespace console
