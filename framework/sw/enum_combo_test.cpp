// Combos filled from the dictionary's enumerations, as the pages fill them.

#include "framework/sw/enum_combo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/page_fixture.h"

namespace {

class EnumComboTest : public testing::Test {
protected:
    void SetUp() override {
        m_parent.Create(nullptr, "p", 0, CRect(), nullptr, 0);
        m_comm.SetAgent(&m_fixture.agent());
    }
    void TearDown() override { m_comm.SetAgent(nullptr); }

    HWND newCombo(int id) {
        return afx::windows().create(afx::WindowClass::ComboBox, m_parent.m_hWnd, id, "", 0,
                                     CRect());
    }
    static std::vector<std::string> texts(const CComboBox& combo) {
        std::vector<std::string> out;
        for (int i = 0; i < combo.GetCount(); ++i) {
            CString text;
            combo.GetLBText(i, text);
            out.emplace_back(static_cast<const char*>(text));
        }
        return out;
    }

    test_support::PageFixture m_fixture;
    CWnd m_parent;
    CMibComm m_comm;
};

TEST_F(EnumComboTest, AppendsTheTextsOfTheRangeInValueOrderAfterWhatIsThere) {
    CComboBox combo;
    combo.Attach(newCombo(1));
    combo.AddString("first");
    sw::addEnumTexts(combo, m_comm, "phyPortAdmStatus", 2, 3);
    EXPECT_EQ(texts(combo), (std::vector<std::string>{"first", "disabled", "testing"}));
    sw::addEnumTexts(combo, m_comm, "phyPortAdmStatus", 3, 2);  // empty range adds nothing
    EXPECT_EQ(combo.GetCount(), 3);
}

TEST_F(EnumComboTest, AMappedComboOffersOnlyItsMappedValuesInMappingOrder) {
    CMappedCombo combo;
    combo.Attach(newCombo(2));
    combo.SetMapping(std::vector<int>{3, 1});
    sw::addMappedEnumTexts(combo, m_comm, "phyPortAdmStatus", 1, 3);
    EXPECT_EQ(texts(combo), (std::vector<std::string>{"testing", "enabled"}));
    EXPECT_TRUE(combo.SetCurMappedSel(1));
    EXPECT_EQ(combo.GetCurMappedSel(), 1);
}

}  // namespace
