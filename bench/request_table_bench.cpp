// RequestTable of a 10,000-row, 15-column table through the in-process
// transport: the engine's walk, row assembly and completion, in rows/s.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "framework/afx/event_loop.h"
#include "framework/mib/in_process_transport.h"
#include "framework/mib/request_engine.h"

namespace {

constexpr std::uint32_t kRows = 10000;
constexpr std::uint32_t kColumns = 15;
const mib::Oid kEntry = {1, 3, 6, 1, 4, 1, 32473, 90, 1, 1};

// Answers GETBULK/GETNEXT of a dense synthetic table by arithmetic, so the
// figure measures the engine rather than an agent's lookups.
class SyntheticTable : public mib::PduHandler {
public:
    mib::ResponsePdu handle(const mib::RequestPdu& pdu) override {
        mib::ResponsePdu out;
        const int reps = pdu.type == mib::PduType::GetBulk ? pdu.maxRepetitions : 1;
        std::vector<mib::Oid> cursor;
        for (const auto& vb : pdu.varbinds)
            cursor.push_back(vb.oid);
        out.varbinds.reserve(cursor.size() * static_cast<std::size_t>(reps));
        for (int r = 0; r < reps; ++r) {
            for (auto& c : cursor) {
                out.varbinds.push_back(next(c));
                c = out.varbinds.back().oid;
            }
        }
        return out;
    }

private:
    static mib::VarBind next(const mib::Oid& oid) {
        const std::size_t base = kEntry.size();
        std::uint32_t column = oid.size() > base ? oid[base] : 1;
        std::uint32_t row = oid.size() > base + 1 ? oid[base + 1] + 1 : 1;
        if (row > kRows) {
            ++column;
            row = 1;
        }
        if (column > kColumns) {
            return {oid, mib::Value::exception(mib::ValueType::EndOfMibView)};
        }
        mib::Oid at = kEntry;
        at.push_back(column);
        at.push_back(row);
        return {std::move(at), mib::Value::makeCounter32(row * column)};
    }
};

const mib::MibDictionary& dictionary() {
    static const mib::MibDictionary d([] {
        std::vector<mib::MibVariable> vars;
        for (std::uint32_t c = 1; c <= kColumns; ++c) {
            mib::MibVariable v;
            v.name = "benchColumn" + std::to_string(c);
            v.oid = kEntry;
            v.oid.push_back(c);
            v.syntax = mib::Syntax::Counter32;
            v.table = "benchTable";
            v.indexes = {"benchColumn1"};
            vars.push_back(std::move(v));
        }
        return vars;
    }());
    return d;
}

void BM_RequestTable(benchmark::State& state) {
    afx::EventLoop loop;
    loop.useVirtualClock(true);
    SyntheticTable table;
    mib::InProcessTransport transport(table, loop);
    mib::RequestEngine engine(dictionary(), transport, loop);
    std::vector<std::string> names;
    for (const auto& v : dictionary().all())
        names.push_back(v.name);
    const long h = engine.open("benchTable", names);
    bool done = false;
    engine.setListener([&](long, bool ok) { done = ok; });
    for (auto _ : state) {
        done = false;
        engine.requestTable(h);
        loop.runUntil([&] { return done; }, 60000);
        if (engine.rowCount(h) != static_cast<int>(kRows)) {
            state.SkipWithError("wrong row count");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["rows_per_s"] = benchmark::Counter(
        static_cast<double>(kRows), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_RequestTable)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
