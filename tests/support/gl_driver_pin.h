#pragma once
// The GL driver's libraries, loaded when a test program starts and marked never to be unloaded.
// The driver unloads its own parts at times of its choosing (closing a display, a failed screen
// set-up); what it allocated then stays in the heap with return addresses into unmapped code, so
// the leak check at exit cannot name their frames and the driver suppressions in lsan.supp do not
// match. Pinned, the libraries stay mapped to the end: their frames resolve, their globals are
// still scanned, and only leaks the suppressions do not cover are reported.
#include <string>
#include <vector>

struct GlDriverLibrary {
    std::string name;  // as passed to dlopen: a soname or an absolute path
    bool pinned;
    std::string error;  // the loader's message when it could not be pinned
};

// The libraries and whether each was pinned. Pinning happens once, before main, in every program
// this file is linked into; a library that cannot be pinned is also reported on stderr then.
const std::vector<GlDriverLibrary>& GlDriverPins();
