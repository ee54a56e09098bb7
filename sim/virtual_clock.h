#pragma once
// Time of the virtual board. In tests it advances only when the program sleeps
// (LinkHost::Sleep), so protocol waits cost no real time and every timing is exact.
#include <cstdint>

class VirtualClock {
public:
    virtual ~VirtualClock() = default;
    // Microseconds since the clock started.
    virtual int64_t NowUs() const { return nowUs_; }
    void AdvanceMs(int ms) { nowUs_ += int64_t(ms) * 1000; }
    void AdvanceUs(int64_t us) { nowUs_ += us; }

protected:
    int64_t nowUs_ = 0;
};
