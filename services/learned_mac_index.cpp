#include "services/learned_mac_index.h"

#include "framework/mib/mib_comm.h"
#include "services/row_columns.h"

namespace services {

std::size_t LearnedMacIndex::KeyHash::operator()(const Key& k) const {
    std::uint64_t h = static_cast<std::uint64_t>(k.slot);
    h = h * 1000003u ^ static_cast<std::uint64_t>(k.port);
    h = h * 1000003u ^ static_cast<std::uint64_t>(k.serviceType);
    h = h * 1000003u ^ static_cast<std::uint64_t>(k.instance);
    return static_cast<std::size_t>(h ^ (h >> 29));
}

void LearnedMacIndex::Clear() {
    m_byPort.clear();
}

void LearnedMacIndex::Build(CMibComm& comm, long request) {
    m_byPort.clear();
    const long rows = comm.GetRowCount(request);
    m_byPort.reserve(static_cast<std::size_t>(rows > 0 ? rows : 0));
    enum { kSlot, kPort, kServiceType, kInstance, kAddress };
    const RowColumns columns(
        comm, request,
        {"vBrdgTpFdbRcvPortSlot", "vBrdgTpFdbRcvPortIF", "vBrdgTpFdbRcvPortFuncTyp",
         "vBrdgTpFdbRcvPortFuncTypInst", "vBrdgTpFdbAddress"});
    for (long r = 0; r < rows; ++r) {
        if (!comm.GotoRow(request, r)) {
            continue;
        }
        const Key key{columns.Integer(kSlot), columns.Integer(kPort), columns.Integer(kServiceType),
                      columns.Integer(kInstance)};
        Learned& learned = m_byPort[key];
        // Only the first address and whether there is a second matter.
        if (learned.count == 0) {
            learned.firstAddress = columns.Text(kAddress);
        }
        if (learned.count < 2) {
            ++learned.count;
        }
    }
}

CString LearnedMacIndex::Text(long slot, long port, long serviceType, long instance) const {
    auto it = m_byPort.find(Key{slot, port, serviceType, instance});
    if (it == m_byPort.end() || it->second.count == 0) {
        return "Unknown";
    }
    return it->second.count == 1 ? it->second.firstAddress : CString("Multiple");
}

}  // namespace services
