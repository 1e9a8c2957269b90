#pragma once
// The dialog library's resource class: makes its dialogs by name. The library's templates
// join the host's chain of modules when it is loaded, so they are found whichever resource
// handle the caller has made current.
//
//     CBelvaRes resources;
//     CSwBaseDialog* dialog = resources.GetDialog("BridgeAddr", parent);  // caller deletes it

#include "framework/sw/sw_base_dialog.h"

class CBelvaRes {
public:
    CBelvaRes() = default;
    CBelvaRes(const CBelvaRes&) = delete;
    CBelvaRes& operator=(const CBelvaRes&) = delete;

    // "BridgeAddr" (CBridgeAddrDialog) or "PortMirror" (CPortMirrorDialog), case ignored;
    // any other name tells the operator and gives NULL.
    CSwBaseDialog* GetDialog(const char* name, CWnd* parent);
};

namespace belva {
// The library's own module handle (its templates are registered there).
HINSTANCE moduleHandle();
}  // namespace belva
