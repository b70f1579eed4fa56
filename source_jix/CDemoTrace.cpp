#include "CDemoTrace.h"

#include <cstdio>

#include "CDemoTraceList.h"
#include "platform/clock.h"

namespace {

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string ToUtf8(const char16_t* psz)
{
    std::string out;
    for (; psz && *psz; ++psz) {
        uint32_t c = *psz;
        if (c >= 0xD800 && c <= 0xDBFF && psz[1] >= 0xDC00 && psz[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (uint32_t(psz[1]) - 0xDC00);
            ++psz;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

CDemoTrace::CDemoTrace(uint32_t dwOutputs, std::string strFile, CDemoTraceList* pListBox)
    : m_dwOutputs(dwOutputs), m_strFile(std::move(strFile)), m_pListBox(pListBox)
{}

void CDemoTrace::WriteLine(const char16_t* pszText)
{
    if (!(m_dwOutputs & (kConsole | kFile | kListBox)))
        return;
    const platform::LocalTime now = platform::LocalTimeNow();
    char szStamp[64];
    std::snprintf(szStamp, sizeof(szStamp), "%04d-%02d-%02d %02d:%02d:%02d", now.nYear, now.nMonth,
                  now.nDay, now.nHour, now.nMinute, now.nSecond);
    m_strLine = std::string(szStamp) + " > " + ToUtf8(pszText) + "\n";
    if (m_dwOutputs & kConsole)
        std::fputs(m_strLine.c_str(), stdout);
    if ((m_dwOutputs & kFile) && !m_strFile.empty()) {
        if (std::FILE* pFile = std::fopen(m_strFile.c_str(), "a+")) {
            std::fputs(m_strLine.c_str(), pFile);
            std::fclose(pFile);
        }
    }
    if ((m_dwOutputs & kListBox) && m_pListBox)
        m_pListBox->SetCurSel(m_pListBox->AddString(m_strLine.substr(0, m_strLine.size() - 1)));
}
