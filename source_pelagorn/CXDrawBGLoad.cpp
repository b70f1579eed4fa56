// Reading "/image/bg/bg.cfg": layers with their strips, music and moving objects, signs, turn
// gauges, rain, thunder with its shake presets, and the scroll factors and times.
#include <cstdio>
#include <string>

#include "CXDrawBG.h"
#include "CXDrawConfig.h"
#include "CXLog.h"
#include "CXReelWaitPreset.h"
#include "CXSaturate.h"

namespace {

constexpr const char* kFolder = "/image/bg/";
constexpr const char* kGaugeFolder = "image/bg";
constexpr const char* kFile = "/image/bg/bg.cfg";
constexpr int kStripImageField = 12;
constexpr float kStartScrollSpeed = 0.5f;
constexpr int32_t kStartMusicVolume = 100;

template <class... A>
std::string Key(const char* format, A... args)
{
    char key[64];
    std::snprintf(key, sizeof key, format, args...);
    return key;
}

}  // namespace

void CXDrawBG::Init()
{
    CXDrawConfig config;
    if (!config.Load(kFile))
        return;
    m_fScrollFactorRate = 10.0f;
    m_fScrollFactorDiv = 30.0f;

    const int32_t layers = config.Count("BG_COUNT");
    m_Layers.SetSize(static_cast<uint32_t>(layers));
    for (int32_t i = 0; i < layers; ++i)
        ReadLayer(config, static_cast<uint32_t>(i));

    const int64_t dimLevel = config.Integer("SIGN_ALPHA");
    m_byDimLevel = static_cast<uint8_t>(dimLevel < 0 ? 0 : dimLevel > 255 ? 255 : dimLevel);
    m_fDimSpeed = config.Float("SIGN_SPEED");
    m_fLayerChangeSpeed = config.Float("BG_CHANGE_SPEED");
    m_fSignFadeSpeed = config.Float("SIGN_FADE_SPEED");
    ReadSigns(config);
    for (int i = 0; i < 2; ++i) {
        config.Fields(Key("RTURN_PRIZE_GAUGE_%d", i).c_str());
        m_TurnGauges[i].m_fX = config.FieldFloat(1);
        m_TurnGauges[i].m_fY = config.FieldFloat(2);
        const std::string name = config.FieldText(3);
        if (!name.empty())
            m_TurnGauges[i].m_Animation.Load(CXJoinPath(kGaugeFolder, name.c_str()).c_str());
    }
    ReadWeather(config);
    ReadScrollKeys(config);

    ChangeBG(0);
    SetScrollSpeed(kStartScrollSpeed);
    SetMusicVolume(kStartMusicVolume);
}

void CXDrawBG::ReadLayer(CXDrawConfig& config, uint32_t index)
{
    auto* layer = new CXDrawBGInfo;
    if (!layer || !m_Layers.SetAt(index, layer)) {
        delete layer;
        return;
    }
    const int i = static_cast<int>(index);
    layer->m_pOwner = m_pOwner;
    layer->m_pScene = m_pScene;
    layer->m_pBackground = this;
    const int32_t strips = config.Count(Key("BG_LAYER_%d", i).c_str());
    layer->m_Strips.SetSize(static_cast<uint32_t>(strips));
    for (int32_t s = 0; s < strips; ++s)
        ReadStrip(config, *layer, i, s);
    ReadMusic(config, *layer, i);
    ReadMovingObjects(config, *layer, i);
    for (uint32_t s = 0; s < layer->m_Strips.GetSize(); ++s)
        if (CXDrawScrollObject* strip = layer->m_Strips.GetAt(s)) {
            strip->m_pOwner = m_pOwner;
            strip->m_pScene = m_pScene;
            strip->m_fDimSpeed = m_fDimSpeed;
            strip->Init();
        }
}

