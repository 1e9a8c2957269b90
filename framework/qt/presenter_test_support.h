#pragma once
// Shared by the presenter's Qt tests: dialogs made from templates that record what the
// window system tells them, and the presenter set up the way a front end sets it up.

#include <QtTest/QTest>
#include <functional>
#include <utility>
#include <vector>

#include "framework/afx/dialog.h"
#include "framework/afx/resources.h"
#include "framework/qt/presenter.h"
#include "framework/qt/qt_event_loop_backend.h"
#include "framework/qt/qt_ui_driver.h"

namespace afxqt::testing {

// Each template its own id: the registry lives for the whole process.
inline int registerTemplate(afx::DialogTemplate dialog) {
    static int nextId = 7000;
    dialog.id = nextId++;
    afx::registerDialogTemplate(AfxGetInstanceHandle(), std::move(dialog));
    return dialog.id;
}

inline afx::ControlTemplate control(afx::WindowClass cls, int id, const char* text,
                                    const CRect& rect, DWORD style = 0) {
    return afx::ControlTemplate{id, cls, text, rect, style | afx::style::kTabStop};
}

// What a page's message map would see: WM_COMMAND and WM_NOTIFY, as (control id, code).
template <typename Base>
class Recording : public Base {
public:
    using Base::Base;
    std::vector<std::pair<int, UINT>> commands;
    std::vector<std::pair<int, UINT>> notices;
    std::function<void(int id, UINT code)> onCommand;
    std::function<void(NMHDR* header)> onNotify;

    int commandCount(int id, UINT code) const {
        int n = 0;
        for (const auto& c : commands) {
            n += c == std::make_pair(id, code) ? 1 : 0;
        }
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) {
            commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
            if (onCommand) {
                onCommand(LOWORD(wParam), HIWORD(wParam));
            }
        } else if (message == WM_NOTIFY) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            notices.emplace_back(static_cast<int>(header->idFrom), header->code);
            if (onNotify) {
                onNotify(header);
            }
        }
        return Base::WindowProc(message, wParam, lParam);
    }
};
using RecordingDialog = Recording<CDialog>;
using RecordingPage = Recording<CPropertyPage>;

// The front end's pieces, installed for one test.
struct Front {
    QtEventLoopBackend backend;
    Presenter presenter;
    QtUiDriver driver{&presenter};

    // The widget of a control of dialog, after the presenter caught up.
    template <typename W>
    W* widget(CWnd& dialog, int id) {
        presenter.flush();
        return qobject_cast<W*>(presenter.widgetOf(afx::windows().childById(dialog.m_hWnd, id)));
    }
    QWidget* window(CWnd& dialog) {
        presenter.flush();
        return presenter.widgetOf(dialog.m_hWnd);
    }
};

}  // namespace afxqt::testing
