#pragma once
// Process-wide Net-SNMP set-up: numeric OIDs only, no configuration or MIB
// files, no persistent state. Everything Net-SNMP runs on the UI thread.

#include <memory>

struct snmp_pdu;

namespace mib::netsnmp {

// Configures and initialises the library once; later calls do nothing.
// An agent calls init_agent() before this.
void ensureInitialized(const char* appName);

// Sets the library options ensureInitialized() uses, without init_snmp();
// for programs that must call init_agent() in between.
void applyLibraryOptions();

struct PduDeleter {
    void operator()(snmp_pdu* pdu) const;
};
using PduPtr = std::unique_ptr<snmp_pdu, PduDeleter>;

}  // namespace mib::netsnmp
