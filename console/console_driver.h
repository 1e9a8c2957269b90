#pragma once
// The console's operator: prints every message box with its caption and style and answers
// it from the script's queue, else with its default button; hands modal dialogs to whoever
// runs the script, so the following steps act inside them.

#include <deque>
#include <functional>
#include <ostream>

#include "framework/afx/ui_driver.h"

namespace console {

class ConsoleDriver : public afx::OperatorDriver {
public:
    using ModalHandler = std::function<void(HWND dialog)>;

    explicit ConsoleDriver(std::ostream& out) : m_out(out) {}

    void queueAnswer(int answer) { m_queuedAnswers.push_back(answer); }
    std::size_t queuedAnswers() const { return m_queuedAnswers.size(); }
    void setModalHandler(ModalHandler handler) { m_onModal = std::move(handler); }

    // Boxes captioned "Error" shown so far: each tells the operator of a failure.
    int errorBoxes() const { return m_errorBoxes; }

    int answerMessageBox(const afx::MessageBoxState& box) override;
    void modalLoopStarted(HWND dialog) override;

private:
    std::ostream& m_out;
    std::deque<int> m_queuedAnswers;
    ModalHandler m_onModal;
    int m_errorBoxes = 0;
};

// The caption of an answer button ("Yes"), or its number.
std::string answerName(int answer);

}  // namespace console
