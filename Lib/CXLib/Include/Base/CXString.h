#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>

// Byte string of the whole program: CP949 text, file contents (binary-safe, NULs allowed) and
// formatted messages.
//
// The string points at the first data byte of a heap block whose header lies just before it: the
// read-only flag, the data size, the cached text length (up to the first NUL), the capacity and a
// side buffer reused by formatting. The data is always followed by one NUL byte. No operation
// throws; when memory runs out the string stays as it was.
class CXString {
public:
    CXString();
    CXString(const char* pszText);  // NOLINT: implicit, as texts are passed everywhere
    CXString(const CXString& other);
    CXString(CXString&& other) noexcept;
    ~CXString();

    CXString& operator=(const CXString& other);
    CXString& operator=(CXString&& other) noexcept;
    CXString& operator=(const char* pszText);

    // The process-wide read-only empty string returned by lookups that find nothing. Assignments
    // and edits leave it unchanged.
    static CXString& GetEmptyString();

    // --- Assignment -------------------------------------------------------------------------
    // Copies nLength bytes (strlen when nLength is 0 and pData is non-null; nothing but the size
    // when pData is null). Overlapping sources (a part of this string) are allowed. With
    // nReadOnly the string refuses every later change. Returns false when the string is read-only
    // or memory ran out.
    bool SetData(const void* pData, unsigned nLength, int nReadOnly = 0);
    bool SetString(const char* pszText) { return SetData(pszText, 0, 0); }
    // Binary-safe copy of the other string's data.
    bool Copy(const CXString& other);
    // Makes the data n zero bytes (text length 0). Returns whether the data size is now n.
    bool AllocBuffer(unsigned n);

    // --- Access -----------------------------------------------------------------------------
    const char* GetString() const;
    char* GetBuffer();
    unsigned GetLength() const;       // text length up to the first NUL
    unsigned GetDataSize() const;     // bytes held, NULs included
    char GetAt(unsigned nPos) const;  // 0 beyond the data
    // Stores one byte inside the data; storing 0 cuts the text there.
    void SetAt(unsigned nPos, char c);
    bool IsReadOnly() const;

    // --- Formatting (printf rules) ----------------------------------------------------------
    // A null format leaves the string unchanged. Returns false (and logs) on failure.
    bool Format(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    bool FormatV(const char* pszFormat, va_list args);
    bool AppendFormat(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    // t is seconds since 1970 (0 = now), shown in local time as "YYYY-MM-DD", "hh:mm:ss" and
    // "YYYY-MM-DD hh:mm:ss".
    CXString& FormatDate(int64_t t);
    CXString& FormatTime(int64_t t);
    CXString& FormatDateTime(int64_t t);

    // --- Comparison and search --------------------------------------------------------------
    // Shorter text first, then unsigned bytes: -1, 0 or 1; a null text gives -1. A non-zero
    // nMaxLength caps both lengths first.
    int Compare(const char* pszText, unsigned nMaxLength = 0) const;
    // Offset of c counted from nFrom (the last one with nReverse), or -1.
    int FindChar(char c, unsigned nFrom = 0, int nReverse = 0) const;
    // Offset of the text counted from nFrom, or -1 (also for a null text).
    int Find(const char* pszText, unsigned nFrom = 0) const;

    // --- Editing (in place) -----------------------------------------------------------------
    CXString& Insert(const char* pszText, unsigned nPos);
    // Blanks are bytes 0..32; bytes of 128 and above (double-byte lead bytes) are kept.
    CXString& TrimLeft();
    CXString& TrimRight();
    CXString& Trim();
    // 'a'..'z' only; the trail byte of a double-byte character is left alone.
    CXString& MakeUpper();
    CXString& TrimUpper();
    // Returns the number of bytes replaced.
    int ReplaceChar(char cFrom, char cTo);
    // Replaces every non-overlapping occurrence from the left; without nCaseSensitive, ASCII case
    // is ignored when searching. Returns the count; 0 for null or empty search texts.
    int Replace(const char* pszFind, const char* pszReplace, int nCaseSensitive = 1);
    // nRemove 1 drops every c; 0 keeps only the c bytes.
    CXString& RemoveChar(char c, int nRemove = 1);
    CXString& RemoveChars(const char* pszSet, int nRemove = 1);
    // Every run of consecutive c becomes one c.
    CXString& CollapseChar(char c);

    // --- Parsing (a null text means this string) --------------------------------------------
    // Hexadecimal digits only (either case), most significant first; any other byte gives 0.
    uint64_t ParseHex(const char* pszText = nullptr) const;
    // "0x"/"0X" after leading blanks: hexadecimal; otherwise decimal with optional blanks and
    // sign, stopping at the first non-digit (0 when there is none).
    int64_t ToInteger(const char* pszText = nullptr) const;
    double ToFloat(const char* pszText = nullptr) const;

    // --- Files --------------------------------------------------------------------------------
    // With nUseBaseFolder the path is g_strResourceBase followed by the path. A null path means
    // this string's own text.
    // Reads the whole file (binary-safe); an empty file gives an empty string. False when the file
    // cannot be read completely; the string is then unchanged.
    bool LoadFile(const char* pszPath = nullptr, int nUseBaseFolder = 0);
    // Writes the first nLength bytes (0 = all; clamped to the data) through a temporary file that
    // replaces the target, so a failed save leaves the old file. False for a null path.
    bool SaveFile(const char* pszPath, unsigned nLength = 0, int nUseBaseFolder = 0) const;

    // --- Checksum and scrambling --------------------------------------------------------------
    // Reflected CRC-16, polynomial 0xA001, no final XOR ("abc" from 0 gives 0x9738). Null data
    // means this string's data (nLength 0 = its whole data).
    unsigned short CRC16(const void* pData = nullptr, unsigned nLength = 0,
                         unsigned short wInitial = 0) const;
    static unsigned short CalcCRC16(const void* pData, unsigned nLength, unsigned short wInitial);

    // The program's own scrambling of data files: Scramble turns the data into a scrambled image
    // with a checksum; Unscramble restores it and fails (string unchanged) when the image is not
    // one that Scramble made.
    bool Scramble();
    bool Unscramble();
    // The byte stream under the scrambling: XOR with a key stream that depends on the byte's
    // offset, so applying it twice restores the bytes and any block of a stream can be handled
    // on its own.
    static void ScrambleBytes(void* pData, unsigned nLength, uint64_t nOffset);

private:
    struct Header;
    Header* GetHeader() const;
    static char* NewBlock(unsigned nCapacity);
    bool Grow(unsigned nCapacity);
    void FixLength(unsigned nLength);
    // Runs edit() on a writable string; a null string gives the shared empty string and a
    // read-only one is left as it is.
    template <class F>
    CXString& EditInPlace(F edit);
    // Keeps, in order, the data bytes for which keep(byte) is true.
    template <class F>
    CXString& KeepBytesWhere(F keep);

    char* m_pData = nullptr;
};

// Base folder put in front of file names by the loaders that ask for it; empty (the working
// folder) except while a game loads its own data folder.
extern std::string g_strResourceBase;
