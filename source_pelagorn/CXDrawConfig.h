#pragma once
// How every display object reads its key=value file. A key read unconditionally gives 0 when it
// is absent (replacing the constructor's value); a key read conditionally is converted only when
// its trimmed value is not empty and otherwise keeps what the caller had. Multi-field values are
// trimmed and split at ',' into fields numbered from 1; a missing field reads as empty (0).

#include <cstdint>
#include <string>

#include "CX2DFileConfig.h"
#include "CXStringParser.h"

// Counts read from a display object's file are clamped to this.
constexpr int32_t kMaxConfigCount = 256;

class CXDrawConfig {
public:
    // Loads the file through the engine's reader (packs, then the disk under the resource base).
    bool Load(const char* path) { return m_File.Load(path); }

    // Unconditional reads.
    int64_t Integer(const char* key);
    float Float(const char* key);
    std::string Text(const char* key);
    // A count, clamped to 0..kMaxConfigCount.
    int32_t Count(const char* key);

    // Conditional reads: false (and the value untouched) when the key is absent or empty.
    bool IntegerIf(const char* key, int64_t& value);
    bool FloatIf(const char* key, float& value);

    // Splits the key's value into fields; returns the field count (0 for an absent key).
    int Fields(const char* key);
    int64_t FieldInteger(int field);
    float FieldFloat(int field);
    // The field trimmed; empty when missing.
    std::string FieldText(int field);

    CX2DFileConfig m_File;
    CXStringParser m_Parser;
};

// A float from a data file: atof of the trimmed text; non-finite or absurd values read 0.
float CXConfigFloat(const char* text);
// Float-to-integer conversions of file values, clamped to the target range (NaN gives 0).
uint32_t CXToUInt32(double value);
int32_t CXToInt32(double value);

// Joins a folder and a file name with exactly one '/' between them and no "//" anywhere (the
// resource name rule keeps only what follows a "//"); backslashes in the name become '/'.
std::string CXJoinPath(const char* folder, const char* name);

// True when the text is a printf format with exactly one integer conversion (d i u x X o; flags,
// width and precision up to 32; no length modifier or '*') and no other conversion.
bool CXIsIntegerFormat(const char* format);
