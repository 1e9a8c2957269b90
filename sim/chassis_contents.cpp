#include "sim/chassis_contents.h"

#include <algorithm>
#include <vector>

namespace sim {

namespace {

void putByte(std::string& out, int value) {
    out.push_back(static_cast<char>(value & 0xFF));
}

void putWord(std::string& out, int value) {
    putByte(out, value >> 8);
    putByte(out, value);
}

// Runs of at most 255 ports, as the value stores counts in one byte.
std::vector<PortRun> encodableRuns(const SlotSpec& slot) {
    std::vector<PortRun> source = slot.runs;
    if (slot.kind == ModuleKind::Expander) {
        source = {PortRun{slot.banks * 12, slot.expanderPortType}};
    }
    std::vector<PortRun> runs;
    for (const PortRun& run : source) {
        for (int left = run.count; left > 0; left -= 255) {
            runs.push_back(PortRun{std::min(left, 255), run.type});
        }
    }
    return runs;
}

std::string slotRecord(const SlotSpec& slot) {
    const std::vector<PortRun> runs = encodableRuns(slot);
    if (runs.size() > 255) {
        return {};
    }
    std::string record;
    putByte(record, slot.slot);
    putWord(record, slot.moduleType);
    const int count = slot.portCount();
    putByte(record, slot.kind == ModuleKind::Expander ? 12 : (count <= 255 ? count : 0));
    putByte(record, static_cast<int>(runs.size()));
    for (const PortRun& run : runs) {
        putByte(record, run.count);
        putWord(record, run.type);
    }
    return record;
}

}  // namespace

EncodedContents encodeChassisContents(const Scenario& scenario) {
    std::vector<const SlotSpec*> slots;
    for (const SlotSpec& slot : scenario.slots) {
        if (slot.slot >= 1 && slot.slot <= 255) {
            slots.push_back(&slot);
        }
    }
    std::sort(slots.begin(), slots.end(),
              [](const SlotSpec* a, const SlotSpec* b) { return a->slot < b->slot; });

    EncodedContents out;
    std::string records;
    for (const SlotSpec* slot : slots) {
        const std::string record = slotRecord(*slot);
        if (record.empty() || 3 + records.size() + record.size() > kMaxChassisContents ||
            out.slotsEncoded == 255) {
            out.slotsLeftOut = static_cast<int>(slots.size()) - out.slotsEncoded;
            break;
        }
        records += record;
        ++out.slotsEncoded;
    }
    putByte(out.bytes, 0x4E);
    putByte(out.bytes, 1);
    putByte(out.bytes, out.slotsEncoded);
    out.bytes += records;
    return out;
}

}  // namespace sim
