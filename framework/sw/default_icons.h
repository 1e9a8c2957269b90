#pragma once
// The shared list of default icons: one image list for every page, reference counted
// (each GetDefaultIcons is matched by one ReleaseDefaultIcons; the list goes with the last).
// Images sit at fixed indexes; kDefaultIconNames names each for text renderings.

#include "framework/afx/controls.h"

namespace sw {
enum DefaultIcon {
    kIconItem = 0,
    kIconSlot = 1,
    kIconBank = 2,
    kIconModule = 3,
    kIconChannel = 4,
    kIconCounter = 5,
    kIconGroup = 6,
    kIconSegment = 7,
    kIconAddress = 8,
    kIconService = 9,
    kIconTrunk = 10,
    kIconVirtualPortDown = 11,
    kIconVirtualPortUp = 12,
    kIconPortNotEnabled = 13,
    kIconPortEnabled = 14,
    kIconTextItem = 15,
    kDefaultIconCount = 16,
};
// Short names, index = image ("item", "bank", "port-up", ...).
extern const char* const kDefaultIconNames[kDefaultIconCount];
// The name of image index, "" outside the list.
const char* defaultIconName(int index);
// Number of GetDefaultIcons not yet released.
int defaultIconUsers();
}  // namespace sw

CImageList* GetDefaultIcons();
void ReleaseDefaultIcons();
