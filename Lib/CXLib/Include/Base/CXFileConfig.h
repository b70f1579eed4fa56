#pragma once
// Text configuration: key=value lines, '#' starts a comment, keys are upper-cased (ASCII letters
// only) and both sides trimmed; a later line with the same key wins.

#include "CXString.h"
#include "CXStringIndex.h"

class CXFileConfig {
public:
    CXFileConfig() = default;
    CXFileConfig(const CXFileConfig&) = delete;
    CXFileConfig& operator=(const CXFileConfig&) = delete;
    virtual ~CXFileConfig() = default;

    // With a non-zero nLength, pszPathOrText is the content itself (nLength bytes). Otherwise it
    // is a path read with g_strResourceBase in front, or, when null, "<program name>.cfg". With
    // nScrambled the content is first unscrambled. False for a missing or unreadable file or a
    // failed unscramble; the values then stay as they were.
    bool Load(const char* pszPathOrText, unsigned nLength = 0, int nScrambled = 0);

    // The value of the key (upper case), or the shared empty string.
    CXString& GetValue(const char* pszKey) { return m_Values.GetValue(pszKey); }
    CXString& GetValue(const char* pszKey, unsigned nKeyLength)
    {
        return m_Values.GetValue(pszKey, nKeyLength);
    }
    bool HasKey(const char* pszKey) const { return m_Values.HasKey(pszKey); }

    CXStringIndex m_Values;
};
