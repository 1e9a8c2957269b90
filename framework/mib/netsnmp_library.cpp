#include "framework/mib/netsnmp_library.h"

#include <cstdlib>
#include <filesystem>
#include <string>

// clang-format off
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
// clang-format on

namespace mib::netsnmp {

void applyLibraryOptions() {
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
    // No MIB files are shipped or wanted: OIDs are always numeric.
    netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_OID_OUTPUT_FORMAT,
                       NETSNMP_OID_OUTPUT_NUMERIC);
    // Like "-m ''": load no MIB modules (Debian ships none), so nothing warns.
    setenv("MIBS", "", 1);
    const std::string persist = (std::filesystem::temp_directory_path() / "sw-netsnmp").string();
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, persist.c_str());
}

void ensureInitialized(const char* appName) {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    applyLibraryOptions();
    init_snmp(appName);
    if (const char* tokens = std::getenv("SW_NETSNMP_DEBUG"); tokens != nullptr) {
        debug_register_tokens(tokens);
        snmp_set_do_debugging(1);
    }
}

void PduDeleter::operator()(snmp_pdu* pdu) const {
    snmp_free_pdu(pdu);
}

}  // namespace mib::netsnmp
