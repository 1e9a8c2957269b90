// Modeless sheets beside a picture of the switch, on the embedded demo switch.
#include "console/port_sheets.h"

#include <gtest/gtest.h>

#include "console/agent_factory.h"
#include "console/module_loader.h"
#include "frame/page_registry.h"
#include "framework/afx/controls.h"
#include "framework/afx/event_loop.h"
#include "framework/afx/window.h"

namespace console {
namespace {

class PortSheetsTest : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        module = LoadedModule::load(SW_TORVIK_BUILD_PATH, &error);
        ASSERT_NE(module, nullptr) << error;
        registry = module->createRegistry(&error);
        ASSERT_NE(registry, nullptr) << error;
        ASSERT_TRUE(createAgent(AgentChoice{}, loop, &agent, &error)) << error;
        sheets = std::make_unique<PortSheets>(*registry, *agent.agent);
    }
    void TearDown() override {
        sheets.reset();
        registry.reset();
    }
    CSwPropertySheet* open(int slot, int port, std::vector<SlotPort> selection = {}) {
        std::string error;
        CSwPropertySheet* sheet =
            sheets->open(ChassisPort{{slot, port}, 0, false}, selection, {}, &error);
        EXPECT_NE(sheet, nullptr) << error;
        loop.runUntilIdle();
        return sheet;
    }

    afx::EventLoop& loop = afx::EventLoop::instance();
    std::unique_ptr<LoadedModule> module;
    std::unique_ptr<CPageRegistry> registry;
    AgentSession agent;
    std::unique_ptr<PortSheets> sheets;
};

TEST_F(PortSheetsTest, EachPortHasOneSheetAndAClosedSheetIsGone) {
    CSwPropertySheet* first = open(1, 1, {{1, 1}, {1, 2}, {1, 3}});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(afx::windows().find(first->GetSafeHwnd())->text, "Ethernet Slot:1 Port:1");
    EXPECT_EQ(open(1, 1), first) << "a port's open sheet is shown again, not doubled";
    CSwPropertySheet* second = open(1, 2);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    ASSERT_EQ(sheets->sheets().size(), 2u);

    ASSERT_TRUE(afx::operatorClick(first->buttonHandle(IDCANCEL)));
    loop.runUntilIdle();
    ASSERT_EQ(sheets->sheets().size(), 1u);
    EXPECT_EQ(sheets->sheets()[0], second);

    // Reopened after closing: a new sheet, and the late notice of the old one removes nothing.
    CSwPropertySheet* again = open(1, 1);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(sheets->sheets().size(), 2u);
    sheets->closeAll();
    loop.runUntilIdle();
    EXPECT_TRUE(sheets->sheets().empty());
}

}  // namespace
}  // namespace console
