#include "CXString.h"

#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CXLog.h"
#include "platform/clock.h"
#include "platform/files.h"

std::string g_strResourceBase;

struct CXString::Header {
    uint32_t dwReadOnly;
    uint32_t dwDataSize;
    uint32_t dwLength;  // up to the first NUL; 0 also stands for "not known" after AllocBuffer
    uint32_t dwCapacity;
    char* pSideBuffer;
    uint32_t dwSideBufferSize;
};

namespace {

const char kEmptyText[] = "";

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

bool IsLeadByte(char c)
{
    return static_cast<unsigned char>(c) >= 0x81;
}

// Upper-cases 'a'..'z' in place, stepping over the second byte of double-byte characters.
void UpperAscii(char* p, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (IsLeadByte(p[i]) && i + 1 < n)
            ++i;
        else if (p[i] >= 'a' && p[i] <= 'z')
            p[i] = static_cast<char>(p[i] - 'a' + 'A');
    }
}

constexpr std::array<uint16_t, 256> MakeCrcTable()
{
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t crc = static_cast<uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<uint16_t>(crc >> 1);
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kCrcTable = MakeCrcTable();

// Key of the scrambling stream: 256 bytes from a fixed linear congruential sequence.
constexpr std::array<uint8_t, 256> MakeScrambleKey()
{
    std::array<uint8_t, 256> key{};
    uint32_t x = 0x43585343u;
    for (unsigned i = 0; i < 256; ++i) {
        x = x * 1103515245u + 12345u;
        key[i] = static_cast<uint8_t>(x >> 16);
    }
    return key;
}

constexpr std::array<uint8_t, 256> kScrambleKey = MakeScrambleKey();

// Scrambled image: magic, plain size (32-bit little-endian), scrambled bytes, CRC-16 of the plain
// bytes (16-bit little-endian).
constexpr char kScrambleMagic[4] = {'C', 'X', 'S', '1'};
constexpr unsigned kScrambleOverhead = 4 + 4 + 2;

void PutLE32(char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t GetLE32(const char* p)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    return v;
}

}  // namespace

// --- Blocks ---------------------------------------------------------------------------------

CXString::Header* CXString::GetHeader() const
{
    if (m_pData == nullptr)
        return nullptr;
    return reinterpret_cast<Header*>(m_pData - sizeof(Header));
}

char* CXString::NewBlock(unsigned nCapacity)
{
    void* block = std::malloc(sizeof(Header) + static_cast<size_t>(nCapacity) + 1);
    if (block == nullptr)
        return nullptr;
    Header* header = static_cast<Header*>(block);
    *header = Header{0, 0, 0, nCapacity, nullptr, 0};
    char* data = static_cast<char*>(block) + sizeof(Header);
    data[0] = '\0';
    return data;
}

CXString::CXString()
{
    m_pData = NewBlock(0);
}

CXString::CXString(const char* pszText)
{
    SetString(pszText != nullptr ? pszText : kEmptyText);
}

CXString::CXString(const CXString& other)
{
    Copy(other);
}

CXString::CXString(CXString&& other) noexcept
{
    if (other.IsReadOnly()) {
        Copy(other);
        return;
    }
    m_pData = other.m_pData;
    other.m_pData = nullptr;
}

CXString::~CXString()
{
    if (Header* header = GetHeader()) {
        std::free(header->pSideBuffer);
        std::free(header);
    }
    m_pData = nullptr;
}

