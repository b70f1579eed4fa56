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

// The decimal keys present replace their PSI values.
void OverrideFloats(CXFileConfig& config, CXParticleSystemInfo& info)
{
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
        if (CX2DConfigHas(config, f.key))
            *f.value = CX2DConfigFloat(config, f.key);
}

// Every setting key present replaces its PSI value; BLEND adds its bits to the PSI's.
void OverrideSettings(CXFileConfig& config, CXParticleSystemInfo& info)
{
    OverrideFloats(config, info);
    auto present = [&config](const char* key) { return CX2DConfigHas(config, key); };
    auto integer = [&config](const char* key) { return CX2DConfigInt(config, key); };
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
        info.wBlend =
            static_cast<uint16_t>(info.wBlend | CX2DParseBlend(CX2DConfigText(config, "BLEND")));
}

// Sizes become render scales: a size of 1 draws an image of the given width 32 pixels wide.
void ScaleSizes(CXParticleSystemInfo& info, float imageWidth)
{
    if (imageWidth > 0.0f) {
        info.fSizeStart = info.fSizeStart * 32.0f / imageWidth;
        info.fSizeEnd = info.fSizeEnd * 32.0f / imageWidth;
    }
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

// PSI record, key overrides, sound, image and frame, then a new system from the settings.
bool CX2DParticle::Load(const char* file)
{
    CX2DFileConfig config;
    if (!config.Load(file))
        return false;

    CXParticleSystemInfo info;
    const std::string psi = CX2DConfigText(config, "PSI");
    if (!psi.empty())
        ReadSettings(CX2DRelativePath(file, psi), info);
    OverrideSettings(config, info);
    CX2DLoadSound(config, file, 1, false, m_Sound);

    const auto fps = static_cast<int>(CX2DConfigInt(config, "FPS"));
    if (!LoadTexture(CX2DRelativePath(file, CX2DConfigText(config, "TEX")).c_str(),
                     static_cast<float>(CX2DConfigInt(config, "X")),
                     static_cast<float>(CX2DConfigInt(config, "Y")),
                     static_cast<float>(CX2DConfigInt(config, "W")),
                     static_cast<float>(CX2DConfigInt(config, "H"))))
        return false;

    ShowFrame(info.wFrame);
    SetBlendMode(info.wBlend);
    ScaleSizes(info, GetWidth());
    info.pSprite = this;
    return ReplaceSystem(info, fps);
}

void CX2DParticle::ShowFrame(int frame)
{
    const float w = GetWidth(), h = GetHeight();
    const int texWidth = m_pTexture ? m_pTexture->GetWidth() : 0;
    int columns = w >= 1.0f ? static_cast<int>(static_cast<float>(texWidth) / w) : 1;
    if (columns < 1)
        columns = 1;
    SetTextureRect(static_cast<float>(frame % columns) * w, static_cast<float>(frame / columns) * h,
                   w, h);
    SetHotSpot(w / 2, h / 2);
}

bool CX2DParticle::ReplaceSystem(const CXParticleSystemInfo& info, int fps)
{
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
