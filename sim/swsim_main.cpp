// swsim: the simulated switch on the command line, for looking into a
// scenario and for making scaled ones.

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "framework/mib/value_format.h"
#include "sim/scenario_generator.h"
#include "sim/scenario_json.h"
#include "sim/simulated_switch.h"
#include "sw_version.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kAgentError = 1;

const char* const kUsage =
    "Usage: swsim [--scenario FILE] list\n"
    "       swsim [--scenario FILE] get NAME|OID[.instance]...\n"
    "       swsim [--scenario FILE] walk NAME|OID\n"
    "       swsim [--scenario FILE] set NAME|OID[.instance] TYPE VALUE\n"
    "       swsim generate [--slots N] [--ports-per-slot M] [--services-per-port K]\n"
    "                      [--addresses-per-vport A] [--groups G] [--channels C]\n"
    "                      [--no-expander]\n"
    "       swsim --help | --version\n";

const char* const kHelp =
    "Looks into the simulated chassis switch without SNMP, and makes scaled scenarios.\n"
    "\n"
    "Commands:\n"
    "  list                  every variable the switch knows: name, OID, syntax, access,\n"
    "                        table or group\n"
    "  get NAME|OID...       values, as snmpget (scalars by name get .0)\n"
    "  walk NAME|OID         every value under a table, column or OID, as snmpwalk\n"
    "  set NAME|OID TYPE VALUE\n"
    "                        one SET with the agent's checks; TYPE as snmpset: i u c t a\n"
    "                        o s x. The switch lives for this one command only\n"
    "  generate              a scenario of a scaled chassis as JSON on standard output\n"
    "\n"
    "Options:\n"
    "  --scenario FILE       the switch from a JSON scenario (default: the built-in demo)\n"
    "  --help                this text\n"
    "  --version             the version\n"
    "\n"
    "Exit status:\n"
    "  0  success\n"
    "  1  the switch answered with an error, or the scenario cannot be used\n"
    "  2  bad usage: unknown command, variable, type or value\n";

void usage() {
    std::cerr << kUsage;
}

const char* syntaxName(mib::Syntax syntax) {
    switch (syntax) {
        case mib::Syntax::Integer:
            return "Integer";
        case mib::Syntax::Enumeration:
            return "Enumeration";
        case mib::Syntax::DisplayString:
            return "DisplayString";
        case mib::Syntax::OctetString:
            return "OctetString";
        case mib::Syntax::MacAddress:
            return "MacAddress";
        case mib::Syntax::IpAddress:
            return "IpAddress";
        case mib::Syntax::Counter32:
            return "Counter32";
        case mib::Syntax::Gauge32:
            return "Gauge32";
        case mib::Syntax::TimeTicks:
            return "TimeTicks";
        case mib::Syntax::Counter64:
            return "Counter64";
        case mib::Syntax::ObjectIdentifier:
            return "ObjectIdentifier";
    }
    return "?";
}

const char* accessName(mib::Access access) {
    switch (access) {
        case mib::Access::NotAccessible:
            return "not-accessible";
        case mib::Access::ReadOnly:
            return "read-only";
        case mib::Access::ReadWrite:
            return "read-write";
        case mib::Access::ReadCreate:
            return "read-create";
    }
    return "?";
}

// "phyPortAdmStatus.1.3", "sysName" (scalars get .0) or a numeric OID.
bool resolve(const mib::MibDictionary& dictionary, const std::string& text, bool addScalarZero,
             mib::Oid* out) {
    if (mib::parseOid(text, out)) {
        return true;
    }
    const auto dot = text.find('.');
    const mib::MibVariable* var = dictionary.find(text.substr(0, dot));
    if (var == nullptr) {
        return false;
    }
    mib::Oid oid = var->oid;
    if (dot != std::string::npos) {
        mib::Oid instance;
        if (!mib::parseOid(text.substr(dot + 1), &instance)) {
            return false;
        }
        oid.insert(oid.end(), instance.begin(), instance.end());
    } else if (addScalarZero && !var->isColumn()) {
        oid.push_back(0);
    }
    *out = std::move(oid);
    return true;
}

