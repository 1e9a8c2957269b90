#pragma once
// A port of the chassis by its slot and its number in the slot, as operators write it: "3/7".

namespace console {

struct SlotPort {
    int slot = 0;
    int port = 0;
    bool operator==(const SlotPort&) const = default;
};

}  // namespace console