CXString& CXString::operator=(const CXString& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

CXString& CXString::operator=(CXString&& other) noexcept
{
    if (this == &other || IsReadOnly())
        return *this;
    if (other.IsReadOnly()) {
        Copy(other);
        return *this;
    }
    std::swap(m_pData, other.m_pData);
    return *this;
}

CXString& CXString::operator=(const char* pszText)
{
    SetString(pszText);
    return *this;
}

CXString& CXString::GetEmptyString()
{
    // Never destroyed, so it can be handed out during static destruction too.
    static CXString* const pEmpty = [] {
        CXString* s = new CXString;
        s->SetData(kEmptyText, 0, 1);
        return s;
    }();
    return *pEmpty;
}

// --- Assignment -----------------------------------------------------------------------------

bool CXString::SetData(const void* pData, unsigned nLength, int nReadOnly)
{
    Header* header = GetHeader();
    if (header != nullptr && header->dwReadOnly != 0)
        return false;
    if (pData != nullptr && nLength == 0)
        nLength = static_cast<unsigned>(std::strlen(static_cast<const char*>(pData)));

    if (header != nullptr && header->dwCapacity >= nLength) {
        // The source may be a part of this string: memmove copes with the overlap.
        if (pData != nullptr)
            std::memmove(m_pData, pData, nLength);
        else
            std::memset(m_pData, 0, nLength);
    } else {
        char* data = NewBlock(nLength);
        if (data == nullptr)
            return false;
        // Copy before the old block goes, as the source may lie inside it.
        if (pData != nullptr)
            std::memcpy(data, pData, nLength);
        else
            std::memset(data, 0, nLength);
        Header* fresh = reinterpret_cast<Header*>(data - sizeof(Header));
        if (header != nullptr) {
            fresh->pSideBuffer = header->pSideBuffer;
            fresh->dwSideBufferSize = header->dwSideBufferSize;
            std::free(header);
        }
        m_pData = data;
        header = fresh;
    }
    m_pData[nLength] = '\0';
    header->dwDataSize = nLength;
    header->dwLength = static_cast<uint32_t>(strnlen(m_pData, nLength));
    header->dwReadOnly = nReadOnly != 0 ? 1 : 0;
    return true;
}

bool CXString::Copy(const CXString& other)
{
    if (other.m_pData == nullptr)
        return SetData(kEmptyText, 0, 0);
    // Length 0 with data would mean strlen; an empty other is assigned as "".
    unsigned size = other.GetDataSize();
    return size == 0 ? SetData(kEmptyText, 0, 0) : SetData(other.m_pData, size, 0);
}

bool CXString::AllocBuffer(unsigned n)
{
    if (!SetData(nullptr, n, 0))
        return false;
    GetHeader()->dwLength = 0;
    return GetDataSize() == n;
}

bool CXString::Grow(unsigned nCapacity)
{
    Header* header = GetHeader();
    if (header != nullptr && header->dwCapacity >= nCapacity)
        return true;
    char* data = NewBlock(nCapacity);
    if (data == nullptr)
        return false;
    Header* fresh = reinterpret_cast<Header*>(data - sizeof(Header));
    if (header != nullptr) {
        std::memcpy(data, m_pData, static_cast<size_t>(header->dwDataSize) + 1);
        fresh->dwDataSize = header->dwDataSize;
        fresh->dwLength = header->dwLength;
        fresh->pSideBuffer = header->pSideBuffer;
        fresh->dwSideBufferSize = header->dwSideBufferSize;
        std::free(header);
    }
    m_pData = data;
    return true;
}

// Sets the data size to nLength (within capacity), terminates and recomputes the text length.
void CXString::FixLength(unsigned nLength)
{
    Header* header = GetHeader();
    m_pData[nLength] = '\0';
    header->dwDataSize = nLength;
    header->dwLength = static_cast<uint32_t>(strnlen(m_pData, nLength));
}

// --- Access ---------------------------------------------------------------------------------

const char* CXString::GetString() const
{
    return m_pData != nullptr ? m_pData : kEmptyText;
}

char* CXString::GetBuffer()
{
    return m_pData != nullptr ? m_pData : GetEmptyString().m_pData;
}

unsigned CXString::GetLength() const
{
    Header* header = GetHeader();
    if (header == nullptr)
        return 0;
    // Text written straight into the buffer after AllocBuffer is measured on first use.
    if (header->dwLength == 0 && header->dwDataSize > 0 && m_pData[0] != '\0')
        header->dwLength = static_cast<uint32_t>(strnlen(m_pData, header->dwDataSize));
    return header->dwLength;
}

unsigned CXString::GetDataSize() const
{
    Header* header = GetHeader();
    return header != nullptr ? header->dwDataSize : 0;
}

char CXString::GetAt(unsigned nPos) const
{
    return nPos < GetDataSize() ? m_pData[nPos] : '\0';
}

void CXString::SetAt(unsigned nPos, char c)
{
    Header* header = GetHeader();
    if (header == nullptr || header->dwReadOnly != 0 || nPos >= header->dwDataSize)
        return;
    unsigned length = GetLength();
    m_pData[nPos] = c;
    if (c == '\0') {
        if (nPos < length)
            header->dwLength = nPos;
    } else if (nPos == length) {
        header->dwLength = static_cast<uint32_t>(strnlen(m_pData, header->dwDataSize));
    }
}

bool CXString::IsReadOnly() const
{
    Header* header = GetHeader();
    return header != nullptr && header->dwReadOnly != 0;
}

// --- Formatting -----------------------------------------------------------------------------

bool CXString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    bool ok = FormatV(pszFormat, args);
    va_end(args);
    return ok;
}

