#pragma once
// The simulated switch with its state kept in a file: loaded at start when the file exists,
// written after every SET the switch applied. Writes go to a new file that is synced and
// then renamed over the old one, so a crash leaves either the old state or the new.

#include <functional>
#include <string>

#include "framework/mib/transport.h"

namespace sim {

class SimulatedSwitch;

// false with *error when the file exists but cannot be read or does not fit the switch.
bool loadStateFile(SimulatedSwitch& sw, const std::string& path, std::string* error);
// Write, fsync, rename, fsync of the folder; false with *error (the old file stays).
bool writeFileAtomically(const std::string& path, const std::string& text, std::string* error);

class PersistentSwitch : public mib::PduHandler {
public:
    using ErrorSink = std::function<void(const std::string&)>;

    // onSaveError hears of a state that could not be written (the SET itself stands).
    PersistentSwitch(SimulatedSwitch& sw, std::string path, ErrorSink onSaveError);

    mib::ResponsePdu handle(const mib::RequestPdu& request) override;
    bool answersNow() const override;

private:
    SimulatedSwitch& m_switch;
    std::string m_path;
    ErrorSink m_onSaveError;
};

}  // namespace sim
