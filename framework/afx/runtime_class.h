#pragma once
// Run-time class records: class name, base class and an optional factory, so objects can be
// tested for their class (IsKindOf) and created by class name.
//
// Every record registers itself when its static is constructed. AfxInitExtensionModule claims
// the records that live in the same loaded library as its AFX_EXTENSION_MODULE record; all
// others belong to the host. FromName searches the host's classes and those of every module
// joined to the chain by a CDynLinkLibrary.

#include <string>
#include <vector>

#include "framework/afx/win_types.h"

class CObject;

struct CRuntimeClass {
    using Factory = CObject* (*)();

    CRuntimeClass(const char* className, int objectSize, CRuntimeClass* baseClass, Factory factory);
    ~CRuntimeClass();
    CRuntimeClass(const CRuntimeClass&) = delete;
    CRuntimeClass& operator=(const CRuntimeClass&) = delete;

    const char* m_lpszClassName;
    int m_nObjectSize;
    CRuntimeClass* m_pBaseClass;
    Factory m_pfnCreateObject;

    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
    BOOL IsCreatable() const { return m_pfnCreateObject != nullptr; }
    // New object of this class, or nullptr if the class has no factory.
    CObject* CreateObject() const;

    // Class with that name among the host's classes and those of joined modules.
    static CRuntimeClass* FromName(const char* className);
    static CObject* CreateObject(const char* className);
};

namespace afx {
// Moves the unclaimed records that live in the same loaded library as anchor into a new
// module class list and returns its id. Records of the library holding the framework stay
// the host's.
int claimPendingClasses(const void* anchor);
// Makes a claimed class list searchable by FromName, or not (CDynLinkLibrary).
void joinClassList(int listId, bool joined);
std::vector<CRuntimeClass*> classesOfList(int listId);
}  // namespace afx

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)         \
public:                                     \
    static CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    CRuntimeClass class_name::class##class_name(#class_name, static_cast<int>(sizeof(class_name)), \
                                                RUNTIME_CLASS(base_class_name), nullptr);          \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                           \
        return RUNTIME_CLASS(class_name);                                                          \
    }

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* class_name::CreateObject() {                                                          \
        return new class_name;                                                                     \
    }                                                                                              \
    CRuntimeClass class_name::class##class_name(#class_name, static_cast<int>(sizeof(class_name)), \
                                                RUNTIME_CLASS(base_class_name),                    \
                                                &class_name::CreateObject);                        \
    CRuntimeClass* class_name::GetRuntimeClass() const {                                           \
        return RUNTIME_CLASS(class_name);                                                          \
    }
