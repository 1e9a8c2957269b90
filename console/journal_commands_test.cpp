// The console's journal options and commands: where the journal goes, what stops a set
// before anything is sent, and what --history and --undo say about a journal they read.
#include "console/journal_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/command_output.h"
#include "tests/support/private_state_home.h"

namespace console {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

// Every console these tests (and the others of this program) run journals in a folder of
// the test, never in the user's home.
const bool kPrivateStateHome = test_support::usePrivateStateHome();

using ConsoleRun = test_support::CommandOutput;

ConsoleRun swconsole(const std::string& args) {
    return test_support::runCommand(std::string(SW_SWCONSOLE_PATH) + " " + args);
}

class Folder {
public:
    Folder()
        : m_path(
              std::filesystem::temp_directory_path() /
              ("journal_commands_" + std::to_string(getpid()) + "_" + std::to_string(s_count++))) {
        std::filesystem::create_directories(m_path);
    }
    ~Folder() { std::filesystem::remove_all(m_path); }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(file(name)) << text;
        return file(name);
    }

private:
    static inline int s_count = 0;
    std::filesystem::path m_path;
};

std::string statusChange(const std::string& extra) {
    return "--slot 1 --port 2 --select 1/1,1/2 --page PortStatus --trace " + extra + " --script " +
           SW_CONSOLE_EXAMPLES_DIR + "/status_change.txt";
}

std::vector<std::string> pduLines(const std::string& output, const std::string& kind) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("trace: PDU " + kind, 0) == 0) {
            lines.push_back(line.substr(7));
        }
    }
    return lines;
}

TEST(JournalOptions, AreTakenOutWithoutEatingTheValuesOfOtherOptions) {
    std::vector<std::string> args = {"-c",       "--history",  "--history",
                                     "--page",   "PortStatus", "--journal=/tmp/j.jsonl",
                                     "--preview"};
    JournalOptions options;
    std::string error;
    ASSERT_TRUE(extractJournalOptions(args, &options, &error)) << error;
    EXPECT_THAT(args, ElementsAre("-c", "--history", "--page", "PortStatus"));
    EXPECT_EQ(options.history, kDefaultHistoryCount);
    EXPECT_EQ(options.path, "/tmp/j.jsonl");
    EXPECT_TRUE(options.preview);

    args = {"--history", "5", "--agent", "sim"};
    options = {};
    ASSERT_TRUE(extractJournalOptions(args, &options, &error));
    EXPECT_EQ(options.history, 5);
    EXPECT_THAT(args, ElementsAre("--agent", "sim"));

    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"--undo", "x"}, "--undo: expected the number of a change"},
        {{"--undo"}, "option --undo needs a value"},
        {{"--history=0"}, "--history: expected a count"},
        {{"--history", "--undo", "3"}, "cannot be given together"},
        {{"--journal", "none", "--undo", "3"}, "--undo reads the change journal"},
        {{"--preview=yes"}, "--preview takes no value"},
    };
    for (const auto& [given, why] : bad) {
        std::vector<std::string> copy = given;
        JournalOptions ignored;
        EXPECT_FALSE(extractJournalOptions(copy, &ignored, &error));
        EXPECT_THAT(error, HasSubstr(why));
    }
}

TEST(JournalCommands, SetsAreJournaledByDefaultUnderTheStateHomeAfterOneGetBefore) {
    ASSERT_TRUE(kPrivateStateHome);
    const std::string path = defaultJournalPath();
    ASSERT_THAT(path, HasSubstr("/sw-test-state-"));
    std::filesystem::remove(path);
    const ConsoleRun run = swconsole(statusChange(""));
    ASSERT_EQ(run.status, 0) << run.output;
    const auto sets = pduLines(run.output, "SET ");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_THAT(run.output, HasSubstr("PDU GET phyPortDescription.1.2, phyPortAdmStatus.1.2\n"
                                      "trace: PDU SET phyPortDescription.1.2=Lab printer"));
    std::string error;
    const mib::JournalContents read = mib::readJournal(path, &error);
    ASSERT_EQ(read.changes.size(), 1u);
    EXPECT_EQ(read.changes[0].agentAddress, "sim");
    EXPECT_EQ(read.changes[0].source.page, "CEnetPortStatusPage");

    // --journal none: the set goes alone.
    const ConsoleRun none = swconsole(statusChange("--journal none"));
    ASSERT_EQ(none.status, 0) << none.output;
    EXPECT_THAT(none.output, Not(HasSubstr("PDU GET phyPortDescription.1.2, phyPortAdmStatus")));
    EXPECT_EQ(pduLines(none.output, "SET ").size(), 1u);
}