bool CXString::FormatV(const char* pszFormat, va_list args)
{
    if (pszFormat == nullptr || IsReadOnly())
        return false;
    if (m_pData == nullptr && (m_pData = NewBlock(0)) == nullptr)
        return false;

    va_list measure;
    va_copy(measure, args);
    int needed = std::vsnprintf(nullptr, 0, pszFormat, measure);
    va_end(measure);
    if (needed < 0 || needed >= INT_MAX) {
        CX_LOG_ERROR("CXString::FormatV", "CXString format fail. [format=%s]", pszFormat);
        return false;
    }

    Header* header = GetHeader();
    if (static_cast<unsigned>(needed) >= header->dwSideBufferSize) {
        char* side = static_cast<char*>(std::malloc(static_cast<size_t>(needed) + 1));
        if (side == nullptr) {
            CX_LOG_ERROR("CXString::FormatV", "CXString temp buffer create fail.");
            return false;
        }
        std::free(header->pSideBuffer);
        header->pSideBuffer = side;
        header->dwSideBufferSize = static_cast<uint32_t>(needed) + 1;
    }

    va_list write;
    va_copy(write, args);
    int written = std::vsnprintf(header->pSideBuffer, header->dwSideBufferSize, pszFormat, write);
    va_end(write);
    if (written != needed) {
        CX_LOG_ERROR("CXString::FormatV", "CXString format fail. [format=%s]", pszFormat);
        return false;
    }
    // The formatted text may hold NULs (%c of 0): keep all of it.
    return written == 0 ? SetData(kEmptyText, 0, 0)
                        : SetData(header->pSideBuffer, static_cast<unsigned>(written), 0);
}

bool CXString::AppendFormat(const char* pszFormat, ...)
{
    CXString text;
    va_list args;
    va_start(args, pszFormat);
    bool ok = text.FormatV(pszFormat, args);
    va_end(args);
    if (!ok || IsReadOnly())
        return false;
    unsigned before = GetLength();
    Insert(text.GetString(), UINT_MAX);
    return GetLength() == before + text.GetLength();
}

CXString& CXString::FormatDate(int64_t t)
{
    platform::LocalTime lt = t == 0 ? platform::LocalTimeNow() : platform::LocalTimeAt(t);
    Format("%04d-%02d-%02d", lt.nYear, lt.nMonth, lt.nDay);
    return *this;
}

CXString& CXString::FormatTime(int64_t t)
{
    platform::LocalTime lt = t == 0 ? platform::LocalTimeNow() : platform::LocalTimeAt(t);
    Format("%02d:%02d:%02d", lt.nHour, lt.nMinute, lt.nSecond);
    return *this;
}

CXString& CXString::FormatDateTime(int64_t t)
{
    platform::LocalTime lt = t == 0 ? platform::LocalTimeNow() : platform::LocalTimeAt(t);
    Format("%04d-%02d-%02d %02d:%02d:%02d", lt.nYear, lt.nMonth, lt.nDay, lt.nHour, lt.nMinute,
           lt.nSecond);
    return *this;
}