std::string describe(const mib::MibDictionary& dictionary, const mib::VarBind& vb) {
    const mib::MibVariable* var = dictionary.findByInstanceOid(vb.oid);
    std::string name = mib::oidToString(vb.oid);
    if (var != nullptr) {
        name = var->name +
               mib::oidToString(
                   mib::Oid(vb.oid.begin() + static_cast<long>(var->oid.size()), vb.oid.end()))
                   .insert(0, ".");
        if (name.back() == '.') {
            name.pop_back();
        }
    }
    std::string value;
    if (vb.value.isException()) {
        value = mib::valueTypeName(vb.value.type);
    } else if (var != nullptr) {
        mib::FormattedValue formatted = mib::formatValue(*var, vb.value);
        value = mib::valueTypeName(vb.value.type) + ": " + formatted.text;
    } else {
        value = mib::valueTypeName(vb.value.type);
    }
    return name + " = " + value;
}

int printResponse(const mib::MibDictionary& dictionary, const mib::ResponsePdu& response) {
    if (response.errorStatus != mib::ErrorStatus::NoError) {
        std::cerr << "swsim: " << mib::errorStatusName(response.errorStatus) << " (varbind "
                  << response.errorIndex << ")\n";
        return kAgentError;
    }
    int status = 0;
    for (const mib::VarBind& vb : response.varbinds) {
        std::cout << describe(dictionary, vb) << "\n";
        if (vb.value.isException()) {
            status = kAgentError;
        }
    }
    return status;
}

bool parseTypedValue(char type, const std::string& text, mib::Value* out) {
    char* end = nullptr;
    switch (type) {
        case 'i': {
            const long long v = std::strtoll(text.c_str(), &end, 10);
            *out = mib::Value::makeInteger(v);
            return !text.empty() && *end == '\0';
        }
        case 'u':
        case 'c':
        case 't': {
            const unsigned long long v = std::strtoull(text.c_str(), &end, 10);
            const auto v32 = static_cast<std::uint32_t>(v);
            *out = type == 'u'   ? mib::Value::makeGauge32(v32)
                   : type == 'c' ? mib::Value::makeCounter32(v32)
                                 : mib::Value::makeTimeTicks(v32);
            return !text.empty() && *end == '\0' && v <= 0xFFFFFFFFULL;
        }
        case 'a': {
            auto octets = sim::parseIp(text);
            if (!octets) {
                return false;
            }
            *out = mib::Value{mib::ValueType::IpAddress, 0, 0, *octets, {}};
            return true;
        }
        case 'o': {
            mib::Oid oid;
            if (!mib::parseOid(text, &oid)) {
                return false;
            }
            *out = mib::Value::makeOid(oid);
            return true;
        }
        case 's':
            *out = mib::Value::makeString(text);
            return true;
        case 'x': {
            std::string octets;
            if (!mib::parseHex(text, &octets)) {
                return false;
            }
            *out = mib::Value::makeString(octets);
            return true;
        }
        default:
            return false;
    }
}

