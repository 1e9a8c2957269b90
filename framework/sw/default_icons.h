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

namespace sw {
// One page's hold on the shared icon list: taken on first use, given back when the lease goes.
class DefaultIconsLease {
public:
    DefaultIconsLease() = default;
    ~DefaultIconsLease() { release(); }
    DefaultIconsLease(const DefaultIconsLease&) = delete;
    DefaultIconsLease& operator=(const DefaultIconsLease&) = delete;

    // The list, taken once however often the page asks.
    CImageList* acquire() {
        if (m_icons == nullptr) {
            m_icons = GetDefaultIcons();
        }
        return m_icons;
    }
    CImageList* get() const { return m_icons; }
    void release() {
        if (m_icons != nullptr) {
            m_icons = nullptr;
            ReleaseDefaultIcons();
        }
    }

private:
    CImageList* m_icons = nullptr;
};
}  // namespace sw
