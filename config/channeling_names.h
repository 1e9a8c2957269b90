#pragma once
// What the Channeling page's files share: the MIB variables of the two channel tables and the
// captions and style of its messages.

#include <vector>

#include "framework/afx/collections.h"
#include "framework/afx/win_types.h"

namespace torvik::channeling {

constexpr UINT kErrorStyle = MB_OK | MB_ICONEXCLAMATION;  // 48, for successes too
constexpr const char* kError = "Error";
constexpr const char* kSuccess = "Success";

constexpr const char* kChannelId = "ethChannelId";
constexpr const char* kPrimarySlot = "priPortSlot";
constexpr const char* kPrimaryPort = "priPortPhysIntf";
constexpr const char* kAdminStatus = "adminStatus";
constexpr const char* kSecondaryChannelId = "secethChannelId";
constexpr const char* kSecondarySlot = "secPortSlot";
constexpr const char* kSecondaryPort = "secPortPhysIntf";
constexpr const char* kSecondaryAdminStatus = "secadminStatus";

inline CUIntArray instanceOf(const std::vector<unsigned>& numbers) {
    CUIntArray instance;
    for (unsigned n : numbers) {
        instance.Add(n);
    }
    return instance;
}

}  // namespace torvik::channeling
