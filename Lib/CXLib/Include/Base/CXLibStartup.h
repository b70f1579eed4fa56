#pragma once
// Library start-up and shutdown: the registry of running worker threads.

#include <atomic>

#include "CXListTmpl.h"
#include "CXLockTmpl.h"

class CXThread;

// Every running CXThread, in start order; the elements do not own the threads. Lock it around
// every use. Null before CXLibStartup and after CXLibShutdown (threads then run unregistered).
using CXThreadRegistry = CXLockTmpl<CXListTmpl<CXThread>>;
extern std::atomic<CXThreadRegistry*> g_pThreadRegistry;

// Creates the registry (once; later calls keep it). 1 on success.
int CXLibStartup();
// Deletes the registry; call after the worker threads have stopped (a thread still registered is
// reported on the error log and forgotten).
void CXLibShutdown();
