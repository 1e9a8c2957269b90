#pragma once
// The switch's live data as text and back, for a switch that keeps its state across
// restarts. Every cell is kept (counters with their reading at the time), since a SET also
// changes cells an operator cannot write (a channel's rows, a port's operational status).

#include <cstdint>
#include <string>

#include "framework/mib/mib_dictionary.h"
#include "sim/oid_store.h"

namespace sim {

std::string snapshotStore(const OidStore& store, std::int64_t nowMs);

// Replaces *store with the snapshot's cells when the snapshot fits it: the same rows in every
// table whose rows an operator cannot create or delete, and the same scalars. Otherwise false,
// *store untouched and *error naming the first difference (or what is corrupt).
bool restoreStore(const std::string& text, const mib::MibDictionary& dictionary, std::int64_t nowMs,
                  OidStore* store, std::string* error);

}  // namespace sim
