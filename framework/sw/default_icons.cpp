#include "framework/sw/default_icons.h"

#include <memory>

namespace sw {

const char* const kDefaultIconNames[kDefaultIconCount] = {
    "item",    "slot",    "bank",  "module",     "channel",  "counter",  "group",   "segment",
    "address", "service", "trunk", "vport-down", "vport-up", "port-off", "port-on", "text"};

namespace {
std::unique_ptr<CImageList> g_icons;
int g_users = 0;
}  // namespace

const char* defaultIconName(int index) {
    return index >= 0 && index < kDefaultIconCount ? kDefaultIconNames[index] : "";
}

int defaultIconUsers() {
    return g_users;
}

}  // namespace sw

CImageList* GetDefaultIcons() {
    if (!sw::g_icons) {
        sw::g_icons = std::make_unique<CImageList>();
        sw::g_icons->Create(16, 16, 0, sw::kDefaultIconCount, 0);
        sw::g_icons->SetImageCount(sw::kDefaultIconCount);
    }
    ++sw::g_users;
    return sw::g_icons.get();
}

void ReleaseDefaultIcons() {
    if (sw::g_users == 0) {
        return;
    }
    if (--sw::g_users == 0) {
        sw::g_icons.reset();
    }
}
