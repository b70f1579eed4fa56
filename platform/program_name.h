#pragma once
// The running program's own file name.
// Stands in for: GetModuleFileNameA when only the name is wanted (default configuration file).
// Not here: the program's folder (files.h, ProgramFolder).

#include <string>

namespace platform {

// The program's file name without folder and extension ("client" for /opt/x/client.bin);
// empty when it cannot be read.
std::string ProgramName();

} // namespace platform
