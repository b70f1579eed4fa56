#pragma once
// The debugger-output sink.
// Stands in for: OutputDebugStringA.
// Not here: any buffering or filtering; the text goes to stderr as given, in one write.

namespace platform {

// Writes the text to stderr; a null text writes nothing.
void DebugOutput(const char* pszText);

}  // namespace platform
