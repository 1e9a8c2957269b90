#include "agent/swsimd_options.h"

#include <charconv>
#include <set>
#include <string_view>

namespace agent {

std::string swsimdUsage() {
    return "usage: swsimd [--scenario FILE] [--state FILE] [--listen udp:127.0.0.1:PORT] "
           "[--community NAME]\n"
           "              [--rw-community NAME] [--v3-user NAME --auth-pass P [--priv-pass P]]\n"
           "              [--synthetic-table ROWS[xCOLUMNS]] [--silent] [--help] [--version]\n";
}

namespace {

constexpr int kMaxSyntheticRows = 100000;
constexpr int kMaxSyntheticColumns = 100;
constexpr long long kMaxSyntheticCells = 2000000;  // each cell is kept in memory

// A whole decimal number in 1..max, nothing before or after it.
bool parseCount(std::string_view text, int max, int* out) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > max) {
        return false;
    }
    *out = value;
    return true;
}

bool parseSyntheticTable(const std::string& value, SwsimdOptions* out, std::string* error) {
    const auto x = value.find('x');
    int rows = 0;
    int columns = 15;
    const bool ok = parseCount(std::string_view(value).substr(0, x), kMaxSyntheticRows, &rows) &&
                    (x == std::string::npos || parseCount(std::string_view(value).substr(x + 1),
                                                          kMaxSyntheticColumns, &columns)) &&
                    static_cast<long long>(rows) * columns <= kMaxSyntheticCells;
    if (!ok) {
        *error = "--synthetic-table needs ROWS or ROWSxCOLUMNS (rows 1.." +
                 std::to_string(kMaxSyntheticRows) + ", columns 1.." +
                 std::to_string(kMaxSyntheticColumns) + ", at most " +
                 std::to_string(kMaxSyntheticCells) + " cells), got " + value;
        return false;
    }
    out->syntheticRows = rows;
    out->syntheticColumns = columns;
    return true;
}

}  // namespace

bool parseSwsimdOptions(int argc, const char* const* argv, SwsimdOptions* out, std::string* error) {
    static const std::set<std::string> withValue = {
        "--scenario",  "--listen",    "--community",       "--rw-community", "--v3-user",
        "--auth-pass", "--priv-pass", "--synthetic-table", "--state"};
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--silent") {
            out->silent = true;
            continue;
        }
        if (withValue.count(option) == 0) {
            *error = "unknown option " + option;
            return false;
        }
        if (i + 1 >= argc) {
            *error = "missing value after " + option;
            return false;
        }
        const std::string value = argv[++i];
        if (option == "--scenario") {
            out->scenario = value;
        } else if (option == "--state") {
            out->stateFile = value;
        } else if (option == "--listen") {
            out->agent.listen = value;
        } else if (option == "--community") {
            out->agent.community = value;
        } else if (option == "--rw-community") {
            out->agent.rwCommunity = value;
        } else if (option == "--v3-user") {
            out->agent.v3User = value;
        } else if (option == "--auth-pass") {
            out->agent.v3AuthPassword = value;
        } else if (option == "--priv-pass") {
            out->agent.v3PrivPassword = value;
        } else if (!parseSyntheticTable(value, out, error)) {
            return false;
        }
    }
    if (!out->agent.v3User.empty() && out->agent.v3AuthPassword.size() < 8) {
        *error = "--v3-user needs --auth-pass of at least 8 characters";
        return false;
    }
    if (!out->agent.v3PrivPassword.empty() && out->agent.v3PrivPassword.size() < 8) {
        *error = "--priv-pass needs at least 8 characters";
        return false;
    }
    return true;
}

}  // namespace agent
