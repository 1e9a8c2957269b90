#pragma once
// A port by its slot and its number within the slot.

namespace sw {
struct SlotPort {
    int slot = 0;
    int port = 0;
    bool operator==(const SlotPort&) const = default;
};
}  // namespace sw
