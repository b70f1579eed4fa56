#pragma once
// The engine facade: start-up and shutdown around the graphics device, the subclass window
// procedure that gives the application its hook, random numbers, and the free functions the rest
// of the program draws and reads input through.

#include <cstdint>

#include "CXGfxDevice.h"
#include "platform/text.h"

// The start-up record the application fills (zero means "not set" where a state is only applied
// when set).
struct CX2DInitParam {
    void* hInstance = nullptr;
    CXGfxCallback pFrameFunc = nullptr;    // state 1
    CXGfxCallback pLostFunc = nullptr;     // state 2
    CXGfxCallback pRestoreFunc = nullptr;  // state 3
    CXGfxCallback pExitFunc = nullptr;     // state 4, only when set
    WNDPROC pWndProcHook = nullptr;        // state 35, only when set
    const char* pszIcon = nullptr;         // state 6, only when set
    const char* pszTitle = nullptr;        // state 7 (the engine's own title when null)
    int32_t nScreenWidth = 0;              // state 8
    int32_t nScreenHeight = 0;             // state 9
    uint8_t nBPP = 0;                      // state 10
    int32_t nWindowWidth = 0;              // state 33
    int32_t nWindowHeight = 0;             // state 34
    int32_t bFullScreen = 0;               // state 11 gets its negation
    int32_t bZBuffer = 0;                  // state 12
    int32_t bPointFilter = 0;              // state 13 gets its negation
    int32_t bRunInactive = 0;              // state 24
    int32_t bNoReserved25 = 0;             // state 25 gets its negation
    int32_t nSampleRate = 0;               // state 19, only when set
    int32_t nEffectVolume = 0;             // state 20, only when set
    int32_t nMusicVolume = 0;              // state 21, only when set
    int32_t nFrameRate = 0;                // state 23
    uint32_t dwStyle = 0;                  // state 30
    uint32_t dwExStyle = 0;                // state 31
    HCURSOR hCursor = nullptr;             // state 32
    uint8_t bRunInactiveFirst = 0;         // state 24, applied before every other state
};

// Engine start-up; the device window, or null when the engine did not come up.
HWND CX2DInit(const CX2DInitParam& param, int extraSoundGroups);
// Creates the "Random" thread and the engine pack list when missing.
void EngineInit();
// Tears the engine down (nothing when there is no device). Safe to call twice.
void EngineShutdown();
bool EngineMainLoop();
// The subclass procedure put on the device window: the application's hook first.
LRESULT EngineWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

TextFont EngineGetFont();
float EngineGetDelta();
double EngineGetTime();
int EngineGetKey();
int EngineGetKeyState(int vk);  // 0 or 1

// The next value of the engine's shared random source.
uint32_t EngineRandom();
// Inclusive range, arguments swapped when b < a; over the whole 32-bit range a full-range value.
uint32_t RandomRange(uint32_t a, uint32_t b);
// The same over signed bounds (negative ones included), for ranges read from configuration.
// Mixing a signed and an unsigned bound does not compile: the caller says which range it means.
int32_t RandomRange(int32_t a, int32_t b);

int EngineBeginScene(HTARGET target);  // 0 or 1
void EngineClear(uint32_t colour);
// Opens and closes the frame's sprite batch (alpha blending); false without a batch or a scene.
bool EngineBeginSprites();
void EngineEndSprites();
HTARGET EngineEndScene(bool present);
void EngineRenderQuad(const CXQuad& quad);
void EngineSetTransform(float x, float y, float dx, float dy, float rotation, float hscale,
                        float vscale);

// Channels read this before they play (set at start-up by the application).
void EngineSetSoundOff(bool off);
bool EngineIsSoundOff();
void EngineStopAllChannels();
void EngineSetEffectVolume(int volume);
