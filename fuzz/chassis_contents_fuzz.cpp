// The compact chassis contents value as an agent may send it: any bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/sw/nx_chassis_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CNxChassisInfo exact;
    const BOOL loaded =
        exact.LoadContents(reinterpret_cast<const BYTE*>(data), static_cast<int>(size));
    if (loaded) {
        for (int slot : exact.GetSlots()) {
            const int ports = exact.GetPortCount(slot);
            if (ports < 0 || ports > 255 * 255) {
                std::abort();
            }
            for (int port = 0; port <= ports + 1; ++port) {
                exact.GetPortType(slot, port);
            }
        }
    }
    // The unsized form reads a buffer of the value's maximum length.
    std::vector<BYTE> padded(CNxChassisInfo::kMaxContentsLength, 0);
    std::memcpy(padded.data(), data, std::min(size, padded.size()));
    CNxChassisInfo unsized;
    const BOOL loadedUnsized = unsized.LoadContents(padded.data());
    // A value that parses exactly parses alike with trailing zero bytes.
    if (loaded && size <= padded.size() && !loadedUnsized) {
        std::abort();
    }
    return 0;
}
