// Runs the built swconsole as an operator would, with the module loaded through dlopen.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "console/swconsole_test_support.h"

namespace {

using console::testing::ConsoleRun;
using console::testing::runSwconsole;
using test_support::shellQuoted;

class ScriptFile {
public:
    explicit ScriptFile(const std::string& text)
        : m_path(std::filesystem::temp_directory_path() /
                 ("swconsole_test_" + std::to_string(getpid()) + "_" + std::to_string(s_count++) +
                  ".txt")) {
        std::ofstream(m_path) << text;
    }
    ~ScriptFile() { std::filesystem::remove(m_path); }
    std::string arg() const { return shellQuoted(m_path.string()); }

private:
    static inline int s_count = 0;
    std::filesystem::path m_path;
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The image number a dumped list draws before the row of slot/port; -1 when there is no row.
int rowImage(const std::string& dump, int slot, int port) {
    const std::regex row("#(\\d+) +" + std::to_string(slot) + " +" + std::to_string(port) + " ");
    std::smatch match;
    return std::regex_search(dump, match, row) ? std::stoi(match[1]) : -1;
}

TEST(Swconsole, TheGeneralExampleShowsTheSimulatedSwitchsFirstPort) {
    const ConsoleRun run = runSwconsole("--page PortGeneral --script " +
                                        shellQuoted(SW_CONSOLE_EXAMPLES_DIR "/general.txt"));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(contains(run.output, "IP Address: 127.0.0.1")) << run.output;
    EXPECT_TRUE(contains(run.output, "Slot: 1\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "Port: 1\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "Port Type: 10/100BASE-TX Auto")) << run.output;
    EXPECT_TRUE(contains(run.output, "Description: 10/100 Mb/s Ethernet")) << run.output;
}

TEST(Swconsole, AChosenPortAndTheTraceOfItsReads) {
    const ConsoleRun run = runSwconsole("--slot 2 --port 5 --page portgeneral --dump --trace");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(contains(run.output, "== Ethernet Slot:2 Port:5 ==")) << run.output;
    EXPECT_TRUE(contains(run.output, "Slot: 2\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "Port: 5\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "trace: ")) << run.output;
}

TEST(Swconsole, UsageErrorsExitWithTwoAndSayWhy) {
    ConsoleRun run = runSwconsole("--module /nowhere/libtorvik.so --dump");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.output, "cannot load the module /nowhere/libtorvik.so")) << run.output;

    run = runSwconsole("--colour");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.output, "unknown option --colour")) << run.output;

    run = runSwconsole("--page NoSuchPage");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.output, "Enet Page <NoSuchPage> not found")) << run.output;
    EXPECT_TRUE(contains(run.output, "the module has no page NoSuchPage")) << run.output;

    // Said before any switch is asked: an agent that never answers does not delay it.
    const auto started = std::chrono::steady_clock::now();
    run = runSwconsole("udp:127.0.0.1:9 -t 10 -r 0 --page NoSuchPage");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.output, "the module has no page NoSuchPage")) << run.output;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));

    run = runSwconsole("--agent sim:/nowhere/scenario.json");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.output, "/nowhere/scenario.json")) << run.output;

    run = runSwconsole("--script /nowhere/script.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.output, "cannot read the script /nowhere/script.txt")) << run.output;

    run = runSwconsole("--slot 9 --port 1");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.output, "the chassis has no port 9/1")) << run.output;

    const ScriptFile bad("page PortGeneral\nfly away\n");
    run = runSwconsole("--script " + bad.arg());
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.output, "line 2: fly away: unknown action fly")) << run.output;
}

TEST(Swconsole, AFailedStepExitsWithOneNamingTheLine) {
    const ScriptFile script("page PortGeneral\n# nothing is called that\nclick \"Launch\"\n");
    const ConsoleRun run = runSwconsole("--page PortGeneral --script " + script.arg());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.output, "line 3: click \"Launch\": ")) << run.output;
    EXPECT_TRUE(contains(run.output, "Launch")) << run.output;
}

TEST(Swconsole, PagesAreFoundByNameOrTitleAndUnknownOnesListTheSheet) {
    const ScriptFile script("page General\ndump\npage Nowhere\n");
    const ConsoleRun run = runSwconsole("--page PortGeneral --script " + script.arg());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.output, "== General ==")) << run.output;
    EXPECT_TRUE(contains(run.output,
                         "line 3: page Nowhere: no page of that name or title; "
                         "the sheet has PortGeneral"))
        << run.output;
}

TEST(Swconsole, MessageBoxesArePrintedAndAnsweredByDefault) {
    // Cancel asks nobody; OK on an unmodified sheet closes it, after which a dump says so.
    const ScriptFile script("answer ok\nok\ndump\n");
    const ConsoleRun run = runSwconsole("--page PortGeneral --script " + script.arg());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(contains(run.output, "(no window open)")) << run.output;
}

}  // namespace

