#pragma once
// The process's peak resident memory, for tests that check a hostile input allocates nothing large.

#include <fstream>
#include <string>

namespace test_support {

// The process's peak resident memory in MB (VmHWM), or -1 when it cannot be read.
inline long PeakRssMb()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            long kb = -1;
            status >> kb;
            return kb / 1024;
        }
    return -1;
}

}  // namespace test_support
