#include "framework/afx/runtime_class.h"

#include "framework/afx/collections.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace {

// List 0 holds the host's classes; each claimed module list gets the next id.
struct ClassRegistry {
    std::map<int, std::vector<CRuntimeClass*>> lists;
    std::map<int, bool> joined{{0, true}};
    std::vector<CRuntimeClass*> pending;
    int nextListId = 1;
};

ClassRegistry& registry() {
    static ClassRegistry instance;
    return instance;
}

void forget(std::vector<CRuntimeClass*>& list, const CRuntimeClass* record) {
    list.erase(std::remove(list.begin(), list.end(), record), list.end());
}

}  // namespace

CRuntimeClass::CRuntimeClass(const char* className, int objectSize, CRuntimeClass* baseClass,
                             Factory factory)
    : m_lpszClassName(className),
      m_nObjectSize(objectSize),
      m_pBaseClass(baseClass),
      m_pfnCreateObject(factory) {
    registry().pending.push_back(this);
}

CRuntimeClass::~CRuntimeClass() {
    auto& reg = registry();
    forget(reg.pending, this);
    for (auto& [id, list] : reg.lists) {
        forget(list, this);
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == base) {
            return TRUE;
        }
    }
    return FALSE;
}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

CRuntimeClass* CRuntimeClass::FromName(const char* className) {
    if (!className) {
        return nullptr;
    }
    auto& reg = registry();
    auto matches = [className](const CRuntimeClass* c) {
        return std::strcmp(c->m_lpszClassName, className) == 0;
    };
    // Unclaimed records are the host's own (the host never claims its classes).
    for (CRuntimeClass* c : reg.pending) {
        if (matches(c)) {
            return c;
        }
    }
    for (auto& [id, list] : reg.lists) {
        if (!reg.joined[id]) {
            continue;
        }
        for (CRuntimeClass* c : list) {
            if (matches(c)) {
                return c;
            }
        }
    }
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(const char* className) {
    CRuntimeClass* c = FromName(className);
    return c ? c->CreateObject() : nullptr;
}

namespace afx {

namespace {
const void* libraryOf(const void* address) {
    Dl_info info{};
    return ::dladdr(address, &info) != 0 ? info.dli_fbase : nullptr;
}
}  // namespace

int claimPendingClasses(const void* anchor) {
    auto& reg = registry();
    const int id = reg.nextListId++;
    auto& list = reg.lists[id];
    reg.joined[id] = false;
    const void* library = libraryOf(anchor);
    if (library == nullptr || library == libraryOf(&CObject::classCObject)) {
        return id;
    }
    auto& pending = reg.pending;
    for (auto it = pending.begin(); it != pending.end();) {
        if (libraryOf(*it) == library) {
            list.push_back(*it);
            it = pending.erase(it);
        } else {
            ++it;
        }
    }
    return id;
}

void joinClassList(int listId, bool joined) {
    registry().joined[listId] = joined;
}

std::vector<CRuntimeClass*> classesOfList(int listId) {
    auto& reg = registry();
    auto it = reg.lists.find(listId);
    return it == reg.lists.end() ? std::vector<CRuntimeClass*>{} : it->second;
}

}  // namespace afx
