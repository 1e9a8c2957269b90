// Scripts that address the console's sheet and a modeless sheet a page opened beside it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "console/console_driver.h"
#include "console/event_settler.h"
#include "console/script_parser.h"
#include "console/script_runner.h"
#include "framework/afx/ddx.h"
#include "framework/afx/event_loop.h"
#include "framework/sw/sw_property_sheet.h"

namespace {

constexpr UINT kLauncherTemplate = 9301;
constexpr UINT kNoteTemplate = 9302;
constexpr int IDC_OPEN_SHEET = 1001;
constexpr int IDC_NOTE = 1002;

void registerTemplates() {
    static const bool once = [] {
        afx::DialogTemplate launcher;
        launcher.id = kLauncherTemplate;
        launcher.caption = "Launcher";
        launcher.controls.push_back(
            {IDC_OPEN_SHEET, afx::WindowClass::PushButton, "Open Sheet...", CRect(), 0});
        afx::DialogTemplate note;
        note.id = kNoteTemplate;
        note.caption = "Notes";
        note.controls.push_back({IDC_STATIC, afx::WindowClass::Static, "Note:", CRect(), 0});
        note.controls.push_back({IDC_NOTE, afx::WindowClass::Edit, "", CRect(), 0});
        return afx::registerDialogTemplate(AfxGetInstanceHandle(), launcher) &&
               afx::registerDialogTemplate(AfxGetInstanceHandle(), note);
    }();
    EXPECT_TRUE(once);
}

// The page of the modeless sheet: a note that Apply keeps.
class NotePage : public CSwBasePropPage {
public:
    explicit NotePage(std::string* applied) : CSwBasePropPage(kNoteTemplate), m_applied(applied) {}
    BOOL OnApply() override {
        UpdateData(TRUE);
        *m_applied = m_note.str();
        return TRUE;
    }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CSwBasePropPage::DoDataExchange(dx);
        DDX_Text(dx, IDC_NOTE, m_note);
    }
    void OnNoteChanged() { SetDirty(1); }

private:
    std::string* m_applied;
    CString m_note;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NotePage, CSwBasePropPage)
ON_EN_CHANGE(IDC_NOTE, &NotePage::OnNoteChanged)
END_MESSAGE_MAP()

// A page that opens one modeless sheet beside the console's, as the Service Admin page opens
// the trunking sheet, and deletes it when told that it closed.
class LauncherPage : public CSwBasePropPage {
public:
    explicit LauncherPage(std::string* applied)
        : CSwBasePropPage(kLauncherTemplate), m_applied(applied) {}
    ~LauncherPage() override { delete m_launched; }

    CSwPropertySheet* m_launched = nullptr;

protected:
    void OnOpenSheet() {
        if (m_launched != nullptr) {
            return;
        }
        m_launched = new CSwPropertySheet("Launched Sheet", 0, this, 0);
        m_launched->AddPage(new NotePage(m_applied));
        m_launched->m_modeless = 1;
        m_launched->ActivateSheet();
    }
    LRESULT OnSheetClosed(WPARAM, LPARAM closing) {
        if (reinterpret_cast<CSwPropertySheet*>(closing) == m_launched) {
            delete m_launched;
            m_launched = nullptr;
        }
        return 0;
    }

private:
    std::string* m_applied;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LauncherPage, CSwBasePropPage)
ON_BN_CLICKED(IDC_OPEN_SHEET, &LauncherPage::OnOpenSheet)
ON_MESSAGE(kSheetClosedMessage, &LauncherPage::OnSheetClosed)
END_MESSAGE_MAP()

class SheetVerbTest : public testing::Test {
protected:
    SheetVerbTest() : m_driver(m_out), m_settler(afx::EventLoop::instance(), 1000) {
        registerTemplates();
        m_sheet = std::make_unique<CSwPropertySheet>("Ethernet Slot:1 Port:1", 0, nullptr, 0);
        m_launcher = new LauncherPage(&m_applied);
        m_sheet->AddPage(m_launcher);
        m_sheet->ActivateSheet();
        m_driver.setRoot(m_sheet->GetSafeHwnd());
    }
    ~SheetVerbTest() override {
        m_sheet.reset();
        afx::EventLoop::instance().runUntilIdle();
    }

