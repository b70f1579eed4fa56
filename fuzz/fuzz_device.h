#pragma once
// The graphics device the file-loader fuzz targets run on, shared with the tests that replay their
// seed corpora: a 64 x 64 window with a render target of that size, sound on SDL's driver ("dummy"
// unless one is set) or off, and a scratch folder that is the resource base while the device lives.
// A device that does not start ends the process with the reason.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CXGfxDevice.h"
#include "CXString.h"
#include "support/temp_folder.h"

class FuzzDevice {
public:
    FuzzDevice(const std::string& name, bool sound) : m_name(name), m_folder(name)
    {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        m_pDevice = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
        if (!m_pDevice)
            Fail("no graphics device");
        m_pDevice->System_SetState(GFX_STATE_WINDOWED, true);
        m_pDevice->System_SetState(GFX_STATE_USE_SOUND, sound);
        m_pDevice->System_SetState(GFX_STATE_SCREEN_WIDTH, 64);
        m_pDevice->System_SetState(GFX_STATE_SCREEN_HEIGHT, 64);
        m_pDevice->System_SetState(GFX_STATE_WINDOW_WIDTH, 64);
        m_pDevice->System_SetState(GFX_STATE_WINDOW_HEIGHT, 64);
        if (!m_pDevice->System_Initiate(0) || (sound && !m_pDevice->GetDSDevice()))
            Fail(m_pDevice->System_GetErrorMessage());
        m_pTarget = m_pDevice->Target_Create(64, 64, false, GPU_FORMAT_A8R8G8B8);
        m_savedBase = g_strResourceBase;
        g_strResourceBase = m_folder.Slashed();
    }
    ~FuzzDevice()
    {
        g_strResourceBase = m_savedBase;
        m_pDevice->Target_Free(m_pTarget);
        m_pDevice->System_Shutdown();
        m_pDevice->Release();
    }
    FuzzDevice(const FuzzDevice&) = delete;
    FuzzDevice& operator=(const FuzzDevice&) = delete;

    CXGfxDevice* Get() const { return m_pDevice; }
    TempFolder& Folder() { return m_folder; }

    // Runs `draw` inside a scene on the render target.
    template <class F>
    void Draw(F&& draw)
    {
        if (!m_pDevice->Gfx_BeginScene(m_pTarget))
            return;
        draw();
        m_pDevice->Gfx_EndScene(false);
    }

private:
    [[noreturn]] void Fail(const char* reason) const
    {
        std::fprintf(stderr, "%s: the device did not start: %s\n", m_name.c_str(),
                     reason ? reason : "");
        std::abort();
    }

    std::string m_name;
    TempFolder m_folder;
    CXGfxDevice* m_pDevice = nullptr;
    HTARGET m_pTarget = nullptr;
    std::string m_savedBase;
};
