#pragma once
// A record of every call the component receives and every PDU it sends, so
// tests can assert the road of a change and the console can print it.
// Credentials are masked before they are recorded.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mib {

class MibTrace {
public:
    using Sink = std::function<void(const std::string& line)>;

    // Off by default: recording costs a formatted line per call.
    void setRecording(bool on) { m_recording = on; }
    bool isRecording() const { return m_recording || static_cast<bool>(m_sink); }
    // Every line is also handed to the sink (the console's --trace prints it).
    void setSink(Sink sink) { m_sink = std::move(sink); }

    // "RequestRow(3)"; arguments are joined with ", ".
    void call(std::string_view operation, const std::vector<std::string>& arguments);
    void line(std::string text);

    const std::vector<std::string>& lines() const { return m_lines; }
    void clear() { m_lines.clear(); }
    // Lines that start with prefix, in order.
    std::vector<std::string> linesStartingWith(std::string_view prefix) const;

    static std::string quoted(std::string_view text);
    static std::string masked(std::string_view secret);

private:
    bool m_recording = false;
    Sink m_sink;
    std::vector<std::string> m_lines;
};

}  // namespace mib
