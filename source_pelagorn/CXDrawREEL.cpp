#include "CXDrawREEL.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "CX2DEngine.h"
#include "CXDrawConfig.h"
#include "CXDrawScene.h"
#include "CXLog.h"
#include "CXReelWaitPreset.h"

namespace {

constexpr const char* kFolder = "/image/reel";
constexpr const char* kFile = "/image/reel/reel.cfg";
constexpr float kNormalAcceleration = 100.0f;
constexpr uint32_t kHighFastCountFallback = 10;
constexpr float kHighFastSpeedFallback = 780.0f;
// The reels' prize effects index the reel part of the shared preset table.
constexpr uint32_t kMaxPrizeEffects = CXReelWaitPresetTable::kThunderBase;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

void CXDrawREEL::Init()
{
    CXDrawConfig config;
    if (!config.Load(kFile))
        return;

    ReadMotion(config);
    ReadAutoHold(config);
    ReadTicks(config);
    const std::string symbolFolder = ReadSymbols(config);
    const uint32_t effects = ReadPrizeEffects(config);
    ReadSounds(config, symbolFolder.c_str());
    ReadPrizeNumber(config);
    ReadPrizeLines(config);

    BuildReelBelts();
    ReadPresets(config, effects);
}

void CXDrawREEL::ReadMotion(CXDrawConfig& config)
{
    float value = 0.0f;
    m_fSpeed = kNormalAcceleration;
    if (config.FloatIf("SPEED", value)) {
        if (value * 5.0f > 0.0f)
            m_fSpeed = value * 5.0f;
        else
            CX_LOG_ERROR("CXDrawREEL::Init", "SPEED is not above 0; the acceleration stays %.1f.",
                         m_fSpeed);
    }
    m_fVelocity = 1000.0f;
    if (config.FloatIf("VELOCITY", value))
        m_fVelocity = value * 30.0f;

    m_fXPos = config.Float("X_POS");
    m_fYPos = config.Float("Y_POS");
    m_fYPosAdjust = config.Float("Y_POS_ADJUST");
    m_fXSpace = config.Float("X_SPACE");
    m_fWidth = static_cast<float>(CXToInt32(static_cast<double>(config.Integer("W"))));
    const int32_t height = CXToInt32(static_cast<double>(config.Integer("H")));
    if (height > 0)
        m_fHeight = static_cast<float>(height);
    else
        CX_LOG_ERROR("CXDrawREEL::Init", "H is not above 0 [%d]; the belts do not scroll.", height);
    m_fStopSoundDistance =
        static_cast<float>(CXToInt32(static_cast<double>(config.Integer("SOUND_REEL_STOP"))));

    config.Fields("FAST_SPIN_COUNT");
    m_dwFastSpinCount = CXToUInt32(static_cast<double>(config.FieldInteger(1)));
    m_dwFastRange = CXToUInt32(static_cast<double>(config.FieldInteger(2)));
    m_dwFastLimit = CXToUInt32(static_cast<double>(config.FieldInteger(3)));
    m_fFastSpeed = config.FieldFloat(4) * 5.0f;

    config.Fields("HIGH_FAST_SPIN_COUNT");
    m_dwHighFastSpinCount = CXToUInt32(static_cast<double>(config.FieldInteger(1)));
    m_fHighFastSpeed = config.FieldFloat(2) * 5.0f;
    if (m_dwHighFastSpinCount == 0 || m_fHighFastSpeed == 0.0f) {
        m_dwHighFastSpinCount = kHighFastCountFallback;
        m_fHighFastSpeed = kHighFastSpeedFallback;
        CX_LOG_ERROR("CXDrawREEL::Init", "m_dwHighFastSpinCount or m_fHighFastSpeed is NULL.");
    }
}

void CXDrawREEL::ReadAutoHold(CXDrawConfig& config)
{
    m_fAutoHoldTick = config.Float("AUTOHOLD_SPIN_TICK") / 1000.0f;
    m_fAutoHoldStopDelay = config.Float("AUTOHOLD_SPIN_STOP_DELAY");
    if (!(m_fAutoHoldStopDelay >= 1.0f))
        m_fAutoHoldStopDelay = 1.0f;

    static const char* const kEffectKeys[4] = {
        "AUTOHOLD_SPIN_EFFECT_LEFT", "AUTOHOLD_SPIN_EFFECT_RIGHT", "AUTOHOLD_SPIN_EFFECT2_LEFT",
        "AUTOHOLD_SPIN_EFFECT2_RIGHT"};
    for (int i = 0; i < 4; ++i) {
        config.Fields(kEffectKeys[i]);
        m_nAutoHoldX[i] = CXToInt32(static_cast<double>(config.FieldInteger(1)));
        m_nAutoHoldY[i] = CXToInt32(static_cast<double>(config.FieldInteger(2)));
        const std::string name = config.FieldText(3);
        if (!name.empty())
            m_AutoHoldEffects[i].Load(CXJoinPath(kFolder, name.c_str()).c_str());
        m_AutoHoldEffects[i].Stop();
    }
    static const char* const kAircraftKeys[2] = {"AUTOHOLD_SPIN_AIRCRAFT_LEFT",
                                                 "AUTOHOLD_SPIN_AIRCRAFT_RIGHT"};
    for (int i = 0; i < 2; ++i) {
        config.Fields(kAircraftKeys[i]);
        const std::string name = config.FieldText(3);
        if (!name.empty())
            m_Aircraft[i].Load(CXJoinPath(kFolder, name.c_str()).c_str());
        m_Aircraft[i].Stop();
        m_dwAircraftDelay[i] = CXToUInt32(static_cast<double>(config.FieldInteger(4)));
    }
    m_nAircraftState = kAircraftNone;
    m_dwAircraftStamp = 0;
}

void CXDrawREEL::ReadTicks(CXDrawConfig& config)
{
    float value = 0.0f;
    m_fIdleTick = 1.0f;
    m_fPrizeTick = 1.0f;
    m_fPrizeIdleTick = 0.5f;
    m_fPrizeScale = 1.0f;
    if (config.FloatIf("REEL_IDLE_TICK", value))
        m_fIdleTick = value / 1000.0f;
    if (config.FloatIf("REEL_PRIZE_TICK", value)) {
        // The prize scale divides by half of it.
        if (value > 0.0f)
            m_fPrizeTick = value / 1000.0f;
        else
            CX_LOG_ERROR("CXDrawREEL::Init", "REEL_PRIZE_TICK is not above 0; %.3f s is kept.",
                         m_fPrizeTick);
    }
    if (config.FloatIf("REEL_PRIZE_IDLE_TICK", value))
        m_fPrizeIdleTick = value / 1000.0f;
    if (config.FloatIf("REEL_PRIZE_SCALE", value))
        m_fPrizeScale = value / 100.0f;

    m_dwStopDelay = 3;
    m_dwDisplayLine = 6;
    m_dwDisplayLineDummy = 2;
    int64_t number = 0;
    if (config.IntegerIf("STOP_DELAY", number))
        m_dwStopDelay = CXToUInt32(static_cast<double>(number));
    if (config.IntegerIf("DISPLAY_LINE", number))
        m_dwDisplayLine = static_cast<uint32_t>(config.Count("DISPLAY_LINE"));
    if (config.IntegerIf("DISPLAY_LINE_DUMMY", number))
        m_dwDisplayLineDummy = static_cast<uint32_t>(config.Count("DISPLAY_LINE_DUMMY"));
}

std::string CXDrawREEL::ReadSymbols(CXDrawConfig& config)
{
    const std::string background = config.Text("BG_ANF");
    if (!background.empty())
        m_Background.Load(CXJoinPath(kFolder, background.c_str()).c_str());

    m_Symbols.DeleteAll();
    std::string symbolFolder;
    char key[64];
    for (uint32_t n = 0; n < kSymbolKinds; ++n) {
        std::snprintf(key, sizeof key, "REEL_%u", n);
        const std::string name = config.Text(key);
        if (name.empty())
            continue;
        const std::string path = CXJoinPath(kFolder, name.c_str());
        CXDrawConfig symbolFile;
        if (!symbolFile.Load(path.c_str()))
            continue;
        symbolFolder = FolderOf(path);
        auto* info = new CXDrawReelInfo;
        if (!info)
            continue;
        info->Load(symbolFile, symbolFolder.c_str());
        m_Symbols.SetAt(n, info);
    }
    return symbolFolder;
}

uint32_t CXDrawREEL::ReadPrizeEffects(CXDrawConfig& config)
{
    const int fields = config.Fields("REEL_PRIZE_EFFECT");
    m_fEffectX = config.FieldFloat(1);
    m_fEffectY = config.FieldFloat(2);
    int64_t effects = fields >= 3 ? config.FieldInteger(3) : 0;
    if (effects < 0)
        effects = 0;
    if (effects > kMaxPrizeEffects) {
        CX_LOG_ERROR("CXDrawREEL::Init", "REEL_PRIZE_EFFECT count %lld is cut to %u.",
                     static_cast<long long>(effects), kMaxPrizeEffects);
        effects = kMaxPrizeEffects;
    }
    ReadEffects(config, static_cast<uint32_t>(effects));
    return static_cast<uint32_t>(effects);
}

void CXDrawREEL::ReadPrizeLines(CXDrawConfig& config)
{
    char key[64];
    for (uint32_t k = 0; k < kWindowRows; ++k) {
        m_fLineX[k] = m_fLineY[k] = 0.0f;
        std::snprintf(key, sizeof key, "REEL_PRIZE_LINE_%u", k);
        if (config.Fields(key) < 1)
            continue;
        m_fLineX[k] = config.FieldFloat(1);
        m_fLineY[k] = config.FieldFloat(2);
        const std::string name = config.FieldText(3);
        if (!name.empty())
            m_LineEffects[k].Load(CXJoinPath(kFolder, name.c_str()).c_str());
    }
}

void CXDrawREEL::ReadEffects(CXDrawConfig& config, uint32_t count)
{
    const std::string animationFormat = config.FieldText(4), particleFormat = config.FieldText(5);
    const bool animations = CXIsIntegerFormat(animationFormat.c_str());
    const bool particles = CXIsIntegerFormat(particleFormat.c_str());
    if (count > 0 && !animations)
        CX_LOG_ERROR("CXDrawREEL::Init",
                     "REEL_PRIZE_EFFECT animation needs one integer conversion. [%s]",
                     animationFormat.c_str());
    if (count > 0 && !particles)
        CX_LOG_ERROR("CXDrawREEL::Init",
                     "REEL_PRIZE_EFFECT particle needs one integer conversion. [%s]",
                     particleFormat.c_str());
    // The formats name files of the data folder as they are, not under the reels' folder.
    char name[1024];
    for (uint32_t i = 1; i <= count; ++i) {
        if (animations && !m_EffectTable.GetAt(i)) {
            std::snprintf(name, sizeof name, animationFormat.c_str(), static_cast<int>(i));
            auto* animation = new CX2DAnimation;
            if (animation && animation->Load(CXJoinPath("", name).c_str()) &&
                m_EffectList.AddTail(animation))
                m_EffectTable.SetAt(i, animation, 0);
            else
                delete animation;
        }
        if (particles && !m_ParticleTable.GetAt(i)) {
            std::snprintf(name, sizeof name, particleFormat.c_str(), static_cast<int>(i));
            auto* particle = new CX2DParticle;
            if (particle && particle->Load(CXJoinPath("", name).c_str()) &&
                m_ParticleList.AddTail(particle))
                m_ParticleTable.SetAt(i, particle, 0);
            else
                delete particle;
        }
    }
}

void CXDrawREEL::ReadSounds(CXDrawConfig& config, const char* folder)
{
    char key[64];
    for (int mode = 0; mode < 3; ++mode)
        for (int k = 0; k < 3; ++k) {
            std::snprintf(key, sizeof key, "%d_SOUND_REEL_%d", mode, k);
            const int fields = config.Fields(key);
            if (fields < 1)
                continue;
            const std::string file = config.FieldText(1);
            CX2DSound& sound = m_Sounds[mode][k];
            sound.Create(CXJoinPath(folder, file.c_str()).c_str(), 4);
            sound.SetVolume(
                fields >= 2 ? CXToInt32(static_cast<double>(config.FieldInteger(2))) : 100, true);
            sound.SetPan(fields >= 3 ? CXToInt32(static_cast<double>(config.FieldInteger(3))) : 0);
            sound.SetPitch(fields >= 4 ? config.FieldFloat(4) : 1.0f);
            sound.SetLoop(fields >= 5 && config.FieldInteger(5) != 0);
        }
}

void CXDrawREEL::ReadPrizeNumber(CXDrawConfig& config)
{
    if (config.Fields("REEL_PRIZE_SCORE") < 1)
        return;
    CXDrawNUMBER& number = m_PrizeNumber;
    number.m_pOwner = m_pOwner;
    number.m_pScene = m_pScene;
    number.m_fX = config.FieldFloat(1);
    number.m_fY = config.FieldFloat(2);
    number.m_nMode = number.m_nSavedMode = CXToInt32(static_cast<double>(config.FieldInteger(3)));
    number.m_fSpeed = config.FieldFloat(4);
    const std::string image = config.FieldText(5);
    if (!image.empty())
        number.m_Digits.Load(CXJoinPath(kFolder, image.c_str()).c_str());
    const std::string format = config.FieldText(6);
    if (!number.SetFormat(format.c_str()))
        CX_LOG_ERROR("CXDrawREEL::Init",
                     "REEL_PRIZE_SCORE: the format needs one integer conversion; \"%%d\" is used.");
    number.m_nAlignH = 1;
    number.m_nAlignV = 1;
    const float rate = config.FieldFloat(7);
    if (rate == 0.0f) {
        number.m_bPulse = 0;
    } else {
        number.m_bPulse = 1;
        number.m_fPulsePhase = -90.0f;
        number.m_fPulseRate = rate * 5.0f;
        number.m_fPulseAmplitude = config.FieldFloat(8) - 100.0f;
    }
}

void CXDrawREEL::ReadPresets(CXDrawConfig& config, uint32_t count)
{
    CXReelWaitPresetTable& table = ReelWaitPresets();
    char key[64];
    for (uint32_t i = 0; i < count; ++i) {
        std::snprintf(key, sizeof key, "REEL_SHAKE_%u", i);
        table.FillShake(i, config.Text(key).c_str());
    }
    for (uint32_t i = 0; i < count; ++i) {
        std::snprintf(key, sizeof key, "REEL_WAIT_%u", i);
        config.Fields(key);
        table.SetWait(i,
                      static_cast<float>(CXToInt32(static_cast<double>(config.FieldInteger(1)))));
    }
}

void CXDrawREEL::SetReelPosition(const uint32_t positions[kReelCount])
{
    for (uint32_t reel = 0; reel < kReelCount; ++reel) {
        CXDrawReelBeltInfo* belt = GetBelt(reel);
        const uint32_t count = belt ? belt->GetCount() : 0;
        if (belt && positions[reel] < count) {
            belt->m_nTarget = static_cast<int32_t>(positions[reel]);
            continue;
        }
        CX_LOG_ERROR("CXDrawREEL::SetReelPosition",
                     "Invalid REEL Prize Line. [dwReelIndex=%u, dwLineIndex=%u, dwMaxLineIndex=%u]",
                     reel, positions[reel], count);
    }
}

void CXDrawREEL::ResetReels()
{
    const uint32_t zero[kReelCount] = {};
    SetReelPosition(zero);
    m_bySpinMode = 0;
    for (uint32_t i = 0; i < m_Belts.GetSize(); ++i) {
        CXDrawReelBeltInfo* belt = GetBelt(i);
        if (!belt)
            continue;
        belt->m_bActive = 0;
        belt->m_bStopSoundDone = 1;
        belt->m_nPosition = 0;
        belt->ResetMotion();
    }
    m_PrizeNumber.m_nMode = m_PrizeNumber.m_nSavedMode;
    m_PrizeNumber.SetNumber(0, false);
    m_fPrizeTime = 0.0f;
    m_iSoundReel = 0;
    m_Sounds[0][kSoundStart].Stop(false);
    m_fStopTime = 0.0f;
    if (m_pEffect)
        m_pEffect->Stop();
    if (m_pEffectParticle)
        m_pEffectParticle->Stop(false);
    m_pEffect = nullptr;
    m_pEffectParticle = nullptr;
    // A prize cut short must not keep the next prize from asking for its result.
    m_bPrizeRequested = 0;
    UnmarkAll();
    for (uint32_t i = 0; i < m_Belts.GetSize(); ++i)
        if (CXDrawReelBeltInfo* belt = GetBelt(i); belt && belt->GetCount())
            belt->m_nPosition = RandomRange(int32_t{0}, static_cast<int32_t>(belt->GetCount()) - 1);
}

// True when the prize effect shown has a particle; without one, whether it has an animation. False
// at once when an effect is already showing and no new one is asked for.
bool CXDrawREEL::ShowPrizeEffect(uint32_t prize, int32_t effect)
{
    if (prize != 0) {
        m_PrizeNumber.m_Digits.Stop();
        m_PrizeNumber.m_nMode = m_PrizeNumber.m_nSavedMode;
        m_PrizeNumber.SetNumber(prize, false);
    }
    if (m_pEffect && effect == 0)
        return false;
    const uint32_t index = effect > 0 ? static_cast<uint32_t>(effect) : UINT32_MAX;
    CX2DAnimation* animation = m_EffectTable.GetAt(index);
    if (animation) {
        m_pEffect = animation;
        m_nEffect = effect;
        animation->Play(true);
    }
    m_pEffectParticle = m_ParticleTable.GetAt(index);
    if (m_pEffectParticle) {
        m_pEffectParticle->FireAt(m_fEffectX, m_fEffectY);
        m_pEffectParticle->GetSound().Play();
        return true;
    }
    return animation != nullptr;
}

void CXDrawREEL::MarkPrizeSymbol(uint32_t reel, uint32_t row, bool withSound)
{
    if (m_Belts.GetSize() == 0)
        return;
    CXDrawReelBeltInfo* belt = GetBelt(reel % m_Belts.GetSize());
    if (!belt || belt->GetCount() == 0)
        return;
    if (CXDrawReelBeltObject* symbol =
            belt->SymbolAt(static_cast<int64_t>(belt->m_nTarget) + row)) {
        symbol->m_bMarked = 1;
        if (CXDrawReelInfo* info = symbol->m_pInfo) {
            info->m_Prize.SetFrame(0);
            if (!info->m_Prize.IsPlaying())
                info->m_Prize.Play(withSound);
        }
    }
    m_fPrizeTime = m_fPrizeTick;
    if (row < kWindowRows) {
        m_LineEffects[row].SetFrame(0);
        m_LineEffects[row].Play(true);
    }
    if (m_pEffect && m_pScene)
        m_pScene->StartReelWait(static_cast<uint32_t>(m_nEffect));
}

void CXDrawREEL::UnmarkAll()
{
    for (uint32_t i = 0; i < m_Belts.GetSize(); ++i)
        if (CXDrawReelBeltInfo* belt = GetBelt(i))
            for (uint32_t j = 0; j < belt->GetCount(); ++j)
                if (CXDrawReelBeltObject* symbol = belt->m_Symbols.GetAt(j))
                    symbol->m_bMarked = 0;
}

bool CXDrawREEL::IsMoving() const
{
    for (uint32_t i = 0; i < m_Belts.GetSize(); ++i)
        if (const CXDrawReelBeltInfo* belt = GetBelt(i); belt && belt->m_bActive)
            return true;
    return false;
}

float CXDrawREEL::FoldScale(float scale)
{
    // The band's ends as the single-precision values they are compared with.
    constexpr double kLow = static_cast<double>(0.85f), kHigh = static_cast<double>(1.78667f);
    if (!std::isfinite(scale))
        return 1.0f;
    // Reflection at both ends is a triangle wave of period 2 x (high - low); the top itself
    // reflects onto itself, so it is taken as the value just inside.
    const double width = kHigh - kLow;
    double t = std::fmod(static_cast<double>(scale) - kLow, 2.0 * width);
    if (t < 0.0)
        t += 2.0 * width;
    const float folded = static_cast<float>(t < width ? kLow + t : kHigh - (t - width));
    return folded >= 1.78667f ? std::nextafter(1.78667f, 0.0f) : std::max(folded, 0.85f);
}