    console::ScriptOutcome run(const std::string& script) {
        const console::ScriptParseResult parsed = console::parseScript(script);
        EXPECT_TRUE(parsed.ok()) << parsed.error;
        console::ScriptRunner runner(m_driver, *m_sheet, {{"Launcher", m_launcher}}, m_settler,
                                     m_out);
        return runner.run(parsed.steps);
    }
    bool printed(const std::string& text) const {
        return m_out.str().find(text) != std::string::npos;
    }

    std::ostringstream m_out;
    console::ConsoleDriver m_driver;
    console::EventSettler m_settler;
    std::unique_ptr<CSwPropertySheet> m_sheet;
    LauncherPage* m_launcher = nullptr;
    std::string m_applied;
};

TEST_F(SheetVerbTest, StepsActInTheSheetTheScriptAddresses) {
    const console::ScriptOutcome outcome =
        run("click \"Open Sheet...\"\n"
            "click \"Open Sheet...\"\n"  // still one sheet
            "sheet 1\n"
            "type Note \"from the script\"\n"
            "apply\n"
            "dump\n"
            "sheet main\n"
            "dump\n"
            "sheet \"launched sheet\"\n"
            "page Notes\n"
            "ok\n"
            "dump\n");
    ASSERT_TRUE(outcome.ok) << outcome.failure << "\n" << m_out.str();
    EXPECT_EQ(m_applied, "from the script");
    const std::string out = m_out.str();
    const auto launchedDump = out.find("== Launched Sheet ==");
    const auto mainDump = out.find("== Ethernet Slot:1 Port:1 ==");
    ASSERT_NE(launchedDump, std::string::npos) << out;
    ASSERT_NE(mainDump, std::string::npos) << out;
    EXPECT_LT(launchedDump, mainDump);
    // Each dump shows its own sheet only.
    EXPECT_EQ(out.substr(launchedDump, mainDump - launchedDump).find("Open Sheet"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.substr(mainDump).find("Note:"), std::string::npos) << out;
    EXPECT_TRUE(printed("sheet \"Launched Sheet\" closed; steps act in the main sheet")) << out;
    EXPECT_EQ(m_launcher->m_launched, nullptr);  // deleted by the page once it closed
}

TEST_F(SheetVerbTest, AnUnknownSheetIsRefusedWithTheOpenOnes) {
    const console::ScriptOutcome outcome =
        run("click \"Open Sheet...\"\n"
            "sheet 2\n");
    ASSERT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failure,
              "line 2: sheet 2: no open sheet 2; open sheets: 0 main \"Ethernet Slot:1 Port:1\", "
              "1 \"Launched Sheet\"");
}

TEST_F(SheetVerbTest, ClosingTheMainSheetTakesTheModelessOneWithIt) {
    const console::ScriptOutcome outcome =
        run("click \"Open Sheet...\"\n"
            "sheet 1\n"
            "type Note kept\n"
            "sheet main\n"
            "ok\n"
            "sheet 1\n");
    ASSERT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failure, "line 6: sheet 1: no open sheet 1; open sheets: none");
    EXPECT_FALSE(afx::windows().isWindow(m_sheet->GetSafeHwnd()));
    // The modeless sheet's window went with its owner; the page still holds the object and
    // deletes it when the sheet deletes the page.
    ASSERT_NE(m_launcher->m_launched, nullptr);
    EXPECT_FALSE(afx::windows().isWindow(m_launcher->m_launched->GetSafeHwnd()));
    m_sheet.reset();
}

TEST_F(SheetVerbTest, ScriptsParseTheSheetVerb) {
    EXPECT_FALSE(console::parseScript("sheet\n").ok());
    const console::ScriptParseResult parsed =
        console::parseScript("sheet \"Trunking Properties\"\n");
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.steps.at(0).verb, console::Verb::Sheet);
    EXPECT_EQ(parsed.steps.at(0).args.at(0), "Trunking Properties");
}

}  // namespace
