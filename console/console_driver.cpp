#include "console/console_driver.h"

#include <algorithm>

#include "framework/afx/printable_text.h"
#include "framework/afx/text_renderer.h"

namespace console {

std::string answerName(int answer) {
    switch (answer) {
        case IDOK:
            return "OK";
        case IDCANCEL:
            return "Cancel";
        case IDYES:
            return "Yes";
        case IDNO:
            return "No";
        default:
            return std::to_string(answer);
    }
}

int ConsoleDriver::answerMessageBox(const afx::MessageBoxState& box) {
    if (box.caption == "Error") {
        ++m_errorBoxes;
    }
    int answer = afx::defaultMessageBoxAnswer(box.style);
    bool queued = false;
    if (!m_queuedAnswers.empty()) {
        const auto buttons = afx::messageBoxButtons(box.style);
        const int wanted = m_queuedAnswers.front();
        m_queuedAnswers.pop_front();
        // An answer the box has no button for is not given; the box gets its default.
        if (std::any_of(buttons.begin(), buttons.end(),
                        [&](const auto& button) { return button.first == wanted; })) {
            answer = wanted;
            queued = true;
        }
    }
    m_out << "message box \"" << afx::printableText(box.caption) << "\" ("
          << afx::describeMessageBoxStyle(box.style) << "): " << afx::printableLines(box.text)
          << "\n  -> " << answerName(answer) << (queued ? "" : " (default)") << "\n";
    return answer;
}

void ConsoleDriver::modalLoopStarted(HWND dialog) {
    if (m_onModal) {
        expectModal([this](afx::OperatorDriver&, HWND d) { m_onModal(d); });
    }
    afx::OperatorDriver::modalLoopStarted(dialog);
}

}  // namespace console
