#include "console/agent_address.h"

#include <charconv>

namespace console {

namespace {

bool validPort(const std::string& text) {
    int port = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, port);
    return !text.empty() && ec == std::errc() && ptr == end && port >= 1 && port <= 65535;
}

bool validHost(const std::string& host) {
    return !host.empty() && host.front() != '-' &&
           host.find_first_of(" \t/[]") == std::string::npos;
}

// "[::1]" or "[::1]:PORT" after the udp6: prefix (or bare): the address and the port.
bool splitBracketed(const std::string& rest, std::string* host, std::string* port) {
    const auto close = rest.find(']');
    if (rest.empty() || rest.front() != '[' || close == std::string::npos || close == 1) {
        return false;
    }
    *host = rest.substr(1, close - 1);
    if (close + 1 == rest.size()) {
        port->clear();
        return true;
    }
    if (rest[close + 1] != ':') {
        return false;
    }
    *port = rest.substr(close + 2);
    return validPort(*port);
}

bool ipv6(const std::string& text, AgentChoice* agent) {
    std::string host;
    std::string port;
    if (!splitBracketed(text, &host, &port)) {
        return false;
    }
    agent->kind = AgentChoice::Kind::Snmp;
    agent->snmp.address = "udp6:[" + host + "]:" + (port.empty() ? "161" : port);
    return true;
}

bool ipv4OrName(const std::string& text, AgentChoice* agent) {
    const auto colon = text.find(':');
    const std::string host = text.substr(0, colon);
    if (!validHost(host)) {
        return false;
    }
    std::string port = "161";
    if (colon != std::string::npos) {
        port = text.substr(colon + 1);
        if (!validPort(port)) {
            return false;
        }
    }
    agent->kind = AgentChoice::Kind::Snmp;
    agent->snmp.address = "udp:" + host + ":" + port;
    return true;
}

}  // namespace

bool parseAgentArgument(const std::string& text, AgentChoice* agent, std::string* error) {
    if (text == "sim" || (text.rfind("sim:", 0) == 0 && text.size() > 4)) {
        agent->kind = AgentChoice::Kind::Simulated;
        agent->scenarioPath = text.size() > 4 ? text.substr(4) : "";
        return true;
    }
    bool ok = false;
    if (text.rfind("udp6:", 0) == 0) {
        ok = ipv6(text.substr(5), agent);
    } else if (text.rfind("udp:", 0) == 0) {
        ok = ipv4OrName(text.substr(4), agent);
    } else if (!text.empty() && text.front() == '[') {
        ok = ipv6(text, agent);
    } else {
        ok = ipv4OrName(text, agent);
    }
    if (!ok) {
        // The text is not echoed: a misplaced pass phrase would land here.
        *error =
            "the agent is not an address: expected HOST, HOST:PORT, udp:HOST[:PORT], "
            "udp6:[ADDRESS][:PORT] (ports 1..65535), sim or sim:SCENARIO.json";
    }
    return ok;
}

}  // namespace console
