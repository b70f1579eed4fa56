// Every test of this suite ends within 120 s, or reports by name where it hung and aborts.
#include <chrono>

#include "support/deadline.h"

static const bool kDeadlineInstalled = test_support::InstallTestDeadline(std::chrono::seconds(120));
