#pragma once

#include <cstdint>

#include "HiRefObject.h"

// A view on bytes it does not own, with little-endian readers and writers. Readers never move past
// the size; a reader that cannot read a whole field leaves its destination and the position
// untouched, so a short message reads its missing trailing fields as their defaults. Writers append
// at the size and refuse (return false, write nothing) what does not fit the capacity.
class HiByteBuffer {
public:
    HiByteBuffer() = default;
    // A reader over `size` valid bytes.
    HiByteBuffer(const uint8_t* pData, int32_t nSize);
    // A writer into a store of `capacity` bytes, empty.
    static HiByteBuffer Writer(uint8_t* pStore, int32_t nCapacity);
    virtual ~HiByteBuffer() = default;

    const uint8_t* GetData() const { return m_pData; }
    int32_t GetSize() const { return m_nSize; }
    int32_t GetPosition() const { return m_nPosition; }
    int32_t GetRemaining() const { return m_nSize - m_nPosition; }
    void SetPosition(int32_t nPosition);

    bool Read(void* pDest, int32_t nCount);
    bool ReadU8(uint8_t& value);
    bool ReadU16(uint16_t& value);
    bool ReadU32(uint32_t& value);
    bool ReadI32(int32_t& value);
    bool ReadF32(float& value);
    // Moves the position by min(n, remaining).
    void Skip(int32_t nCount);

    // Counted wide string: uint16 byte count n, then n bytes of UTF-16LE. n = 0 succeeds and leaves
    // the destination untouched. A count above maxBytes or above what remains, or an odd count, is
    // skipped (min(n, remaining) bytes) and fails. On success n / 2 units are stored; no terminator
    // is written, so callers pass a zero-filled destination of at least maxBytes / 2 + 1 units.
    bool ReadWString(char16_t* pDest, int32_t nMaxBytes);
    // The parsers' counted text: as ReadWString, but a count of 0 is not a text (returns false).
    bool ReadCountedText(char16_t* pDest, int32_t nLimitBytes);

    bool Write(const void* pSource, int32_t nCount);
    bool WriteU8(uint8_t value);
    bool WriteU16(uint16_t value);
    bool WriteU32(uint32_t value);
    bool WriteF32(float value);
    // uint16 byte count (2 x units), then the units as UTF-16LE; a null text writes count 0. At
    // most 32767 units go out, the most a 16-bit byte count can announce.
    bool WriteWString(const char16_t* pszText);
    // As WriteWString with at most nMaxUnits units of the text.
    bool WriteWString(const char16_t* pszText, int32_t nMaxUnits);
    // A fixed field of k bytes: zero-filled, then as much of the CP949 text as fits without
    // splitting a double-byte character; a text of exactly k bytes has no terminator.
    bool WriteFixedText(const char* pszText, int32_t nFieldBytes);

protected:
    uint8_t* m_pWrite = nullptr;  // null for a reader
    const uint8_t* m_pData = nullptr;
    int32_t m_nSize = 0;
    int32_t m_nPosition = 0;
    int32_t m_nCapacity = 0;
};

// A byte buffer over its own 8192-byte store: the unit of the receive queue and the receive pool.
class HiLocalByteBuffer : public HiByteBuffer, public HiRefObject {
public:
    static constexpr int32_t kCapacity = 8192;

    HiLocalByteBuffer();
    // Copies the bytes in and makes them the readable content (size n, position 0); more than
    // kCapacity bytes are refused and change nothing.
    bool Assign(const void* pBytes, int32_t nCount);

private:
    uint8_t m_abyStore[kCapacity];
};

// Length of the UTF-16 text up to its terminator.
int32_t WideLength(const char16_t* pszText);