// --- Comparison and search ------------------------------------------------------------------

int CXString::Compare(const char* pszText, unsigned nMaxLength) const
{
    if (pszText == nullptr)
        return -1;
    size_t a = GetLength();
    size_t b = std::strlen(pszText);
    if (nMaxLength != 0) {
        a = a < nMaxLength ? a : nMaxLength;
        b = b < nMaxLength ? b : nMaxLength;
    }
    if (a != b)
        return a < b ? -1 : 1;
    int r = std::memcmp(GetString(), pszText, a);  // memcmp compares unsigned bytes
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CXString::FindChar(char c, unsigned nFrom, int nReverse) const
{
    unsigned length = GetLength();
    if (nFrom >= length)
        return -1;
    const char* start = GetString() + nFrom;
    const void* hit =
        nReverse != 0 ? memrchr(start, c, length - nFrom) : std::memchr(start, c, length - nFrom);
    return hit != nullptr ? static_cast<int>(static_cast<const char*>(hit) - start) : -1;
}

int CXString::Find(const char* pszText, unsigned nFrom) const
{
    unsigned length = GetLength();
    if (pszText == nullptr || nFrom >= length)
        return -1;
    const char* start = GetString() + nFrom;
    const char* hit = std::strstr(start, pszText);
    return hit != nullptr ? static_cast<int>(hit - start) : -1;
}

// --- Editing --------------------------------------------------------------------------------

CXString& CXString::Insert(const char* pszText, unsigned nPos)
{
    if (m_pData == nullptr)
        return GetEmptyString();
    if (pszText == nullptr || pszText[0] == '\0' || IsReadOnly())
        return *this;
    unsigned length = GetLength();
    unsigned size = GetDataSize();
    size_t n = std::strlen(pszText);
    if (n > UINT32_MAX - 1 - size)
        return *this;
    if (nPos > length)
        nPos = length;

    if (pszText >= m_pData && pszText <= m_pData + size) {
        // Inserting a part of this string: take a copy first, the block may move.
        std::string copy(pszText, n);
        return Insert(copy.c_str(), nPos);
    }
    if (!Grow(size + static_cast<unsigned>(n)))
        return *this;
    std::memmove(m_pData + nPos + n, m_pData + nPos, size - nPos);
    std::memcpy(m_pData + nPos, pszText, n);
    Header* header = GetHeader();
    header->dwDataSize = size + static_cast<unsigned>(n);
    header->dwLength = length + static_cast<unsigned>(n);
    m_pData[header->dwDataSize] = '\0';
    return *this;
}

template <class F>
CXString& CXString::EditInPlace(F edit)
{
    if (m_pData == nullptr)
        return GetEmptyString();
    if (!IsReadOnly())
        edit();
    return *this;
}

CXString& CXString::TrimLeft()
{
    return EditInPlace([this] {
        const unsigned length = GetLength();
        unsigned skip = 0;
        while (skip < length && IsBlank(m_pData[skip]))
            ++skip;
        if (skip > 0) {
            const unsigned size = GetDataSize();
            std::memmove(m_pData, m_pData + skip, size - skip);
            FixLength(size - skip);
        }
    });
}

CXString& CXString::TrimRight()
{
    return EditInPlace([this] {
        unsigned length = GetLength();
        while (length > 0 && IsBlank(m_pData[length - 1]))
            --length;
        FixLength(length);
    });
}

CXString& CXString::Trim()
{
    TrimRight();
    return TrimLeft();
}

CXString& CXString::MakeUpper()
{
    return EditInPlace([this] { UpperAscii(m_pData, GetLength()); });
}

CXString& CXString::TrimUpper()
{
    Trim();
    return MakeUpper();
}

int CXString::ReplaceChar(char cFrom, char cTo)
{
    if (m_pData == nullptr || cFrom == cTo || IsReadOnly())
        return 0;
    unsigned size = GetDataSize();
    int count = 0;
    for (unsigned i = 0; i < size; ++i) {
        if (m_pData[i] == cFrom) {
            m_pData[i] = cTo;
            ++count;
        }
    }
    FixLength(size);
    return count;
}

int CXString::Replace(const char* pszFind, const char* pszReplace, int nCaseSensitive)
{
    if (m_pData == nullptr || pszFind == nullptr || pszReplace == nullptr || pszFind[0] == '\0' ||
        std::strcmp(pszFind, pszReplace) == 0 || IsReadOnly())
        return 0;

    const std::string text(GetString(), GetLength());
    std::string find(pszFind);
    std::string haystack = text;
    if (nCaseSensitive == 0) {
        UpperAscii(find.data(), find.size());
        UpperAscii(haystack.data(), haystack.size());
    }

    std::string result;
    int count = 0;
    size_t pos = 0;
    for (size_t hit; (hit = haystack.find(find, pos)) != std::string::npos;
         pos = hit + find.size()) {
        result.append(text, pos, hit - pos);
        result.append(pszReplace);
        ++count;
    }
    if (count == 0)
        return 0;
    result.append(text, pos, std::string::npos);
    if (result.size() > UINT32_MAX - 1)
        return 0;
    bool ok = result.empty() ? SetData(kEmptyText, 0, 0)
                             : SetData(result.data(), static_cast<unsigned>(result.size()), 0);
    return ok ? count : 0;
}

template <class F>
CXString& CXString::KeepBytesWhere(F keep)
{
    return EditInPlace([this, &keep] {
        const unsigned size = GetDataSize();
        unsigned kept = 0;
        for (unsigned i = 0; i < size; ++i)
            if (keep(m_pData[i]))
                m_pData[kept++] = m_pData[i];
        FixLength(kept);
    });
}

CXString& CXString::RemoveChar(char c, int nRemove)
{
    return KeepBytesWhere([&](char b) { return (b == c) != (nRemove != 0); });
}

CXString& CXString::RemoveChars(const char* pszSet, int nRemove)
{
    if (pszSet == nullptr)
        return m_pData != nullptr ? *this : GetEmptyString();
    const size_t setLength = std::strlen(pszSet);
    return KeepBytesWhere([&](char b) {
        const bool inSet = b != '\0' && std::memchr(pszSet, b, setLength) != nullptr;
        return inSet != (nRemove != 0);
    });
}

CXString& CXString::CollapseChar(char c)
{
    bool lastKeptIsC = false;
    return KeepBytesWhere([&](char b) {
        if (b == c && lastKeptIsC)
            return false;
        lastKeptIsC = b == c;
        return true;
    });
}

// --- Parsing --------------------------------------------------------------------------------

uint64_t CXString::ParseHex(const char* pszText) const
{
    const char* p = pszText != nullptr ? pszText : GetString();
    uint64_t value = 0;
    for (; *p != '\0'; ++p) {
        unsigned digit;
        if (*p >= '0' && *p <= '9')
            digit = static_cast<unsigned>(*p - '0');
        else if (*p >= 'A' && *p <= 'F')
            digit = static_cast<unsigned>(*p - 'A' + 10);
        else if (*p >= 'a' && *p <= 'f')
            digit = static_cast<unsigned>(*p - 'a' + 10);
        else
            return 0;
        value = (value << 4) | digit;
    }
    return value;
}

int64_t CXString::ToInteger(const char* pszText) const
{
    const char* p = pszText != nullptr ? pszText : GetString();
    const char* q = p;
    while (*q == ' ' || (*q >= '\t' && *q <= '\r'))
        ++q;
    if (q[0] == '0' && (q[1] == 'x' || q[1] == 'X'))
        return static_cast<int64_t>(ParseHex(q + 2));
    return static_cast<int64_t>(std::strtoll(p, nullptr, 10));
}

double CXString::ToFloat(const char* pszText) const
{
    return std::strtod(pszText != nullptr ? pszText : GetString(), nullptr);
}

// --- Files ----------------------------------------------------------------------------------

bool CXString::LoadFile(const char* pszPath, int nUseBaseFolder)
{
    if (IsReadOnly())
        return false;
    std::string path = pszPath != nullptr ? pszPath : GetString();
    if (nUseBaseFolder != 0)
        path = g_strResourceBase + path;
    auto content = platform::ReadWholeFile(path);
    if (!content || content->size() > UINT32_MAX - 1)
        return false;
    if (content->empty())
        return SetData(kEmptyText, 0, 0);
    return SetData(content->data(), static_cast<unsigned>(content->size()), 0);
}

bool CXString::SaveFile(const char* pszPath, unsigned nLength, int nUseBaseFolder) const
{
    if (pszPath == nullptr)
        return false;
    std::string path = pszPath;
    if (nUseBaseFolder != 0)
        path = g_strResourceBase + path;
    unsigned size = GetDataSize();
    if (nLength == 0 || nLength > size)
        nLength = size;
    return platform::WriteFileAtomic(path, GetString(), nLength);
}

// --- Checksum and scrambling ----------------------------------------------------------------

unsigned short CXString::CalcCRC16(const void* pData, unsigned nLength, unsigned short wInitial)
{
    const unsigned char* p = static_cast<const unsigned char*>(pData);
    uint16_t crc = wInitial;
    for (unsigned i = 0; i < nLength; ++i)
        crc = static_cast<uint16_t>((crc >> 8) ^ kCrcTable[(crc ^ p[i]) & 0xFF]);
    return crc;
}

unsigned short CXString::CRC16(const void* pData, unsigned nLength, unsigned short wInitial) const
{
    if (pData == nullptr) {
        pData = GetString();
        if (nLength == 0 || nLength > GetDataSize())
            nLength = GetDataSize();
    }
    return CalcCRC16(pData, nLength, wInitial);
}

void CXString::ScrambleBytes(void* pData, unsigned nLength, uint64_t nOffset)
{
    unsigned char* p = static_cast<unsigned char*>(pData);
    for (unsigned i = 0; i < nLength; ++i) {
        uint64_t at = nOffset + i;
        p[i] ^= static_cast<unsigned char>(kScrambleKey[at & 0xFF] ^ ((at >> 8) * 167u));
    }
}

bool CXString::Scramble()
{
    if (m_pData == nullptr || IsReadOnly())
        return false;
    unsigned size = GetDataSize();
    if (size > UINT32_MAX - 1 - kScrambleOverhead)
        return false;
    std::string image(size + kScrambleOverhead, '\0');
    std::memcpy(image.data(), kScrambleMagic, 4);
    PutLE32(image.data() + 4, size);
    std::memcpy(image.data() + 8, m_pData, size);
    ScrambleBytes(image.data() + 8, size, 0);
    uint16_t crc = CalcCRC16(m_pData, size, 0);
    image[8 + size] = static_cast<char>(crc & 0xFF);
    image[9 + size] = static_cast<char>(crc >> 8);
    return SetData(image.data(), static_cast<unsigned>(image.size()), 0);
}

bool CXString::Unscramble()
{
    if (m_pData == nullptr || IsReadOnly())
        return false;
    unsigned size = GetDataSize();
    if (size < kScrambleOverhead || std::memcmp(m_pData, kScrambleMagic, 4) != 0)
        return false;
    unsigned plainSize = GetLE32(m_pData + 4);
    if (plainSize != size - kScrambleOverhead)
        return false;
    std::string plain(m_pData + 8, plainSize);
    ScrambleBytes(plain.data(), plainSize, 0);
    uint16_t crc = static_cast<uint16_t>(static_cast<unsigned char>(m_pData[8 + plainSize]) |
                                         (static_cast<unsigned char>(m_pData[9 + plainSize]) << 8));
    if (CalcCRC16(plain.data(), plainSize, 0) != crc)
        return false;
    return plain.empty() ? SetData(kEmptyText, 0, 0) : SetData(plain.data(), plainSize, 0);
}
