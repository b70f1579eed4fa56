#include "CXReelWaitPreset.h"

#include "CXStringParser.h"

CXReelWaitPreset* CXReelWaitPresetTable::Get(uint32_t index)
{
    return index < kSize ? &m_Presets[index] : nullptr;
}

bool CXReelWaitPresetTable::FillShake(uint32_t index, const char* value)
{
    CXReelWaitPreset* preset = Get(index);
    if (!preset)
        return false;
    CXString text(value ? value : "");
    text.Trim();
    CXStringParser parser;
    parser.SetSourceText(text.GetString());
    const int fields = parser.Parse(',');
    auto integer = [&parser](int field) { return parser.GetValueByNumber(field).ToInteger(); };
    preset->nIndex = static_cast<int32_t>(index);
    preset->byRepeat = integer(1) != 0;
    preset->nShakeWidth = static_cast<int32_t>(integer(2));
    preset->nShakeHeight = static_cast<int32_t>(integer(3));
    preset->nShakeInterval = integer(4);
    preset->nCount = 0;
    for (int field = 5; field + 1 <= fields && preset->nCount < CXReelWaitPreset::kMaxEntries;
         field += 2) {
        CXReelWaitEntry& entry = preset->entries[preset->nCount++];
        entry.nDuration = static_cast<int32_t>(integer(field));
        entry.byShake = integer(field + 1) != 0;
    }
    return true;
}

bool CXReelWaitPresetTable::SetWait(uint32_t index, float wait)
{
    CXReelWaitPreset* preset = Get(index);
    if (!preset)
        return false;
    preset->fWait = wait;
    return true;
}

bool CXReelWaitPresetTable::Take(uint32_t index, CXReelWaitPreset& copy)
{
    CXReelWaitPreset* preset = Get(index);
    if (!preset)
        return false;
    copy = *preset;
    preset->nStart = 0;
    return true;
}

void CXReelWaitPresetTable::Clear()
{
    for (CXReelWaitPreset& preset : m_Presets)
        preset = CXReelWaitPreset{};
}

CXReelWaitPresetTable& ReelWaitPresets()
{
    static CXReelWaitPresetTable table;
    return table;
}