int generate(const std::vector<std::string>& args) {
    sim::GeneratorOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "--no-expander") {
            options.expander = false;
            continue;
        }
        if (i + 1 >= args.size()) {
            std::cerr << "swsim: " << flag << " needs a number\n";
            return kUsageError;
        }
        char* end = nullptr;
        errno = 0;
        const long value = std::strtol(args[++i].c_str(), &end, 10);
        if (args[i].empty() || *end != '\0' || value < 0) {
            std::cerr << "swsim: " << flag << " needs a number, not \"" << args[i] << "\"\n";
            return kUsageError;
        }
        // Compared whole: a number past int would otherwise wrap into the range.
        const long number = errno == ERANGE ? LONG_MAX : value;
        if (flag == "--slots" && number >= 1 && number <= 254) {
            options.slots = static_cast<int>(number);
        } else if (flag == "--ports-per-slot" && number >= 1 && number <= 255) {
            options.portsPerSlot = static_cast<int>(number);
        } else if (flag == "--services-per-port" && number >= 1 && number <= 100) {
            options.extraServicesPerPort = static_cast<int>(number) - 1;
        } else if (flag == "--addresses-per-vport" && number <= 1000) {
            options.addressesPerVport = static_cast<int>(number);
        } else if (flag == "--groups" && number >= 1 && number <= 4000) {
            options.groups = static_cast<int>(number);
        } else if (flag == "--channels" && number >= 0 && number <= 254) {
            options.channels = static_cast<int>(number);
        } else {
            std::cerr << "swsim: unknown option or value out of range: " << flag << " " << args[i]
                      << "\n";
            return kUsageError;
        }
    }
    std::cout << sim::scenarioToJson(sim::generateScenario(options));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage << kHelp;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "swsim (torvik) " SW_VERSION "\n";
        return 0;
    }
    std::string scenarioFile;
    if (args.size() >= 2 && args[0] == "--scenario") {
        scenarioFile = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) {
        usage();
        return kUsageError;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "generate") {
        return generate(args);
    }

    std::string error;
    std::unique_ptr<sim::SimulatedSwitch> sw =
        scenarioFile.empty() ? sim::SimulatedSwitch::createDefault()
                             : sim::SimulatedSwitch::fromScenarioFile(scenarioFile, &error);
    if (!sw) {
        std::cerr << "swsim: " << (error.empty() ? "the built-in scenario is unusable" : error)
                  << "\n";
        return kAgentError;
    }
    const mib::MibDictionary& dictionary = sw->dictionary();

    if (command == "list" && args.empty()) {
        for (const mib::MibVariable& var : dictionary.all()) {
            std::cout << var.name << "\t" << mib::oidToString(var.oid) << "\t"
                      << syntaxName(var.syntax) << "\t" << accessName(var.access) << "\t"
                      << (var.isColumn() ? var.table : var.group) << "\n";
        }
        return 0;
    }
    if (command == "get" && !args.empty()) {
        mib::RequestPdu request;
        for (const std::string& arg : args) {
            mib::VarBind vb;
            if (!resolve(dictionary, arg, true, &vb.oid)) {
                std::cerr << "swsim: unknown variable or malformed OID: " << arg << "\n";
                return kUsageError;
            }
            request.varbinds.push_back(vb);
        }
        return printResponse(dictionary, sw->handle(request));
    }
    if (command == "walk" && args.size() == 1) {
        mib::Oid root;
        if (!resolve(dictionary, args[0], false, &root)) {
            std::cerr << "swsim: unknown variable or malformed OID: " << args[0] << "\n";
            return kUsageError;
        }
        mib::Oid cursor = root;
        for (;;) {
            mib::RequestPdu request;
            request.type = mib::PduType::GetNext;
            request.varbinds.push_back({cursor, {}});
            const mib::ResponsePdu response = sw->handle(request);
            const mib::VarBind& vb = response.varbinds.at(0);
            if (vb.value.isException() || !mib::oidStartsWith(vb.oid, root)) {
                return 0;
            }
            std::cout << describe(dictionary, vb) << "\n";
            cursor = vb.oid;
        }
    }
    if (command == "set" && args.size() == 3) {
        mib::VarBind vb;
        if (!resolve(dictionary, args[0], true, &vb.oid)) {
            std::cerr << "swsim: unknown variable or malformed OID: " << args[0] << "\n";
            return kUsageError;
        }
        if (args[1].size() != 1 || !parseTypedValue(args[1][0], args[2], &vb.value)) {
            std::cerr << "swsim: \"" << args[2] << "\" is not a value of type " << args[1]
                      << " (types: i u c t a o s x)\n";
            return kUsageError;
        }
        mib::RequestPdu request;
        request.type = mib::PduType::Set;
        request.varbinds.push_back(vb);
        return printResponse(dictionary, sw->handle(request));
    }
    usage();
    return kUsageError;
}
