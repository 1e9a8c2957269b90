// What loading the library leaves behind for the host: its templates under its own handle,
// its run-time classes claimed and joined to the host's chain, and the ways the console
// reaches the registry without linking the module.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "frame/module_instance.h"
#include "frame/page_registry.h"
#include "frame/torvik_res.h"
#include "framework/afx/afxwin.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "resources/resource_ids.h"

namespace {

bool moduleClaims(const char* className) {
    const auto classes = afx::classesOfList(TorvikExtensionModule().classListId);
    return std::any_of(classes.begin(), classes.end(), [className](const CRuntimeClass* c) {
        return std::string(c->m_lpszClassName) == className;
    });
}

TEST(LibraryEntry, RegistersTheModuleAndItsTemplatesUnderItsOwnHandle) {
    ASSERT_NE(TorvikInstanceHandle(), nullptr);
    EXPECT_NE(TorvikInstanceHandle(), AfxGetInstanceHandle());
    EXPECT_EQ(afx::moduleName(TorvikInstanceHandle()), "torvik");
    EXPECT_TRUE(TorvikExtensionModule().bInitialized);

    const auto chain = CDynLinkLibrary::chain();
    EXPECT_EQ(std::count_if(chain.begin(), chain.end(),
                            [](const CDynLinkLibrary* library) {
                                return library->m_hResource == TorvikInstanceHandle();
                            }),
              1);

    const std::pair<int, const char*> templates[] = {{IDD_ENET_PORT_GENERAL, "General"},
                                                     {IDD_ENET_PORT_STATUS, "Status"},
                                                     {IDD_ENET_PORT_STATS, "Statistics"}};
    for (const auto& [id, caption] : templates) {
        const afx::DialogTemplate* dialog = afx::findDialogTemplateIn(TorvikInstanceHandle(), id);
        ASSERT_NE(dialog, nullptr) << id;
        EXPECT_EQ(dialog->caption, caption);
    }
}

TEST(LibraryEntry, ClaimsEveryRunTimeClassOfTheModuleIncludingPagesLinkedAfterIt) {
    EXPECT_TRUE(moduleClaims("CTorvikRes"));
    EXPECT_TRUE(moduleClaims("CEnetPortGeneralPage"));
}

TEST(LibraryEntry, PageClassesAreCreatableByNameAsPropertyPages) {
    for (const char* name :
         {"CEnetPortGeneralPage", "CEnetPortStatusPage", "CEnetPortStatsPage", "CEnetPortAdminPage",
          "CEnetTrunkPage", "CEnetChannelingPage", "CEnetSpeedPage", "CEnetMACsPage",
          "CExpPortGeneralPage", "CExpPortAdminPage", "CExpPortBrowserPage", "CExpPortStatsPage"}) {
        const CRuntimeClass* cls = CRuntimeClass::FromName(name);
        if (cls == nullptr) {
            continue;  // not part of this build yet; the registry reports it as not created
        }
        SCOPED_TRACE(name);
        EXPECT_EQ(cls->m_pBaseClass, RUNTIME_CLASS(CPropertyPage));
        std::unique_ptr<CObject> page(cls->CreateObject());
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->IsKindOf(RUNTIME_CLASS(CPropertyPage)));
    }
    ASSERT_NE(CRuntimeClass::FromName("CEnetPortGeneralPage"), nullptr);
}

TEST(LibraryEntry, MibWrappersAreCreatableByNameAsWindows) {
    for (const char* name : {"CMibComm", "CMibAgent"}) {
        SCOPED_TRACE(name);
        const CRuntimeClass* cls = CRuntimeClass::FromName(name);
        ASSERT_NE(cls, nullptr);
        EXPECT_EQ(cls->m_pBaseClass, RUNTIME_CLASS(CWnd));
        std::unique_ptr<CObject> object(cls->CreateObject());
        EXPECT_NE(object, nullptr);
    }
}

TEST(ConsoleRoad, RegistryByClassNameAnswersThroughItsInterface) {
    std::unique_ptr<CObject> object(CRuntimeClass::CreateObject(kTorvikRegistryClassName));
    ASSERT_NE(object, nullptr);
    auto* registry = dynamic_cast<CPageRegistry*>(object.get());
    ASSERT_NE(registry, nullptr);
    std::unique_ptr<CObject> page(reinterpret_cast<CObject*>(registry->GetPage("PortGeneral")));
    ASSERT_NE(page, nullptr);
    EXPECT_STREQ(page->GetRuntimeClass()->m_lpszClassName, "CEnetPortGeneralPage");
}

TEST(ConsoleRoad, ExportedEntryPointGivesARegistryTheCallerDeletes) {
    using Entry = CPageRegistry* (*)();
    auto entry = reinterpret_cast<Entry>(::dlsym(RTLD_DEFAULT, kTorvikRegistryEntryPoint));
    ASSERT_NE(entry, nullptr);
    std::unique_ptr<CPageRegistry> registry(entry());
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->GetDialog("Trunk"), nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), TorvikInstanceHandle());
}

}  // namespace
