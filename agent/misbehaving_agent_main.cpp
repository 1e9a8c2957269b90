// misbehaving_agent: a small SNMP agent for tests of what a client does with an agent that
// answers wrongly. It serves sysName and a chassis of one slot over UDP, and misbehaves as
// asked:
//   stuck-walk  every GETNEXT or GETBULK in the chassis port table answers its first row
//               again, so a walk never advances
//   huge-port   the chassis port table has a port 2147483647
// Usage: misbehaving_agent MODE [--listen udp:127.0.0.1:PORT]; stops on SIGTERM.

#include <csignal>
#include <cstdio>
#include <map>
#include <string>

#include "agent/snmp_agent_server.h"
#include "framework/mib/mib_dictionary.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int) {
    g_stop = 1;
}

mib::Oid at(const char* name, mib::Oid instance) {
    mib::Oid oid = mib::MibDictionary::builtin().find(name)->oid;
    oid.insert(oid.end(), instance.begin(), instance.end());
    return oid;
}

class MisbehavingHandler : public mib::PduHandler {
public:
    explicit MisbehavingHandler(bool stuck) : m_stuck(stuck) {
        const std::uint32_t lastPort = stuck ? 2 : 2147483647u;
        m_store[at("sysName", {0})] = mib::Value::makeString("misbehaving");
        m_store[at("chasSlotIndex", {1})] = mib::Value::makeInteger(1);
        m_store[at("chasSlotModuleType", {1})] = mib::Value::makeInteger(1);
        m_store[at("chasSlotModuleName", {1})] = mib::Value::makeString("Module");
        m_store[at("chasSlotPortCount", {1})] = mib::Value::makeInteger(2);
        m_store[at("chasSlotPortsPerUnit", {1})] = mib::Value::makeInteger(2);
        for (const std::uint32_t port : {1u, lastPort}) {
            m_store[at("chasPortSlot", {1, port})] = mib::Value::makeInteger(1);
            m_store[at("chasPortIndex", {1, port})] = mib::Value::makeInteger(port);
            m_store[at("chasPortType", {1, port})] = mib::Value::makeInteger(226);
        }
    }

    mib::ResponsePdu handle(const mib::RequestPdu& request) override {
        mib::ResponsePdu response;
        const int repetitions = request.type == mib::PduType::GetBulk ? request.maxRepetitions : 1;
        std::vector<mib::Oid> cursor;
        for (const mib::VarBind& vb : request.varbinds) {
            cursor.push_back(vb.oid);
        }
        for (int rep = 0; rep < std::max(1, repetitions); ++rep) {
            for (mib::Oid& oid : cursor) {
                const mib::VarBind answer =
                    request.type == mib::PduType::Get ? get(oid) : next(oid);
                if (!answer.value.isException()) {
                    oid = answer.oid;
                }
                response.varbinds.push_back(answer);
            }
            if (request.type == mib::PduType::Get) {
                break;
            }
        }
        return response;
    }

private:
    mib::VarBind get(const mib::Oid& oid) const {
        const auto it = m_store.find(oid);
        return {oid, it == m_store.end() ? mib::Value::exception(mib::ValueType::NoSuchInstance)
                                         : it->second};
    }

    mib::VarBind next(const mib::Oid& oid) const {
        const mib::Oid portTable = mib::MibDictionary::builtin().find("chasPortSlot")->oid;
        const mib::Oid column(oid.begin(), oid.begin() + std::min(oid.size(), portTable.size()));
        if (m_stuck && column.size() == portTable.size() &&
            mib::oidStartsWith(column, {portTable.begin(), portTable.end() - 1}) && oid != column) {
            return get(oid);  // the row asked about, again
        }
        const auto it = m_store.upper_bound(oid);
        if (it == m_store.end()) {
            return {oid, mib::Value::exception(mib::ValueType::EndOfMibView)};
        }
        return {it->first, it->second};
    }

    bool m_stuck;
    std::map<mib::Oid, mib::Value> m_store;
};

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    agent::AgentConfig config;
    if (argc == 4 && std::string(argv[2]) == "--listen") {
        config.listen = argv[3];
    } else if (argc != 2) {
        mode.clear();
    }
    if (mode != "stuck-walk" && mode != "huge-port") {
        std::fprintf(stderr, "usage: misbehaving_agent stuck-walk|huge-port [--listen ADDR]\n");
        return 2;
    }
    MisbehavingHandler handler(mode == "stuck-walk");
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    agent::SnmpAgentServer server(handler, config);
    std::string error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "misbehaving_agent: %s\n", error.c_str());
        return 1;
    }
    std::printf("misbehaving_agent ready on udp:127.0.0.1:%d\n", server.port());
    std::fflush(stdout);
    server.serve([] { return g_stop != 0; });
    return 0;
}