TEST(JournalCommands, APreviewIsAnsweredByTheScriptAndNoSendsNothing) {
    Folder folder;
    const std::string journal = folder.file("journal.jsonl");
    const std::string script =
        folder.write("preview.txt",
                     "select \"Physical Ports\" 1\ntype Description \"Lab printer\"\n"
                     "answer no\napply\ntype Description Spare\nanswer yes\napply\n");
    const ConsoleRun run = swconsole(
        "--slot 1 --port 2 --select 1/1,1/2 --page PortStatus --trace --preview "
        "--journal " +
        journal + " --script " + script);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_THAT(run.output,
                HasSubstr("message box \"Preview\" (question icon, Yes/No, default No): Send this "
                          "change to demo-switch?\n\n"
                          "phyPortDescription 1.2: \"Port 1/2\" -> \"Lab printer\"\n"
                          "phyPortAdmStatus 1.2: enabled(1) -> enabled(1)\n  -> No\n"));
    EXPECT_THAT(run.output, HasSubstr("\"Port 1/2\" -> \"Spare\""));
    const auto sets = pduLines(run.output, "SET ");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_THAT(sets[0], HasSubstr("phyPortDescription.1.2=Spare"));
    std::string error;
    const mib::JournalContents read = mib::readJournal(journal, &error);
    ASSERT_EQ(read.changes.size(), 1u);
    EXPECT_EQ(read.changes[0].varbinds[0].sent, mib::Value::makeString("Spare"));
}

TEST(JournalCommands, AnUnwritableJournalStopsTheConsoleBeforeAnythingIsSent) {
    const ConsoleRun run = swconsole(statusChange("--journal /nonexistent-dir/journal.jsonl"));
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.output, HasSubstr("cannot write the change journal "
                                      "/nonexistent-dir/journal.jsonl"));
    EXPECT_THAT(run.output, HasSubstr("--journal none"));
    EXPECT_THAT(run.output, Not(HasSubstr("PDU")));
}

TEST(JournalCommands, HistoryListsTheAgentsChangesAndNamesTheLinesItSkips) {
    Folder folder;
    const std::string journal = folder.file("journal.jsonl");
    ASSERT_EQ(swconsole(statusChange("--journal " + journal)).status, 0);
    { std::ofstream(journal, std::ios::app) << "{not json\n"; }
    ASSERT_EQ(swconsole(statusChange("--journal " + journal)).status, 0);
    std::ofstream(journal, std::ios::app) << R"({"record":"change","id":9,"ti)";

    const ConsoleRun history = swconsole("--journal " + journal + " --history 1");
    EXPECT_EQ(history.status, 0) << history.output;
    EXPECT_THAT(history.output, HasSubstr("line 3 is not valid JSON; skipped"));
    EXPECT_THAT(history.output, HasSubstr("line 6 is incomplete"));
    EXPECT_THAT(history.output, HasSubstr("the last 1 of 2 changes to sim in " + journal));
    EXPECT_THAT(history.output, HasSubstr("change 2  "));
    EXPECT_THAT(history.output, Not(HasSubstr("change 1  ")));
    EXPECT_THAT(history.output, HasSubstr("CEnetPortStatusPage  done\n"
                                          "  phyPortDescription 1.2: \"Port 1/2\" -> \"Lab "
                                          "printer\"\n"
                                          "  phyPortAdmStatus 1.2: enabled(1) -> disabled(2)\n"));

    const ConsoleRun other =
        swconsole("--journal " + journal + " --history --agent udp:127.0.0.1:9");
    EXPECT_EQ(other.status, 0);
    EXPECT_THAT(other.output, HasSubstr("no change to udp:127.0.0.1:9 in " + journal));
}

TEST(JournalCommands, AnUndoOfAnUnknownChangeOrOfAnotherAgentsIsRefusedNamingIt) {
    Folder folder;
    const std::string journal = folder.file("journal.jsonl");
    ASSERT_EQ(swconsole(statusChange("--journal " + journal)).status, 0);

    const ConsoleRun missing = swconsole("--journal " + journal + " --undo 42");
    EXPECT_EQ(missing.status, 2);
    EXPECT_THAT(missing.output, HasSubstr("--undo 42: there is no change 42 in " + journal));

    const ConsoleRun elsewhere =
        swconsole("--journal " + journal + " --undo 1 --agent udp:127.0.0.1:9 -t 1 -r 0");
    EXPECT_EQ(elsewhere.status, 2);
    EXPECT_THAT(elsewhere.output, HasSubstr("change 1 was made on demo-switch at sim, not on "
                                            "udp:127.0.0.1:9"));
}

}  // namespace
}  // namespace console
