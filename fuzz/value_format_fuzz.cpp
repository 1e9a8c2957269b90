// Values as an agent may send them, formatted for any variable; texts as an operator may
// type them, converted for any writable variable. A value converted from text formats to
// a text that converts back to the same value.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/mib/mib_dictionary.h"
#include "framework/mib/value_format.h"

namespace {

mib::Value valueFrom(FuzzedDataProvider& in) {
    mib::Value value;
    value.type = static_cast<mib::ValueType>(
        in.ConsumeIntegralInRange<int>(0, static_cast<int>(mib::ValueType::EndOfMibView)));
    value.integer = in.ConsumeIntegral<std::int64_t>();
    value.counter64 = in.ConsumeIntegral<std::uint64_t>();
    value.octets = in.ConsumeRandomLengthString(300);
    const auto subs = in.ConsumeIntegralInRange<int>(0, 140);
    for (int i = 0; i < subs && in.remaining_bytes() > 0; ++i) {
        value.oid.push_back(in.ConsumeIntegral<std::uint32_t>());
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& all = mib::MibDictionary::builtin().all();
    FuzzedDataProvider in(data, size);
    const mib::MibVariable& variable =
        all[in.ConsumeIntegralInRange<std::size_t>(0, all.size() - 1)];
    const bool raw = in.ConsumeBool();
    if (in.ConsumeBool()) {
        const mib::Value value = valueFrom(in);
        const mib::FormattedValue shown = mib::formatValue(variable, value, raw);
        if (shown.error != 0 && !shown.text.empty()) {
            std::abort();
        }
        long number = 0;
        mib::integerOfValue(variable, value, &number);
        return 0;
    }
    const std::string text = in.ConsumeRemainingBytesAsString();
    mib::Value value;
    if (mib::valueFromText(variable, text, &value) != 0) {
        return 0;
    }
    if (!mib::isValueOfSyntax(variable.syntax, value)) {
        std::abort();
    }
    const mib::FormattedValue shown = mib::formatValue(variable, value, false);
    if (shown.error != 0) {
        std::abort();  // what the component accepts it can show
    }
    mib::Value again;
    if (mib::valueFromText(variable, shown.text, &again) != 0 || again.type != value.type ||
        again.integer != value.integer || again.counter64 != value.counter64 ||
        again.octets != value.octets || again.oid != value.oid) {
        std::abort();  // and what it shows reads back as the same value
    }
    return 0;
}
