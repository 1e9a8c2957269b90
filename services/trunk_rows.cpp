#include "services/trunk_rows.h"

#include "framework/mib/mib_comm.h"

namespace torvik {

BOOL forEachRowOfPort(CMibComm& comm, long h, const char* slotVar, const char* stationVar,
                      long slot, long station, const std::function<void()>& each) {
    const long rows = comm.GetRowCount(h);
    for (long r = 0; r < rows; ++r) {
        if (!comm.GotoRow(h, r)) {
            return FALSE;
        }
        if (comm.GetInteger(h, slotVar) == slot && comm.GetInteger(h, stationVar) == station) {
            each();
        }
    }
    return TRUE;
}

}  // namespace torvik