namespace {

TEST(Swconsole, AScriptedChangeReachesTheSwitchAndShowsInTheList) {
    const ScriptFile script(
        "page PortStatus\n"
        "select \"Physical Ports\" 0\n"
        "type Description: \"core link\"\n"
        "apply\n"
        "dump\n");
    const ConsoleRun run =
        runSwconsole("--page PortStatus --select 1/1,1/2 --trace --script " + script.arg());
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(contains(run.output, "Description: \"core link\"")) << run.output;
    EXPECT_TRUE(contains(run.output, "trace: SendSet(")) << run.output;
}

}  // namespace

namespace {

// 1/1 is up, 1/3 administratively disabled, 1/4 enabled without link in the demo switch.
TEST(Swconsole, StatisticsDrawThePortsAsTheStatusPageDoes) {
    const std::string selection = "--select 1/1,1/3,1/4 --dump";
    const ConsoleRun stats = runSwconsole("--page PortStats " + selection);
    ASSERT_EQ(stats.status, 0) << stats.output;
    EXPECT_FALSE(contains(stats.output, "note:")) << stats.output;
    EXPECT_EQ(rowImage(stats.output, 1, 1), 14) << stats.output;
    EXPECT_EQ(rowImage(stats.output, 1, 3), 13) << stats.output;
    EXPECT_EQ(rowImage(stats.output, 1, 4), 13) << stats.output;

    const ConsoleRun status = runSwconsole("--page PortStatus " + selection);
    ASSERT_EQ(status.status, 0) << status.output;
    for (const auto& [slot, port] : {std::pair{1, 1}, {1, 3}, {1, 4}}) {
        EXPECT_EQ(rowImage(stats.output, slot, port), rowImage(status.output, slot, port))
            << slot << "/" << port << "\n"
            << status.output;
    }
}

}  // namespace

namespace {

TEST(Swconsole, TheTrunkingExampleMakesPort1Slash1CarryGroups10And20) {
    const ConsoleRun run = runSwconsole("--slot 1 --port 1 --page Trunk --script " +
                                        shellQuoted(SW_CONSOLE_EXAMPLES_DIR "/trunking.txt"));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(contains(run.output, "dialog \"Modify 802.1Q Service\" opened")) << run.output;
    EXPECT_TRUE(contains(run.output, "802.1Q Service now Modified\n  -> OK\n")) << run.output;
    const auto page = run.output.rfind("== 802.1Q Trunking ==");
    ASSERT_NE(page, std::string::npos) << run.output;
    const std::string shown = run.output.substr(page);
    for (const char* row :
         {"2  Engineering", "3  Sales", "7  Voice", "10  Building A", "20  Building B"}) {
        EXPECT_TRUE(contains(shown, row)) << row << "\n" << run.output;
    }
}

TEST(Swconsole, AModifyTrunkingDialogLeftOpenIsCancelledAndNothingIsWritten) {
    ScriptFile script("page Trunk\nclick Create/Modify...\nchoose #1552 10\nclick \"Add -->\"\n");
    const ConsoleRun run = runSwconsole("--page Trunk --trace --dump --script " + script.arg());
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(contains(run.output,
                         "dialog \"Modify 802.1Q Service\" left open by the script; "
                         "cancelled"))
        << run.output;
    EXPECT_FALSE(contains(run.output, "trace: SendSet(")) << run.output;
    EXPECT_FALSE(contains(run.output, "10  Building A")) << run.output;
}

TEST(Swconsole, AScriptAddressesAnUnknownSheetAndFails) {
    ScriptFile script("page Trunk\nsheet \"Trunking Properties\"\n");
    const ConsoleRun run = runSwconsole("--page Trunk --script " + script.arg());
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_TRUE(contains(run.output,
                         "line 2: sheet \"Trunking Properties\": no open sheet "
                         "Trunking Properties; open sheets: 0 main \"Ethernet "
                         "Slot:1 Port:1\""))
        << run.output;
}

// Slot 5 of the demo switch is the expander module: its pages, not the Ethernet ones.
TEST(Swconsole, AnExpanderPortOpensTheExpanderPagesEachAlsoByName) {
    const ScriptFile script(
        "page ExpPortGeneral\ndump\npage ExpPortAdmin\ndump\npage ExpPortBrowser\ndump\n");
    const ConsoleRun run = runSwconsole("--slot 5 --port 14 --script " + script.arg());
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(contains(run.output, "== Expander Slot:5 Port:14 ==")) << run.output;
    EXPECT_TRUE(contains(run.output, "PortType: 10BASE-T Expander")) << run.output;
    EXPECT_TRUE(contains(run.output, "== Port Admin ==")) << run.output;
    EXPECT_TRUE(contains(run.output, "Segment 1  Attached Ports")) << run.output;
    EXPECT_FALSE(contains(run.output, "== Status ==")) << run.output;

    for (const char* page : {"ExpPortGeneral", "ExpPortAdmin", "ExpPortBrowser"}) {
        const ConsoleRun one = runSwconsole(std::string("--slot 5 --port 2 --dump --page ") + page);
        EXPECT_EQ(one.status, 0) << page << "\n" << one.output;
    }
}

}  // namespace
