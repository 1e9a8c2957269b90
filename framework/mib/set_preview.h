#pragma once
// The preview of a set: what the switch holds now and what the set would write, shown in a
// Yes/No message box before anything is sent.

#include "framework/mib/request_engine.h"

namespace mib {

inline constexpr const char* kPreviewCaption = "Preview";

// Reads the values the next set of h would change and asks the operator. True on Yes (the
// values read become the set's values before); false on No or when nothing could be read,
// the set then dropped with the request's error saying why. The read runs the event loop:
// when the engine goes meanwhile, false, and the engine must not be touched.
bool previewSet(RequestEngine& engine, long h);

}  // namespace mib
