#pragma once
// What the file-loader fuzz targets do with one input, shared with the test that replays their
// seed corpora. Every input goes through the engine's own loading function for its kind of file,
// on a real graphics device (a small window; sound on SDL's driver, "dummy" unless one is set)
// whose scratch folder is the resource base. The folder holds a few images and a sound that
// inputs may name: "t.png", "t0.png", "t1.png" (4 x 4) and "s.wav".
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "CX2DAnimation.h"
#include "CX2DFileConfig.h"
#include "CX2DParticle.h"
#include "CX2DSprite.h"
#include "CXDSDevice.h"
#include "CXGfxDevice.h"
#include "CXSound.h"
#include "CXString.h"
#include "fuzz_device.h"
#include "platform/image.h"
#include "support/temp_folder.h"
#include <utility>

namespace loader_fuzz {

class Harness {
public:
    Harness()
    {
        const std::vector<uint32_t> pixels(16, 0xFF336699);
        for (const char* name : {"t.png", "t0.png", "t1.png"})
            platform::SavePng((m_folder.Path() / name).string().c_str(), 4, 4, pixels.data(), 16);
        // 8-bit mono PCM at 8000 Hz, four samples.
        static const uint8_t kWave[] = {
            'R', 'I', 'F', 'F', 40,  0,   0,   0,   'W',  'A',  'V', 'E', 'f',  'm',  't',  ' ',
            16,  0,   0,   0,   1,   0,   1,   0,   0x40, 0x1F, 0,   0,   0x40, 0x1F, 0,    0,
            1,   0,   8,   0,   'd', 'a', 't', 'a', 4,    0,    0,   0,   0x80, 0xC0, 0x80, 0x40};
        m_folder.Write("s.wav", std::vector<uint8_t>(std::begin(kWave), std::end(kWave)));
    }
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    // Zip packs: the input is a pack attached to the device; a few names are read through it.
    void Zip(const uint8_t* data, size_t size)
    {
        const std::string pack = Write("in.zip", data, size);
        if (!m_pDevice->Resource_AttachPack(pack.c_str(), "pw"))
            return;
        for (const char* name : {"a.txt", "dir/b.bin", "t.png"}) {
            uint32_t bytes = 0;
            if (void* loaded = m_pDevice->Resource_Load(name, &bytes))
                m_pDevice->Resource_Free(loaded);
        }
        m_pDevice->Resource_RemoveAllPacks();
    }

    // PCX images through the device's own loader; the texture is freed again.
    void Pcx(const uint8_t* data, size_t size)
    {
        const std::string file = Write("in.pcx", data, size);
        if (HTEXTURE texture = m_pDevice->Texture_LoadPCX(file.c_str()))
            m_pDevice->Texture_Free(texture);
    }

    // Image files: decoded, and loaded as a texture from memory.
    void Image(const uint8_t* data, size_t size)
    {
        ImageData image;
        platform::DecodeImage(data, size, 0xFF000000, image);
        if (size > 0 && size <= UINT32_MAX)
            if (HTEXTURE texture = m_pDevice->Texture_Load(data, static_cast<uint32_t>(size)))
                m_pDevice->Texture_Free(texture);
    }

    // WAVE files loaded into a sound of two copies, which is played once.
    void Wave(const uint8_t* data, size_t size)
    {
        const std::string file = Write("in.wav", data, size);
        if (std::unique_ptr<CXSound> sound = m_pDevice->GetDSDevice()->LoadSound(file.c_str(), 2))
            sound->Play(false, false);
    }

    // Animation files ("in.anf", which may name itself and the scratch files), played and drawn.
    void Anf(const uint8_t* data, size_t size)
    {
        Write("in.anf", data, size);
        CX2DAnimation animation;
        if (!animation.Load("in.anf"))
            return;
        animation.Play(true);
        for (int i = 0; i < 4; ++i) {
            animation.Update(0.05f);
            Draw([&] { animation.Render(32.0f, 32.0f); });
        }
    }

    // Particle files: the first 128 bytes (or fewer) are the settings file "p.psi", the rest is
    // the particle file, which names it with PSI=p.psi. The system is fired, run and drawn.
    void Particle(const uint8_t* data, size_t size)
    {
        const size_t psi = std::min<size_t>(size, 128);
        Write("p.psi", data, psi);
        Write("in.ptc", data + psi, size - psi);
        CX2DParticle particle;
        if (!particle.Load("in.ptc"))
            return;
        particle.FireAt(32.0f, 32.0f);
        for (int i = 0; i < 4; ++i) {
            particle.Update(i == 0 ? 1.0f : 0.05f);
            particle.MoveTo(30.0f + float(i), 32.0f, i % 2 == 0);
            Draw([&] { particle.Render(); });
        }
    }

    // Sprite files, drawn plainly and scaled.
    void Sprite(const uint8_t* data, size_t size)
    {
        Write("in.spr", data, size);
        CX2DSprite sprite;
        if (!sprite.Load("in.spr"))
            return;
        Draw([&] {
            sprite.Render(10.0f, 10.0f);
            sprite.RenderEx(20.0f, 20.0f, 30.0f, 2.0f, 0.5f);
        });
    }

    // key=value configuration: through the engine's reader (packs, then disk), and the bytes
    // themselves as plain and as scrambled content.
    void Config(const uint8_t* data, size_t size)
    {
        Write("in.cfg", data, size);
        CX2DFileConfig engine;
        engine.Load("in.cfg");
        if (size == 0 || size > UINT32_MAX)
            return;
        for (int scrambled : {0, 1}) {
            CXFileConfig config;
            config.Load(reinterpret_cast<const char*>(data), static_cast<unsigned>(size),
                        scrambled);
        }
    }

private:
    std::string Write(const std::string& name, const uint8_t* data, size_t size)
    {
        return m_folder.Write(name, std::string_view(reinterpret_cast<const char*>(data), size));
    }

    template <class F>
    void Draw(F&& draw)
    {
        m_device.Draw(std::forward<F>(draw));
    }

    FuzzDevice m_device{"loader_fuzz", true};
    CXGfxDevice* m_pDevice = m_device.Get();
    TempFolder& m_folder = m_device.Folder();
};

// The harness of a fuzz target's process, started on first use and kept to the end.
inline Harness& Shared()
{
    static Harness* harness = new Harness;
    return *harness;
}

}  // namespace loader_fuzz