void CXDrawBG::ReadStrip(CXDrawConfig& config, CXDrawBGInfo& layer, int layerIndex, int index)
{
    auto* strip = new CXDrawScrollObject;
    if (!strip || !layer.m_Strips.SetAt(static_cast<uint32_t>(index), strip)) {
        delete strip;
        return;
    }
    const int fields = config.Fields(Key("BG_ANF_%d_%d", layerIndex, index).c_str());
    strip->m_nGroup = CXSaturateInt32(config.FieldInteger(1));
    strip->m_fY = config.FieldFloat(2);
    strip->m_fSpeed = config.FieldFloat(3) / m_fScrollFactorDiv;
    int32_t wave[6];
    for (int w = 0; w < 6; ++w)
        wave[w] = CXSaturateInt32(config.FieldInteger(5 + w));
    strip->m_bFront = CXSaturateInt32(config.FieldInteger(11));
    strip->Configure(CXSaturateInt32(config.FieldInteger(4)), wave[0], wave[1], wave[2], wave[3],
                     wave[4], wave[5]);
    for (int field = kStripImageField; field <= fields; ++field) {
        const std::string name = config.FieldText(field);
        if (!name.empty())
            strip->AddImage(CXJoinPath(kFolder, name.c_str()).c_str());
    }
}

void CXDrawBG::ReadMusic(CXDrawConfig& config, CXDrawBGInfo& layer, int layerIndex)
{
    const int32_t count = config.Count(Key("BG_MUSIC_%d", layerIndex).c_str());
    layer.m_Music.SetSize(static_cast<uint32_t>(count));
    for (int32_t m = 0; m < count; ++m) {
        auto* entry = new CXDrawBGMusicInfo;
        if (!entry || !layer.m_Music.SetAt(static_cast<uint32_t>(m), entry)) {
            delete entry;
            continue;
        }
        const std::string key = Key("BG_MUSIC_%d_%d", layerIndex, m);
        config.Fields(key.c_str());
        entry->m_fPlayLimit = config.FieldFloat(1) / 1000.0f;
        entry->m_nMinCount = CXSaturateInt32(config.FieldInteger(2));
        entry->m_nMaxCount = CXSaturateInt32(config.FieldInteger(3));
        const std::string file = config.FieldText(4);
        if (!file.empty())
            entry->m_Music.Create(file.c_str());
        int32_t pan = 0, loop = 0;
        float pitch = 1.0f;
        if (!config.FieldText(5).empty())
            entry->m_nVolume = CXSaturateInt32(config.FieldInteger(5));
        if (!config.FieldText(6).empty())
            pan = CXSaturateInt32(config.FieldInteger(6));
        if (!config.FieldText(7).empty())
            pitch = config.FieldFloat(7);
        if (!config.FieldText(8).empty())
            loop = config.FieldInteger(8) != 0;
        if (!config.FieldText(9).empty())
            entry->m_bGroup0 = config.FieldInteger(9) != 0;
        entry->m_Music.SetVolume(entry->m_nVolume, true);
        entry->m_Music.SetPan(pan);
        entry->m_Music.SetPitch(pitch);
        entry->m_Music.SetLoop(loop != 0);
    }
}

void CXDrawBG::ReadMovingObjects(CXDrawConfig& config, CXDrawBGInfo& layer, int layerIndex)
{
    const int32_t count = config.Count(Key("BG_MO_%d", layerIndex).c_str());
    if (count == 0)
        return;
    layer.m_Definitions.SetSize(static_cast<uint32_t>(count));
    for (int32_t d = 0; d < count; ++d) {
        auto* definition = new CXDrawMOInfo;
        if (!definition || !layer.m_Definitions.SetAt(static_cast<uint32_t>(d), definition)) {
            delete definition;
            continue;
        }
        config.Fields(Key("BG_MO_ANF_%d_%d", layerIndex, d).c_str());
        auto field = [&config](int number) { return CXSaturateInt32(config.FieldInteger(number)); };
        definition->m_pOwner = m_pOwner;
        definition->m_nGroup = field(1);
        definition->m_nDepth = field(2);
        definition->m_nStartGroup = field(3);
        definition->m_bSingle = field(4);
        definition->m_nPass = field(5);
        definition->m_bVertical = field(6);
        const std::string side = config.FieldText(6);
        definition->m_bySideSign = side.empty() ? 0 : side[0] == '+' ? 1 : side[0] == '-' ? 2 : 0;
        definition->m_nStartMin = field(7);
        definition->m_nStartMax = field(8);
        definition->m_nAngleMin = field(9);
        definition->m_nAngleMax = field(10);
        definition->m_bySideMode = static_cast<uint8_t>(field(11));
        definition->m_nSpeedMin = field(12);
        definition->m_nSpeedMax = field(13);
        definition->m_nScaleMin = field(14);
        definition->m_nScaleMax = field(15);
        definition->m_fReservedTime = config.FieldFloat(16) / 1000.0f;
        definition->m_nReserved = field(18) == 0 ? 1 : 0;
        const std::string name = config.FieldText(17);
        if (!name.empty())
            definition->m_Animation.Load(name.c_str());
    }
    const int32_t slots = config.Count(Key("BG_MO_DISPLAY_%d", layerIndex).c_str());
    layer.m_Slots.SetSize(static_cast<uint32_t>(slots), 1);
}

