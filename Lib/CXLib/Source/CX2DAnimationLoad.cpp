// Reading an ".anf" file into an animation.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "CX2DAnimation.h"
#include "CX2DAnimationFile.h"
#include "CX2DFileConfig.h"
#include "CX2DTexture.h"
#include "CXGfxDevice.h"
#include "CXLog.h"

namespace {

// Names of the files being loaded, outermost first, so that a child naming one of its ancestors
// (or itself) is skipped instead of recursing without end. UI thread only.
std::vector<std::string>& LoadChain()
{
    static std::vector<std::string> chain;
    return chain;
}

// Animations loaded so far under the outermost Load: children that fan out into children of
// their own stop at kMaxTreeSize instead of multiplying without bound.
constexpr int kMaxTreeSize = 1024;
int g_nTreeSize = 0;

class ChainEntry {
public:
    explicit ChainEntry(const std::string& name)
    {
        if (LoadChain().empty())
            g_nTreeSize = 0;
        ++g_nTreeSize;
        LoadChain().push_back(name);
    }
    ~ChainEntry() { LoadChain().pop_back(); }
    ChainEntry(const ChainEntry&) = delete;
    ChainEntry& operator=(const ChainEntry&) = delete;
};

// The name a file has on the load chain: normalised as every engine file name is, then with
// "." segments, empty segments and "folder/.." pairs taken out, so "./F.ANF", "././F.ANF" and
// "A/../F.ANF" are all "F.ANF".
bool ChainName(const char* file, std::string& out)
{
    CXString name;
    if (!CX2DNormalizeName(file, name))
        return false;
    std::vector<std::string> parts;
    for (const std::string& part : CX2DSplit(name.GetString(), '/')) {
        if (part.empty() || part == ".")
            continue;
        if (part == ".." && !parts.empty() && parts.back() != "..")
            parts.pop_back();
        else
            parts.push_back(part);
    }
    out.clear();
    for (const std::string& part : parts)
        out += (out.empty() ? "" : "/") + part;
    return !out.empty();
}

bool OnChain(const char* file)
{
    std::string name;
    if (!ChainName(file, name))
        return false;
    const auto& chain = LoadChain();
    return std::find(chain.begin(), chain.end(), name) != chain.end();
}

// The children's keys present in the file, "ANF_0" .. "ANF_<count - 1>" written as "%d" writes
// them, in index order. Only keys that exist are visited, so a huge ANF_COUNT costs nothing.
std::vector<int> ChildIndexes(CXFileConfig& config, int64_t count)
{
    std::vector<int> indexes;
    config.m_Values.ForEach([&](const CXString& key, const CXString&) {
        const std::string text = key.GetString();
        if (text.rfind("ANF_", 0) != 0 || text.size() == 4 || text.size() > 14)
            return;
        const std::string digits = text.substr(4);
        if (digits.find_first_not_of("0123456789") != std::string::npos ||
            (digits[0] == '0' && digits.size() > 1))
            return;
        const int64_t index = std::stoll(digits);
        if (index < count && index <= INT32_MAX)
            indexes.push_back(static_cast<int>(index));
    });
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

// TEX_LIST makes one texture per frame; a count beyond this is a broken file, not an animation.
constexpr int kMaxListFrames = 1024;

// A frame-name pattern from a data file is formatted with one int, so it must hold exactly one
// integer conversion (flags allowed, width and precision up to kMaxFieldWidth, no length modifier
// or '*') and no other conversion. The bound keeps a file from asking for a name of any size.
constexpr int kMaxFieldWidth = 32;

bool IsFramePattern(const std::string& pattern)
{
    auto number = [&pattern](size_t& i) {
        int value = 0;
        for (; i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9'; ++i)
            value = std::min(value * 10 + (pattern[i] - '0'), kMaxFieldWidth + 1);
        return value;
    };
    int conversions = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%')
            continue;
        if (++i < pattern.size() && pattern[i] == '%')
            continue;
        while (i < pattern.size() && std::strchr("-+ #0", pattern[i]))
            ++i;
        if (number(i) > kMaxFieldWidth)
            return false;
        if (i < pattern.size() && pattern[i] == '.') {
            ++i;
            if (number(i) > kMaxFieldWidth)
                return false;
        }
        if (i >= pattern.size() || !std::strchr("diuxXo", pattern[i]))
            return false;
        ++conversions;
    }
    return conversions == 1;
}

std::string FrameName(const std::string& pattern, int frame)
{
    const int size = std::snprintf(nullptr, 0, pattern.c_str(), frame);
    if (size < 0)
        return {};
    std::string name(static_cast<size_t>(size) + 1, '\0');
    std::snprintf(name.data(), name.size(), pattern.c_str(), frame);
    name.resize(static_cast<size_t>(size));
    return name;
}

// Pixels whose red, green and blue equal the key's become transparent black.
void ApplyColorKey(const CX2DTexture& texture, uint32_t key)
{
    HTEXTURE handle = texture.GetTexture();
    if (!g_pGfxDevice || !handle)
        return;
    GpuLocked locked{};
    if (!g_pGfxDevice->Texture_LockRect(&locked, handle, false, 0, 0, 0, 0))
        return;
    const int width = texture.GetWidth(), height = texture.GetHeight();
    auto* row = static_cast<uint8_t*>(locked.bits);
    for (int y = 0; y < height; ++y, row += locked.pitch) {
        auto* pixels = reinterpret_cast<uint32_t*>(row);
        for (int x = 0; x < width; ++x)
            if ((pixels[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                pixels[x] = 0;
    }
    g_pGfxDevice->Texture_Unlock(handle);
}

// The TRANS_COLOR value, when the file has one.
std::optional<uint32_t> ColorKey(CXFileConfig& config)
{
    if (!CX2DConfigHas(config, "TRANS_COLOR"))
        return std::nullopt;
    return static_cast<uint32_t>(CX2DConfigInt(config, "TRANS_COLOR"));
}

int Integer(CXFileConfig& config, const char* key)
{
    return static_cast<int>(CX2DConfigInt(config, key));
}

uint32_t ParseLoopMode(const std::string& text)
{
    const std::vector<std::string> words = CX2DSplit(text, '|');
    if (words.empty())
        return ANIM_LOOP;
    uint32_t bits = 0;
    for (const std::string& part : words) {
        CXString word(part.c_str());
        word.MakeUpper();
        if (word.Compare("REV") == 0)
            bits |= ANIM_REVERSE;
        else if (word.Compare("PINGPONG") == 0)
            bits |= ANIM_PINGPONG;
        else if (word.Compare("LOOP") == 0)
            bits |= ANIM_LOOP;
    }
    return bits;
}

}  // namespace

bool CX2DAnimation::Load(const char* file)
{
    Reset();
    std::string name;
    if (!ChainName(file, name))
        return false;
    CX2DFileConfig config;
    if (!config.Load(file))
        return false;
    ChainEntry entry(name);
    if (BuildFromConfig(config, file))
        return true;
    Reset();
    return false;
}

// Textures, core and frame grid, display settings, sound, key tracks, then the child animations.
bool CX2DAnimation::BuildFromConfig(CXFileConfig& config, const char* file)
{
    const std::optional<uint32_t> colorKey = ColorKey(config);
    const CX2DTexture* first = CX2DConfigText(config, "TEX_LIST").empty()
                                   ? LoadSingleTexture(config, file)
                                   : LoadFrameList(config, file, colorKey);
    if (!first)
        return false;
    CXAnimationCore* core = CreateCore(config, *first);
    if (!core)
        return false;
    if (colorKey && m_pTexture)
        ApplyColorKey(*m_pTexture, *colorKey);
    ApplyDisplaySettings(config, *core);
    CX2DLoadSound(config, file, 4, true, m_Sound);
    LoadTracks(config);
    ApplyTrackValues();
    LoadChildren(config, file);
    return true;
}

const CX2DTexture* CX2DAnimation::LoadFrameList(CXFileConfig& config, const char* file,
                                                std::optional<uint32_t> colorKey)
{
    const std::string pattern = CX2DConfigText(config, "TEX_LIST");
    const int count = Integer(config, "COUNT");
    // Only the value is a pattern: the folder is joined after formatting, so a '%' in it is text.
    if (!IsFramePattern(pattern)) {
        CX_LOG_ERROR("CX2DAnimation::Load", "TEX_LIST needs one integer conversion. [%s]",
                     pattern.c_str());
        return nullptr;
    }
    if (count > kMaxListFrames) {
        CX_LOG_ERROR("CX2DAnimation::Load", "TEX_LIST of %d frames is too long. [%s]", count,
                     pattern.c_str());
        return nullptr;
    }
    for (int i = 0; i < count; ++i) {
        auto texture = std::make_unique<CX2DTexture>();
        if (!texture || !texture->Load(CX2DRelativePath(file, FrameName(pattern, i)).c_str())) {
            m_TexList.emplace_back();
            continue;
        }
        if (colorKey)
            ApplyColorKey(*texture, *colorKey);
        m_TexList.push_back(std::move(texture));
    }
    return m_TexList.empty() ? nullptr : m_TexList[0].get();
}

const CX2DTexture* CX2DAnimation::LoadSingleTexture(CXFileConfig& config, const char* file)
{
    auto* texture = new CX2DTexture;
    if (!texture)
        return nullptr;
    if (!texture->Load(CX2DRelativePath(file, CX2DConfigText(config, "TEX")).c_str())) {
        delete texture;
        return nullptr;
    }
    m_pTexture = texture;
    return texture;
}

CXAnimationCore* CX2DAnimation::CreateCore(CXFileConfig& config, const CX2DTexture& first)
{
    const float x = CX2DConfigFloat(config, "X"), y = CX2DConfigFloat(config, "Y");
    float w = CX2DConfigFloat(config, "W"), h = CX2DConfigFloat(config, "H");
    if (w == 0.0f)
        w = static_cast<float>(first.GetWidth());
    if (h == 0.0f)
        h = static_cast<float>(first.GetHeight());
    auto* core = new CXAnimationCore;
    if (!core)
        return nullptr;
    core->Create(first.GetTexture(), std::max(Integer(config, "COUNT"), 1),
                 CX2DConfigFloat(config, "FPS"), x, y, w, h);
    AdoptCore(core);
    m_fFrameX = x, m_fFrameY = y, m_fFrameW = w, m_fFrameH = h;
    return core;
}

void CX2DAnimation::ApplyDisplaySettings(CXFileConfig& config, CXAnimationCore& core)
{
    const int alpha = CX2DConfigHas(config, "ALPHA") ? Integer(config, "ALPHA") : 255;
    m_nAnimAlpha = alpha;
    ApplyAlpha(alpha);
    if (CX2DConfigHas(config, "BLEND"))
        SetBlendMode(CX2DParseBlend(CX2DConfigText(config, "BLEND")));
    core.m_fHotX =
        CX2DConfigHas(config, "HOT_SPOT_X") ? CX2DConfigFloat(config, "HOT_SPOT_X") : m_fFrameW / 2;
    core.m_fHotY =
        CX2DConfigHas(config, "HOT_SPOT_Y") ? CX2DConfigFloat(config, "HOT_SPOT_Y") : m_fFrameH / 2;
    m_fX = m_fLastX = CX2DConfigFloat(config, "RENDER_X");
    m_fY = m_fLastY = CX2DConfigFloat(config, "RENDER_Y");
    core.SetMode(ParseLoopMode(CX2DConfigText(config, "LOOP_MODE")));
    m_nLoopCount = m_nPlays = Integer(config, "LOOP_COUNT");
    m_fPlayTime = CX2DConfigFloat(config, "PLAY_TIME") / 1000.0f;
}

void CX2DAnimation::LoadTracks(CXFileConfig& config)
{
    struct TrackKeys {
        const char* prefix;
        int values;
        float scale;
    };
    static const TrackKeys kTracks[TRACK_COUNT] = {
        {"PA", 2, 1.0f}, {"SA", 2, 0.01f}, {"RA", 1, 1.0f}, {"AA", 1, 1.0f}};
    for (int i = 0; i < TRACK_COUNT; ++i) {
        const std::string prefix = kTracks[i].prefix;
        CX2DAnimationTrack& track = m_Tracks[i];
        track.m_fDefaultSpeed =
            CX2DConfigFloat(config, (prefix + "_SPEED").c_str()) * kTracks[i].scale;
        track.m_dwLoopMode =
            static_cast<uint32_t>(Integer(config, (prefix + "_LOOP_MODE").c_str()));
        track.m_nLoopCount = Integer(config, (prefix + "_LOOP_COUNT").c_str());
        track.ParseKeys(CX2DConfigText(config, (prefix + "_POINT").c_str()).c_str(),
                        kTracks[i].values, kTracks[i].scale);
        if (track.HasKeys())
            track.m_Value = track.m_Keys[0];
    }
}

void CX2DAnimation::LoadChildren(CXFileConfig& config, const char* file)
{
    for (const int i : ChildIndexes(config, CX2DConfigInt(config, "ANF_COUNT"))) {
        if (g_nTreeSize >= kMaxTreeSize) {
            CX_LOG_ERROR("CX2DAnimation::Load", "Too many child animations. [%s]", file);
            break;
        }
        char key[32];
        std::snprintf(key, sizeof key, "ANF_%d", i);
        LoadChild(CX2DSplit(CX2DConfigText(config, key), ','));
    }
}

void CX2DAnimation::LoadChild(const std::vector<std::string>& fields)
{
    if (fields.size() < 4 || fields[3].empty())
        return;
    const std::string childFile = "/" + fields[3];
    if (OnChain(childFile.c_str())) {
        CX_LOG_ERROR("CX2DAnimation::Load", "Child already being loaded. [%s]", childFile.c_str());
        return;
    }
    auto info = std::unique_ptr<CX2DAnimationANFInfo>(new CX2DAnimationANFInfo);
    auto* child = new CX2DAnimation;
    if (!info || !child) {
        delete child;
        return;
    }
    info->m_bAbsolute = std::atoi(fields[0].c_str());
    info->m_fX = static_cast<float>(std::atof(fields[1].c_str()));
    info->m_fY = static_cast<float>(std::atof(fields[2].c_str()));
    info->m_nKey = fields.size() > 4 ? std::atoi(fields[4].c_str()) : 0;
    info->m_pAnimation = child;
    child->Load(childFile.c_str());
    m_Children.push_back(std::move(info));
}
