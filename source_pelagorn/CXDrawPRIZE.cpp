#include "CXDrawPRIZE.h"

#include <cstdio>
#include <span>
#include <string>

#include "CXDrawConfig.h"

namespace {

constexpr const char* kFolder = "/image/prize";
constexpr const char* kFile = "/image/prize/prize.cfg";

// The prize values of each group, in load order.
constexpr int32_t kGroup0[] = {0, 500, 1000, 2000, 3000, 5000, 7000};
constexpr int32_t kGroup1[] = {0, 50, 100, 200, 300, 500, 10000, 3000, 5000};
constexpr int32_t kGroup2[] = {100, 200, 300, 500, 1000};
const std::span<const int32_t> kGroups[] = {kGroup0, kGroup1, kGroup2, {}};

}  // namespace

void CXDrawPRIZE::Update(float dt)
{
    for (auto* element = m_Prizes.m_pHead; element; element = element->m_pNext)
        if (CXDrawPrizeInfo* info = element->m_pData) {
            info->m_Animation.Update(dt);
            info->m_Particle.Update(dt);
        }
}

CXDrawPrizeInfo* CXDrawPRIZE::FindPrize(int32_t group, int32_t value)
{
    m_strKey.Format("%d:%d", group, value);
    return m_Prizes.FindByName(m_strKey);
}

void CXDrawPRIZE::LoadPrizes()
{
    CXDrawConfig config;
    if (!config.Load(kFile))
        return;
    char key[64];
    for (int group = 0; group < static_cast<int>(std::size(kGroups)); ++group) {
        std::snprintf(key, sizeof key, "PRIZE_INDEX_%d", group);
        CXString prefix(config.Text(key).c_str());
        prefix.TrimUpper();
        if (prefix.GetLength() == 0)
            continue;
        for (const int32_t value : kGroups[group]) {
            if (FindPrize(group, value))
                continue;
            auto* info = new CXDrawPrizeInfo;
            if (!info)
                return;
            info->m_strName.Format("%d:%d", group, value);
            CXString prizeKey;
            prizeKey.Format("%s_PRIZE_%04d", prefix.GetString(), value);
            config.Fields(prizeKey.GetString());
            const std::string animation = config.FieldText(1), particle = config.FieldText(2);
            if (!animation.empty())
                info->m_Animation.Load(CXJoinPath(kFolder, animation.c_str()).c_str());
            if (!particle.empty())
                info->m_Particle.Load(CXJoinPath(kFolder, particle.c_str()).c_str());
            for (int i = 0; i < 4; ++i)
                info->m_fPlace[i] = config.FieldFloat(3 + i);
            if (!m_Prizes.AddTail(info))
                delete info;
        }
    }
}
