#include "console/modal_state.h"

#include "framework/afx/window.h"

namespace console {

bool modalHasEnded(HWND modal) {
    const afx::WindowRecord* r = afx::windows().find(modal);
    if (r == nullptr || r->modal == afx::ModalState::Ended) {
        return true;
    }
    // A dialog not (yet) run modally has not ended; anything else is not a modal window.
    return r->cls != afx::WindowClass::Dialog;
}

}  // namespace console
