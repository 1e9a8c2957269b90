#pragma once
// What was read for one listed virtual port row; the Service Admin page owns one per row.

#include "framework/afx/collections.h"
#include "framework/afx/cstring.h"

class CVPortRecord : public CObject {
public:
    CVPortRecord() = default;
    ~CVPortRecord() override = default;

    bool Matches(long slot, long port, long serviceType, long instance) const {
        return m_slot == slot && m_port == port && m_serviceType == serviceType &&
               m_instance == instance;
    }

    long m_slot = 0;
    long m_port = 0;
    long m_serviceType = 0;
    long m_instance = 0;
    long m_group = 0;
    long m_adminState = 0;
    long m_switchTimer = 0;
    long m_floodLimit = 0;
    long m_bridgeMode = 0;
    long m_manualMode = 0;
    long m_encapsulation = 0;
    CString m_description;
};
