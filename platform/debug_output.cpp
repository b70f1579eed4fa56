// The debugger-output sink: stderr.
// Stands in for: OutputDebugStringA.
// Not here: a debugger connection; lines are not prefixed or buffered.

#include "platform/debug_output.h"

#include <unistd.h>

#include <cstring>

namespace platform {

void DebugOutput(const char* pszText)
{
    if (pszText == nullptr)
        return;
    size_t remaining = std::strlen(pszText);
    while (remaining > 0) {
        ssize_t n = ::write(STDERR_FILENO, pszText, remaining);
        if (n <= 0)
            return;
        pszText += n;
        remaining -= static_cast<size_t>(n);
    }
}

}  // namespace platform
