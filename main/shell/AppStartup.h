#pragma once
// Start-up and shutdown of the program: logs, locale, the resource file registry, the engine with
// the application's callbacks, the application object, the main loop, and the teardown in the
// reverse order with the network client closed and joined last.

// Runs the whole program; returns its exit code (0 whether start-up succeeded or not).
int RunClient();

// Fills the engine's start-up record and starts the engine; records the window.
bool AppInit();
// Creates and initialises the application object.
bool InitGame();

// Engine callbacks and the window-procedure hook.
bool OnEngineFrame();
bool OnEngineDeviceLost();
bool OnEngineDeviceReset();

// Each start-up and shutdown step reports its name here before it runs (test builds record the
// order; null: nothing).
using StartupTrace = void (*)(const char* step);
void SetStartupTrace(StartupTrace trace);
