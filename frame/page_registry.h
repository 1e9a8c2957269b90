#pragma once
// What the console calls on the module's page registry after loading the library, without
// linking it: the console creates the registry by class name ("CTorvikRes") through the
// run-time class records and talks to it through this interface only.

class CSwBasePropPage;
class CSwBaseDialog;

class CPageRegistry {
public:
    CPageRegistry() = default;
    CPageRegistry(const CPageRegistry&) = delete;
    CPageRegistry& operator=(const CPageRegistry&) = delete;
    virtual ~CPageRegistry() = default;

    // A new page for the page name (the caller owns it), or NULL after telling the operator.
    virtual CSwBasePropPage* GetPage(const char* name) = 0;
    // Prepares the module's resources for a dialog of that name; creates nothing.
    virtual CSwBaseDialog* GetDialog(const char* name) = 0;
};

// The module's fallback entry point, for a host that does not go through the run-time class
// records: a new registry the caller deletes.
extern "C" CPageRegistry* TorvikCreatePageRegistry();
inline constexpr const char* kTorvikRegistryClassName = "CTorvikRes";
inline constexpr const char* kTorvikRegistryEntryPoint = "TorvikCreatePageRegistry";
