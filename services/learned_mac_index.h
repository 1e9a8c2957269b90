#pragma once
// The learned MAC text of every virtual port, from one pass over the bridge forwarding rows
// of a read. Looking a virtual port up costs a hash probe instead of a walk of the table.

#include <cstdint>
#include <unordered_map>

#include "framework/afx/cstring.h"

class CMibComm;

namespace services {

class LearnedMacIndex {
public:
    // Forgets what was indexed; every lookup gives "Unknown" until the next Build.
    void Clear();
    // Walks the rows of request (the six forwarding variables) once.
    void Build(CMibComm& comm, long request);
    // "Unknown" for no address, the address for one, "Multiple" for two or more.
    CString Text(long slot, long port, long serviceType, long instance) const;

private:
    struct Key {
        long slot, port, serviceType, instance;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };
    struct Learned {
        CString firstAddress;
        int count = 0;
    };
    std::unordered_map<Key, Learned, KeyHash> m_byPort;
};

}  // namespace services