void CXDrawBG::ReadSigns(CXDrawConfig& config)
{
    const int32_t count = config.Count("SIGN_COUNT");
    m_Signs.SetSize(static_cast<uint32_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        auto* sign = new CXDrawSignInfo;
        if (!sign || !m_Signs.SetAt(static_cast<uint32_t>(i), sign)) {
            delete sign;
            continue;
        }
        config.Fields(Key("SIGN_%d", i).c_str());
        sign->m_nXMin = CXSaturateInt32(config.FieldInteger(1));
        sign->m_nXMax = CXSaturateInt32(config.FieldInteger(2));
        sign->m_nYMin = CXSaturateInt32(config.FieldInteger(3));
        sign->m_nYMax = CXSaturateInt32(config.FieldInteger(4));
        sign->m_bFront = CXSaturateInt32(config.FieldInteger(5));
        const std::string name = config.FieldText(6);
        if (!name.empty())
            sign->m_Animation.Load(CXJoinPath(kFolder, name.c_str()).c_str());
    }
}

void CXDrawBG::ReadWeather(CXDrawConfig& config)
{
    auto readAnimations = [&config](const char* countKey, const char* format,
                                    CXArrayTmpl<CX2DAnimation>& array) {
        const int32_t count = config.Count(countKey);
        array.SetSize(static_cast<uint32_t>(count));
        for (int32_t i = 0; i < count; ++i) {
            auto* animation = new CX2DAnimation;
            if (!animation || !array.SetAt(static_cast<uint32_t>(i), animation)) {
                delete animation;
                continue;
            }
            const std::string name = config.Text(Key(format, i).c_str());
            if (!name.empty())
                animation->Load(CXJoinPath(kFolder, name.c_str()).c_str());
        }
        return count;
    };
    readAnimations("RAIN_COUNT", "RAIN_%d", m_Rain);
    const int32_t thunders = readAnimations("THUNDER_COUNT", "THUNDER_%d", m_Thunder);
    for (int32_t m = 0; m < thunders; ++m) {
        const uint32_t preset = CXReelWaitPresetTable::kThunderBase + static_cast<uint32_t>(m);
        if (preset >= CXReelWaitPresetTable::kSize)
            break;
        ReelWaitPresets().FillShake(preset,
                                    config.Text(Key("THUNDER_SHAKE_%d", m).c_str()).c_str());
    }
}

void CXDrawBG::ReadScrollKeys(CXDrawConfig& config)
{
    config.FloatIf("SCROLL_FACTOR_RATE", m_fScrollFactorRate);
    float divisor = m_fScrollFactorDiv;
    if (config.FloatIf("SCROLL_FACTOR_DIV", divisor)) {
        if (divisor != 0.0f)
            m_fScrollFactorDiv = divisor;
        else
            CX_LOG_ERROR("CXDrawBG::Init", "SCROLL_FACTOR_DIV is 0; the divisor keeps %.1f.",
                         m_fScrollFactorDiv);
    }
    config.IntegerIf("SCROLL_SPEED_MIN_TIME", m_nSpeedChangeMinTime);
    config.IntegerIf("SCROLL_SPEED_MAX_TIME", m_nSpeedChangeMaxTime);
    config.IntegerIf("SCROLL_TURN_MIN_TIME", m_nTurnMinTime);
    m_nTurnMaxTime = m_nTurnMinTime;
    config.IntegerIf("SCROLL_TURN_MAX_TIME", m_nTurnMaxTime);
    // The scene draws from [minimum, maximum]: a maximum below the minimum is raised to it.
    if (m_nTurnMaxTime < m_nTurnMinTime)
        m_nTurnMaxTime = m_nTurnMinTime;
}
