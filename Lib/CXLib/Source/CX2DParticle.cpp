// A particle system read from a particle file, with its image and sound.
#include "CX2DParticle.h"

#include <string>

#include "CX2DAnimationFile.h"
#include "CX2DFileConfig.h"
#include "CX2DTexture.h"
#include "CXGfxDevice.h"
#include "CXString.h"

namespace {

// The PSI record: from the disk as named, else through the device's lookup (packs, then disk)
// under the resource folder. An unreadable file leaves every setting 0.
void ReadSettings(const std::string& path, CXParticleSystemInfo& info)
{
    CXString bytes;
    if (bytes.LoadFile(path.c_str())) {
        info.ReadFrom(reinterpret_cast<const uint8_t*>(bytes.GetString()), bytes.GetDataSize());
        return;
    }
    if (g_pGfxDevice) {
        uint32_t size = 0;
        const std::string full = g_strResourceBase + path;
        if (void* data = g_pGfxDevice->Resource_Load(full.c_str(), &size)) {
            info.ReadFrom(static_cast<const uint8_t*>(data), size);
            g_pGfxDevice->Resource_Free(data);
            return;
        }
    }
    info.ReadFrom(nullptr, 0);
}

// ARGB into red, green, blue, alpha channels of 0..1.
void ReadColor(uint32_t argb, float* col)
{
    col[0] = static_cast<float>(argb >> 16 & 0xFF) / 255.0f;
    col[1] = static_cast<float>(argb >> 8 & 0xFF) / 255.0f;
    col[2] = static_cast<float>(argb & 0xFF) / 255.0f;
    col[3] = static_cast<float>(argb >> 24 & 0xFF) / 255.0f;
}

}  // namespace

CX2DParticle::~CX2DParticle()
{
    if (!m_bManaged)
        delete m_pSystem;
    // The channel borrows its sound from the device's sound manager, which may be gone by now.
    if (g_pGfxDevice && g_pGfxDevice->GetSoundMgr())
        m_Sound.Stop(true);
}

bool CX2DParticle::Load(const char* file)
{
    CX2DFileConfig config;
    if (!config.Load(file))
        return false;
    auto text = [&config](const char* key) { return CX2DConfigText(config, key); };
    auto present = [&config](const char* key) { return CX2DConfigHas(config, key); };
    auto integer = [&config](const char* key) { return CX2DConfigInt(config, key); };

    CXParticleSystemInfo info;
    const std::string psi = text("PSI");
    if (!psi.empty())
        ReadSettings(CX2DRelativePath(file, psi), info);

    struct FloatKey {
        const char* key;
        float* value;
    };
    const FloatKey floats[] = {
        {"LIFETIME", &info.fLifetime},
        {"PARTICLE_LIFE_MIN", &info.fParticleLifeMin},
        {"PARTICLE_LIFE_MAX", &info.fParticleLifeMax},
        {"DIRECTION", &info.fDirection},
        {"SPREAD", &info.fSpread},
        {"SPEED_MIN", &info.fSpeedMin},
        {"SPEED_MAX", &info.fSpeedMax},
        {"GRAVITY_MIN", &info.fGravityMin},
        {"GRAVITY_MAX", &info.fGravityMax},
        {"RADIAL_ACCEL_MIN", &info.fRadialAccelMin},
        {"RADIAL_ACCEL_MAX", &info.fRadialAccelMax},
        {"TANGENTIAL_ACCEL_MIN", &info.fTangentialAccelMin},
        {"TANGENTIAL_ACCEL_MAX", &info.fTangentialAccelMax},
        {"SIZE_START", &info.fSizeStart},
        {"SIZE_END", &info.fSizeEnd},
        {"SIZE_VAR", &info.fSizeVar},
        {"SPIN_START", &info.fSpinStart},
        {"SPIN_END", &info.fSpinEnd},
        {"SPIN_VAR", &info.fSpinVar},
        {"COLOR_VAR", &info.fColorVar},
        {"ALPHA_VAR", &info.fAlphaVar},
    };
    for (const FloatKey& f : floats)
        if (present(f.key))
            *f.value = CX2DConfigFloat(config, f.key);
    if (present("SPRITE_NO")) {
        const int64_t frame = integer("SPRITE_NO");
        info.wFrame = static_cast<uint16_t>(frame < 0 ? 0 : frame);
    }
    if (present("EMISSION"))
        info.nEmission = static_cast<int32_t>(integer("EMISSION"));
    if (present("RELATIVE"))
        info.dwRelative = integer("RELATIVE") != 0 ? 1 : 0;
    if (present("COLOR_START"))
        ReadColor(static_cast<uint32_t>(integer("COLOR_START")), info.colColorStart);
    if (present("COLOR_END"))
        ReadColor(static_cast<uint32_t>(integer("COLOR_END")), info.colColorEnd);
    if (present("BLEND"))
        info.wBlend = static_cast<uint16_t>(info.wBlend | CX2DParseBlend(text("BLEND")));

    CX2DSoundSpec sound;
    if (CX2DParseSound(text("SOUND"), sound) &&
        m_Sound.Create(CX2DRelativePath(file, sound.strFile).c_str(), 1)) {
        m_Sound.SetVolume(sound.nVolume, false);
        m_Sound.SetPan(sound.nPan);
        m_Sound.SetPitch(sound.fPitch);
        m_Sound.SetLoop(sound.bLoop);
    }

    const auto fps = static_cast<int>(integer("FPS"));
    if (!LoadTexture(CX2DRelativePath(file, text("TEX")).c_str(), static_cast<float>(integer("X")),
                     static_cast<float>(integer("Y")), static_cast<float>(integer("W")),
                     static_cast<float>(integer("H"))))
        return false;

    // Frame n of a grid of w x h cells filling the texture row by row.
    const float w = GetWidth(), h = GetHeight();
    const int texWidth = m_pTexture ? m_pTexture->GetWidth() : 0;
    int columns = w >= 1.0f ? static_cast<int>(static_cast<float>(texWidth) / w) : 1;
    if (columns < 1)
        columns = 1;
    const int n = info.wFrame;
    SetTextureRect(static_cast<float>(n % columns) * w, static_cast<float>(n / columns) * h, w, h);
    SetHotSpot(w / 2, h / 2);
    SetBlendMode(info.wBlend);

    // Sizes become render scales: a size of 1 draws the image 32 pixels wide.
    if (w > 0.0f) {
        info.fSizeStart = info.fSizeStart * 32.0f / w;
        info.fSizeEnd = info.fSizeEnd * 32.0f / w;
    }
    info.pSprite = this;

    if (!m_bManaged)
        delete m_pSystem;
    m_bManaged = 0;
    m_pSystem =
        new (std::nothrow) CXParticleSystem(info, fps != 0 ? 1.0f / static_cast<float>(fps) : 0.0f);
    return m_pSystem != nullptr;
}

void CX2DParticle::Fire()
{
    if (m_pSystem)
        m_pSystem->Fire();
}

void CX2DParticle::FireAt(float x, float y)
{
    if (m_pSystem)
        m_pSystem->FireAt(x, y);
}

void CX2DParticle::Stop(bool kill)
{
    if (m_pSystem)
        m_pSystem->Stop(kill);
}

void CX2DParticle::MoveTo(float x, float y, bool moveParticles)
{
    if (m_pSystem)
        m_pSystem->MoveTo(x, y, moveParticles);
}

void CX2DParticle::Update(float dt)
{
    if (m_pSystem)
        m_pSystem->Update(dt);
}

void CX2DParticle::Render()
{
    if (m_pSystem)
        m_pSystem->Render();
}
