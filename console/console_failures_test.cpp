// swconsole tells every failure in its exit status, and text from scripts, scenario files
// and the switch reaches the terminal escaped.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "console/console_options.h"
#include "console/script_parser.h"
#include "console/swconsole_test_support.h"
#include "sim/simulated_switch.h"

namespace console {
namespace {

using testing::ConsoleRun;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::runSwconsole;
using testing::TempFile;

void replaceOnce(std::string& text, const std::string& what, const std::string& with) {
    const auto at = text.find(what);
    ASSERT_NE(at, std::string::npos) << what;
    text.replace(at, what.size(), with);
}

std::string refused(const std::vector<std::string>& args) {
    const OptionsResult result = parseOptions(args);
    EXPECT_FALSE(result.ok);
    return result.error;
}

TEST(ConsoleFailures, IncompleteSnmpV3SecurityIsAUsageError) {
    const std::vector<std::string> v3 = {"--agent", "udp:127.0.0.1:16100", "-v", "3"};
    auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), v3.begin(), v3.end());
        return more;
    };
    EXPECT_THAT(refused(with({"-u", "admin", "-l", "authPriv", "-A", "authpass1"})),
                HasSubstr("-X"));
    EXPECT_THAT(refused(with({"-u", "admin", "-A", "authpass1"})), HasSubstr("-X"));
    EXPECT_THAT(refused(with({"-u", "admin", "-l", "authNoPriv"})), HasSubstr("-A"));
    EXPECT_THAT(refused(with({"-u", "admin", "-l", "authPriv", "-X", "privpass1"})),
                HasSubstr("-A"));
    EXPECT_THAT(refused(with({"-l", "noAuthNoPriv"})), HasSubstr("-u"));
    const std::string shortPhrase =
        refused(with({"-u", "admin", "-l", "authNoPriv", "-A", "seven77"}));
    EXPECT_THAT(shortPhrase, HasSubstr("8 characters"));
    EXPECT_THAT(shortPhrase, Not(HasSubstr("seven77")));

    EXPECT_TRUE(parseOptions(with({"-u", "admin", "-l", "noAuthNoPriv"})).ok);
    EXPECT_TRUE(parseOptions(with({"-u", "admin", "-l", "authNoPriv", "-A", "authpass1"})).ok);
    // Without -v 3 the SNMPv3 options wait unused, as Net-SNMP's tools have them.
    EXPECT_TRUE(parseOptions({"-l", "authPriv"}).ok);

    const ConsoleRun run =
        runSwconsole("--agent udp:127.0.0.1:9 -v 3 -u admin -l authPriv -A authpass1 --dump");
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_THAT(run.output, HasSubstr("-X"));
}

TEST(ConsoleFailures, ARefusedSetExitsWithOneAfterTheScriptRanToItsEnd) {
    // The switch refuses a description holding an escape character.
    const TempFile script(
        "page PortStatus\n"
        "select \"Physical Ports\" 0\n"
        "type Description \"red\x1b[31m\"\n"
        "apply\n"
        "dump\n");
    const ConsoleRun run = runSwconsole("--page PortStatus --script " + script.arg());
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_THAT(run.output, HasSubstr("message box \"Error\" (exclamation icon, OK)"));
    EXPECT_THAT(run.output, HasSubstr("wrongValue"));
    EXPECT_THAT(run.output, HasSubstr("Description: \"red\\x1b[31m\""));  // kept, to retry
    EXPECT_THAT(run.output, Not(HasSubstr("[ Apply ] {disabled}")));      // and Apply with it
    EXPECT_THAT(run.output, HasSubstr("swconsole: 1 set and 0 reads failed, 1 \"Error\" box"));
    EXPECT_EQ(run.output.find('\x1b'), std::string::npos) << run.output;

    const TempFile good(
        "page PortStatus\nselect \"Physical Ports\" 0\ntype Description \"red\"\napply\n");
    EXPECT_EQ(runSwconsole("--page PortStatus --script " + good.arg()).status, 0);
}

TEST(ConsoleFailures, TextFromTheSwitchAndTheScriptIsEscapedAndTheListAgreesWithTheEdit) {
    std::string text = sim::defaultScenarioText();
    replaceOnce(text, "\"Uplink to core\"", R"("Up\u001b[31mlink\u0000tail")");
    const TempFile scenario(text, ".json");
    const TempFile script("page PortStatus\nselect \"Physical Ports\" 0\ndump\n");
    const ConsoleRun run =
        runSwconsole("--agent sim:" + scenario.arg() +
                     " --page PortStatus --slot 1 --port 1 --script " + script.arg());
    EXPECT_EQ(run.output.find('\x1b'), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find('\x07'), std::string::npos) << run.output;
    EXPECT_THAT(run.output, HasSubstr("Description: \"Up\\x1b[31mlink\""));
    EXPECT_THAT(run.output, HasSubstr("Up\\x1b[31mlink\n"));  // the list's last column

    const std::string longLabel(5000, 'L');
    const TempFile longLine("page PortStatus\nclick \"" + longLabel + "\x1b[2J\"\n");
    const ConsoleRun failed = runSwconsole("--page PortStatus --script " + longLine.arg());
    EXPECT_EQ(failed.status, 1) << failed.output.substr(0, 400);
    EXPECT_THAT(failed.output, HasSubstr("line 2: click \"LLL"));
    EXPECT_THAT(failed.output, HasSubstr("LLL...: "));
    EXPECT_EQ(failed.output.find('\x1b'), std::string::npos);
}

TEST(ConsoleFailures, ScriptErrorsQuoteTheScriptEscapedAndCut) {
    const std::string verb = std::string(3000, 'v') + "\x1b[2J";
    const ScriptParseResult unknown = parseScript("dump\n" + verb + " x\n");
    ASSERT_FALSE(unknown.ok());
    EXPECT_LT(unknown.error.size(), 400u) << unknown.error.size();
    EXPECT_THAT(unknown.error, HasSubstr("line 2: vvv"));
    EXPECT_EQ(unknown.error.find('\x1b'), std::string::npos);

    const ScriptParseResult answer = parseScript("answer \"\x1b]0;x\x07\"\n");
    ASSERT_FALSE(answer.ok());
    EXPECT_THAT(answer.error, HasSubstr("not \\x1b]0;x\\x07"));
}

}  // namespace
}  // namespace console
