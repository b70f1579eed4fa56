// The four built-in belts. The server's stop positions are indexes into these strings, so their
// order is part of the protocol: "delay in ms, symbols top to bottom separated by ':'".
#include <string>

#include "CX2DEngine.h"
#include "CXDrawREEL.h"
#include "CXStringParser.h"

namespace {

const char* const kBelts[CXDrawREEL::kReelCount] = {
    ("0, 3: "
     "5:2:6:3:7:6:5:8:7:4:2:1:4:6:8:3:5:2:7:3:2:12:3:2:9:6:4:5:8:7:2:3:6:5:4:2:1:4:6:8:3:5:10:3:2:"
     "7:4:2:3:6:4:5:"
     "8:7:4:2"),
    "200, 2:3:1:4:10:5:3:1:2:4:12:2:3:1:2:3:7:6:1:2:3:5:4:8:5:2:3:1:4:2:5:4:8:9:7:6",
    "300, 3:2:4:7:5:2:1:3:2:4:1:5:6:1:3:2:4:1:5:6:1:8:10:3:2:4:7:5:9:3:6:2:12:1:3:2:4",
    "100, 4:2:3:1:6:2:5:6:4:2:3:1:6:2:5:9:3:5:7:8:3:6:4:2:3:5:7:8:4:2:3:10:4:7:2:12:4:2:3:5:7:8",
};

}  // namespace

void CXDrawREEL::BuildReelBelts()
{
    for (uint32_t i = 0; i < kReelCount; ++i) {
        CXStringParser fields;
        fields.SetSourceText(kBelts[i]);
        fields.Parse(',');
        auto* belt = new CXDrawReelBeltInfo;
        if (!belt)
            continue;
        belt->m_fBaseDelay = belt->m_fStartDelay =
            static_cast<float>(fields.GetValueByNumber(1).ToInteger()) / 1000.0f;
        CXString list(fields.GetValueByNumber(2));
        list.Trim();
        CXStringParser symbols;
        symbols.SetSourceText(list.GetString());
        const int count = symbols.Parse(':');
        if (count <= 0) {
            delete belt;
            m_Belts.SetAt(i, nullptr);
            continue;
        }
        belt->m_Symbols.SetSize(static_cast<uint32_t>(count));
        for (int j = 0; j < count; ++j) {
            const int64_t number = symbols.GetValueByNumber(j + 1).ToInteger();
            CXDrawReelInfo* info = number >= 0 && number < kSymbolKinds
                                       ? m_Symbols.GetAt(static_cast<uint32_t>(number))
                                       : nullptr;
            if (!info)
                continue;
            auto* symbol = new CXDrawReelBeltObject;
            if (!symbol)
                continue;
            symbol->m_nSymbol = static_cast<int32_t>(number);
            symbol->m_pInfo = info;
            belt->m_Symbols.SetAt(static_cast<uint32_t>(j), symbol);
        }
        belt->m_fOffset = 0.0f;
        belt->m_nPosition = RandomRange(int32_t{0}, count - 1);
        m_Belts.SetAt(i, belt);
    }
}
