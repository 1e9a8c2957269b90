// Row instances from index texts and back, over every table of the dictionary: what one
// direction accepts, the other must give back unchanged.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "framework/mib/index_conversion.h"
#include "framework/mib/mib_dictionary.h"

namespace {

const std::vector<std::vector<std::string>>& indexLists() {
    static const std::vector<std::vector<std::string>> lists = [] {
        std::set<std::vector<std::string>> unique;
        for (const mib::MibVariable& v : mib::MibDictionary::builtin().all()) {
            if (v.isColumn() && !v.indexes.empty()) {
                unique.insert(v.indexes);
            }
        }
        return std::vector<std::vector<std::string>>(unique.begin(), unique.end());
    }();
    return lists;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const mib::MibDictionary& dictionary = mib::MibDictionary::builtin();
    FuzzedDataProvider in(data, size);
    const auto& lists = indexLists();
    const auto& indexes = lists[in.ConsumeIntegralInRange<std::size_t>(0, lists.size() - 1)];
    const bool fromTexts = in.ConsumeBool();
    if (fromTexts) {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < indexes.size(); ++i) {
            texts.push_back(in.ConsumeRandomLengthString(64));
        }
        mib::Oid instance;
        std::string why;
        if (mib::instanceFromIndexTexts(dictionary, indexes, texts, &instance, &why) != 0) {
            return 0;
        }
        std::vector<std::string> shown;
        if (!mib::indexTextsFromInstance(dictionary, indexes, instance, &shown)) {
            std::abort();  // an instance made from texts must decode
        }
        mib::Oid again;
        if (mib::instanceFromIndexTexts(dictionary, indexes, shown, &again, &why) != 0 ||
            again != instance) {
            std::abort();  // the shown texts name the same row
        }
        return 0;
    }
    mib::Oid instance;
    while (in.remaining_bytes() > 0 && instance.size() < 128) {
        instance.push_back(in.ConsumeBool() ? in.ConsumeIntegral<std::uint8_t>()
                                            : in.ConsumeIntegral<std::uint32_t>());
    }
    std::vector<std::string> texts;
    if (!mib::indexTextsFromInstance(dictionary, indexes, instance, &texts)) {
        return 0;
    }
    mib::Oid again;
    std::string why;
    if (mib::instanceFromIndexTexts(dictionary, indexes, texts, &again, &why) != 0 ||
        again != instance) {
        std::abort();  // every text shown for a row can be handed back as its index
    }
    return 0;
}
