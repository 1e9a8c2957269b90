#pragma once
// Who the change journal names as the sender of a change, apart from the journal itself so
// that whoever only passes it on needs nothing more.

#include <string>

namespace mib {

// Who sends a change: the page's class, and for an undo the change it puts back.
struct ChangeSource {
    std::string page;
    long undoes = 0;
};

}  // namespace mib
