#pragma once
// Failure records of the engine, all under the engine's one source name.

#include "CXLog.h"

#define PROB_LOG(function, ...)                                                                    \
    CXLog::ErrorLog().Write("..\\..\\Lib\\ProbSource\\PelagornProb\\CXProb", (function), __LINE__, \
                            __VA_ARGS__)
