// Operator scripts: any text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "console/script_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const console::ScriptParseResult parsed = console::parseScript(text);
    if (parsed.ok()) {
        for (const console::ScriptStep& step : parsed.steps) {
            if (step.line < 1 || step.waitMs < 0) {
                std::abort();
            }
        }
    } else if (!parsed.steps.empty() && parsed.error.empty()) {
        std::abort();
    }
    std::vector<std::string> words;
    std::string error;
    console::splitWords(text, &words, &error);
    return 0;
}
