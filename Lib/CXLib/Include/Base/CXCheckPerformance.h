#pragma once
// Timing of repeated work (one sample per loop step or task): last, maximum and average elapsed
// milliseconds, with a warning on the error log when one sample exceeds a limit.

#include <cstdint>

class CXCheckPerformance {
public:
    using TickSource = uint32_t (*)();

    CXCheckPerformance();
    virtual ~CXCheckPerformance() = default;

    // Opens a sample: count + 1, start = now.
    void BeginCheckPerformance();
    // Closes the open sample (nothing when none is open). With a non-zero limit, a sample longer
    // than the limit writes "# PERFORMANCE_WARNING: [thread id] - [ms] text" to the error log.
    void EndCheckPerformance(uint32_t dwLimitMs = 0, const char* pszText = nullptr);

    // The millisecond clock the samples read; tests put a fake clock here.
    void SetTickSource(TickSource pfnTick) { m_pfnTick = pfnTick; }

    uint32_t m_dwResetCount = 1000000;  // count and total restart after this many samples
    uint32_t m_dwCount = 0;
    uint32_t m_dwStartTick = 0;
    uint32_t m_dwLastElapsed = 0;
    uint32_t m_dwMaxElapsed = 0;
    uint32_t m_dwTotalElapsed = 0;
    float m_fAverage = 0.0f;

private:
    TickSource m_pfnTick;
    bool m_bSampleOpen = false;  // a start tick of 0 is a valid time, so openness is kept apart
};
