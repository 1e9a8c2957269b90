#pragma once
// The object selected in the console's chassis view, as the console hands it over.

#include "framework/afx/collections.h"

class CWnd;

class CSelectedObject : public CObject {
public:
    // The console fills what it selected; fields start at zero so an unfilled one reads as
    // "none" rather than as garbage.
    CSelectedObject() = default;
    ~CSelectedObject() override = default;

    void SetSlot(int slot) { m_slot = slot; }
    int GetSlot() const { return m_slot; }
    void SetPort(int port) { m_port = port; }
    int GetPort() const { return m_port; }
    void SetControl(CWnd* control) { m_pControl = control; }
    CWnd* GetControl() const { return m_pControl; }

protected:
    // The console's own: the kind of object selected and its index in the chassis view.
    int m_objectKind = 0;
    int m_objectIndex = 0;
    int m_slot = 0;
    int m_port = 0;
    CWnd* m_pControl = nullptr;
};
