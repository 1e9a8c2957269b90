// The page registry as the console uses it: pages by name, the operator's messages for
// names it lacks, and where dialog templates are found afterwards.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frame/module_instance.h"
#include "frame/torvik_res.h"
#include "framework/afx/afxwin.h"
#include "framework/afx/ui_driver.h"
#include "framework/sw/sw_base_prop_page.h"
#include "resources/resource_ids.h"

namespace {

struct PageName {
    const char* name;
    const char* className;
};

// Every page name, as the console may spell it, with the class it must build.
const PageName kPages[] = {
    {"PortGeneral", "CEnetPortGeneralPage"},
    {"portgeneral", "CEnetPortGeneralPage"},
    {"PortAdmin", "CEnetPortAdminPage"},
    {"PORTSTATUS", "CEnetPortStatusPage"},
    {"PortStats", "CEnetPortStatsPage"},
    {"PORTSTATS", "CEnetPortStatsPage"},
    {"Trunk", "CEnetTrunkPage"},
    {"Channeling", "CEnetChannelingPage"},
    {"speed", "CEnetSpeedPage"},
    {"MACs", "CEnetMACsPage"},
    {"ExpPortGeneral", "CExpPortGeneralPage"},
    {"ExpPortAdmin", "CExpPortAdminPage"},
    {"expportbrowser", "CExpPortBrowserPage"},
    {"ExpPortStats", "CExpPortStatsPage"},
};

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_driver.setFailureHandler([](const std::string& why) { ADD_FAILURE() << why; });
        AfxSetResourceHandle(AfxGetInstanceHandle());
    }
    void TearDown() override { AfxSetResourceHandle(AfxGetInstanceHandle()); }

    // The page the registry builds for name; a message box shown on the way fails the test
    // unless one was expected.
    std::unique_ptr<CSwBasePropPage> page(const char* name) {
        return std::unique_ptr<CSwBasePropPage>(m_registry.GetPage(name));
    }
    void expectRegistryMessage(const std::string& text) {
        m_driver.expectMessageBox(IDOK, afx::applicationName(), text);
    }
    void expectAllMessagesShownWithOkOnly() {
        EXPECT_TRUE(m_driver.verifyAllExpectedShown()) << m_driver.verifyAllExpectedShown().message;
        for (const auto& box : m_driver.shownMessageBoxes()) {
            EXPECT_EQ(box.style, 0u) << box.text;  // OK button, no icon
        }
    }

    afx::OperatorDriver m_driver;
    CTorvikRes m_registry;
};

class RegistryPageNameTest : public RegistryTest, public ::testing::WithParamInterface<PageName> {};

TEST_P(RegistryPageNameTest, BuildsItsOwnClassWhateverTheLetterCase) {
    const PageName& entry = GetParam();
    const bool built = CRuntimeClass::FromName(entry.className) != nullptr;
    if (!built) {
        expectRegistryMessage(std::string("Enet Page <") + entry.name + "> not created");
    }
    auto result = page(entry.name);
    if (built) {
        ASSERT_NE(result, nullptr);
        EXPECT_STREQ(result->GetRuntimeClass()->m_lpszClassName, entry.className);
    } else {
        EXPECT_EQ(result, nullptr);
    }
    expectAllMessagesShownWithOkOnly();
}

INSTANTIATE_TEST_SUITE_P(EveryPageName, RegistryPageNameTest, ::testing::ValuesIn(kPages),
                         [](const ::testing::TestParamInfo<PageName>& info) {
                             return std::to_string(info.index) + "_" + info.param.name;
                         });

TEST_F(RegistryTest, PagesSharingATitleAreToldApartByName) {
    auto ethernetGeneral = page("PortGeneral");
    ASSERT_NE(ethernetGeneral, nullptr);
    EXPECT_TRUE(ethernetGeneral->IsKindOf(CRuntimeClass::FromName("CEnetPortGeneralPage")));
    EXPECT_EQ(ethernetGeneral->templateId(), static_cast<UINT>(IDD_ENET_PORT_GENERAL));

    const std::pair<const char*, const char*> sameTitle[] = {
        {"ExpPortGeneral", "CExpPortGeneralPage"},
        {"PortStats", "CEnetPortStatsPage"},
        {"ExpPortStats", "CExpPortStatsPage"},
    };
    for (const auto& [name, className] : sameTitle) {
        SCOPED_TRACE(name);
        const CRuntimeClass* cls = CRuntimeClass::FromName(className);
        if (cls == nullptr) {
            expectRegistryMessage(std::string("Enet Page <") + name + "> not created");
        }
        auto other = page(name);
        if (cls != nullptr) {
            ASSERT_NE(other, nullptr);
            EXPECT_TRUE(other->IsKindOf(cls));
            EXPECT_NE(other->GetRuntimeClass(), ethernetGeneral->GetRuntimeClass());
        } else {
            EXPECT_EQ(other, nullptr);
        }
    }
    expectAllMessagesShownWithOkOnly();
}

