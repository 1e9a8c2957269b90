// The page table: one line per page serves the registry, the factory and the templates.

#include "frame/module_pages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "frame/module_instance.h"
#include "frame/page_factory.h"
#include "frame/torvik_res.h"
#include "framework/sw/sw_base_prop_page.h"

namespace {

TEST(ModulePages, FillTheRegistryInItsOrderWithUniqueNamesAndIds) {
    const auto pages = torvik::modulePages();
    ASSERT_EQ(pages.size(), static_cast<std::size_t>(CTorvikRes::kPageCount));
    const char* const registryOrder[] = {"PortGeneral",  "PortAdmin",      "PortStatus",
                                         "PortStats",    "Trunk",          "Channeling",
                                         "Speed",        "MACs",           "ExpPortGeneral",
                                         "ExpPortAdmin", "ExpPortBrowser", "ExpPortStats"};
    std::set<int> ids;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_STREQ(pages[i].name, registryOrder[i]);
        EXPECT_TRUE(ids.insert(pages[i].dialogId).second) << pages[i].name;
    }
    for (const torvik::ModuleDialog& dialog : torvik::moduleDialogs()) {
        EXPECT_TRUE(ids.insert(dialog.dialogId).second) << dialog.dialogId;
    }
}

TEST(ModulePages, EachTemplateCarriesItsEntrysIdAndIsRegisteredWithTheModule) {
    for (const torvik::ModulePage& page : torvik::modulePages()) {
        SCOPED_TRACE(page.name);
        EXPECT_EQ(page.makeTemplate().id, page.dialogId);
        EXPECT_NE(afx::findDialogTemplateIn(TorvikInstanceHandle(), page.dialogId), nullptr);
    }
    for (const torvik::ModuleDialog& dialog : torvik::moduleDialogs()) {
        EXPECT_EQ(dialog.makeTemplate().id, dialog.dialogId);
        EXPECT_NE(afx::findDialogTemplateIn(TorvikInstanceHandle(), dialog.dialogId), nullptr);
    }
}

TEST(ModulePages, TheFactoryBuildsEachPageOnItsOwnTemplate) {
    for (const torvik::ModulePage& page : torvik::modulePages()) {
        SCOPED_TRACE(page.name);
        CSwBasePropPage* built = nullptr;
        ASSERT_EQ(NewPageForDialog(page.dialogId, &built), PageFactoryResult::Created);
        EXPECT_EQ(built->templateId(), static_cast<UINT>(page.dialogId));
        delete built;
    }
    CSwBasePropPage* none = nullptr;
    EXPECT_EQ(NewPageForDialog(torvik::moduleDialogs()[0].dialogId, &none),
              PageFactoryResult::NoPageClass);
    EXPECT_EQ(none, nullptr);
}

}  // namespace
