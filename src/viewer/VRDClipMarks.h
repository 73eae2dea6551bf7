#pragma once

#include <optional>
#include <utility>

// The in and out points the user marked on the recording that plays, in
// seconds from its start, and the range an export takes from them.
class VRDClipMarks {
public:
    static constexpr double kDefaultAroundSeconds = 15.0;

    void setIn(double seconds);
    void setOut(double seconds);
    void clear();
    std::optional<double> in() const { return m_in; }
    std::optional<double> out() const { return m_out; }

    // From the earlier mark to the later one, when both are set and apart.
    std::optional<std::pair<double, double>> range() const;
    // `half` seconds either side of `now`, not before the recording's start
    // (the end may run on into the next recording).
    static std::pair<double, double> around(double now, double half);

private:
    std::optional<double> m_in;
    std::optional<double> m_out;
};