TEST_F(RegistryTest, UnknownNamesAreToldToTheOperatorAndGiveNothing) {
    expectRegistryMessage("Enet Page <PortSpeed> not found");
    expectRegistryMessage("Enet Page <> not found");
    expectRegistryMessage("Enet Dialog <ModifySegment> not found");
    EXPECT_EQ(page("PortSpeed"), nullptr);
    EXPECT_EQ(page(""), nullptr);
    EXPECT_EQ(m_registry.GetDialog("ModifySegment"), nullptr);
    expectAllMessagesShownWithOkOnly();
    EXPECT_EQ(m_driver.shownMessageBoxes().size(), 3u);
}

TEST_F(RegistryTest, NullNameIsNotFoundRatherThanACrash) {
    expectRegistryMessage("Enet Page <> not found");
    EXPECT_EQ(page(nullptr), nullptr);
    expectAllMessagesShownWithOkOnly();
}

TEST_F(RegistryTest, KnownDialogNameMakesThisModuleTheResourceSourceAndCreatesNothing) {
    EXPECT_EQ(m_registry.GetDialog("portgeneral"), nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), TorvikInstanceHandle());
    EXPECT_TRUE(m_driver.shownMessageBoxes().empty());
}

TEST_F(RegistryTest, UnknownNamesLeaveTheResourceSourceAlone) {
    expectRegistryMessage("Enet Page <Nope> not found");
    expectRegistryMessage("Enet Dialog <Nope> not found");
    page("Nope");
    m_registry.GetDialog("Nope");
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
}

TEST_F(RegistryTest, ResourceSourceStaysOnThisModuleAfterAPageIsBuilt) {
    auto general = page("PortGeneral");
    ASSERT_NE(general, nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), TorvikInstanceHandle());
    general.reset();
    EXPECT_EQ(AfxGetResourceHandle(), TorvikInstanceHandle());
}

TEST_F(RegistryTest, PageTakesThisModulesTemplateWhenTheHostHasOneWithTheSameId) {
    HINSTANCE console = afx::createModuleHandle("console-dialogs");
    afx::DialogTemplate foreign;
    foreign.id = IDD_ENET_PORT_GENERAL;
    foreign.caption = "Console General";
    foreign.size = CSize(100, 50);
    ASSERT_TRUE(afx::registerDialogTemplate(console, foreign));
    AfxSetResourceHandle(console);
    ASSERT_EQ(afx::findDialogTemplate(IDD_ENET_PORT_GENERAL)->caption, "Console General");

    auto general = page("PortGeneral");
    ASSERT_NE(general, nullptr);
    EXPECT_EQ(afx::findDialogTemplateModule(IDD_ENET_PORT_GENERAL), TorvikInstanceHandle());
    // Even with the console's module current again, the page keeps the template it was
    // made for.
    AfxSetResourceHandle(console);
    ASSERT_TRUE(general->Create(IDD_ENET_PORT_GENERAL));
    CString caption;
    general->GetWindowText(caption);
    EXPECT_EQ(caption, "General");
    EXPECT_NE(general->GetDlgItem(IDC_GENERAL_PORT_TYPE), nullptr);
    general->DestroyWindow();
    afx::removeDialogTemplates(console);
}

// The registry's table as the console's other libraries read it: names and dialog ids in
// their order, including the pages this build has no class for yet.
class TableOfTorvikRes : public CTorvikRes {
public:
    std::vector<std::pair<std::string, int>> table() const {
        std::vector<std::pair<std::string, int>> out;
        for (int i = 0; i < m_pageCount; ++i) {
            out.emplace_back(m_pages[i].name, m_pages[i].dialogId);
        }
        return out;
    }
};

TEST(RegistryTable, HoldsTheTwelvePagesWithTheirDialogsInOrder) {
    const std::vector<std::pair<std::string, int>> expected = {
        {"PortGeneral", 203},  {"PortAdmin", 204},      {"PortStatus", 206},
        {"PortStats", 207},    {"Trunk", 147},          {"Channeling", 141},
        {"Speed", 208},        {"MACs", 143},           {"ExpPortGeneral", 132},
        {"ExpPortAdmin", 133}, {"ExpPortBrowser", 131}, {"ExpPortStats", 134},
    };
    EXPECT_EQ(TableOfTorvikRes().table(), expected);
}

}  // namespace
