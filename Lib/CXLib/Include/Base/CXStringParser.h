#pragma once
// Cuts a text into numbered fields (keys "1", "2", ...) or into KEY/value pairs, held in a
// CXStringIndex.

#include <cstdint>

#include "CXString.h"
#include "CXStringIndex.h"

class CXStringParser {
public:
    CXStringParser() = default;
    explicit CXStringParser(const char* pszText);
    CXStringParser(const CXStringParser&) = delete;
    CXStringParser& operator=(const CXStringParser&) = delete;
    virtual ~CXStringParser() = default;

    // Sets the source (binary-safe copy / a text) and clears the tokens.
    void SetSource(const CXString& source);
    void SetSourceText(const char* pszText);

    // Fields between separators, numbered from 1. An empty field between two separators counts;
    // the empty field after a separator that ends the text does not. With nEscape, a separator
    // directly followed by another one does not end a field (the field then keeps it). Returns
    // the field count (0 for an empty source).
    int Split(char cSeparator, int nEscape = 0);
    // Pieces between separators, each cut at the pair separator into a key (trimmed, ASCII upper
    // case) and a value (as it is; empty when missing). A repeated key keeps the last value.
    // Returns the number of distinct keys.
    int SplitPairs(char cSeparator, char cPairSeparator, int nEscape = 0);
    // Split at the separator, or SplitPairs when a pair separator is given.
    int Parse(char cSeparator, char cPairSeparator = 0);

    CXString& GetValueByNumber(int64_t nIndex) { return m_Tokens.GetValueByNumber(nIndex); }
    CXString& GetValue(const char* pszKey) { return m_Tokens.GetValue(pszKey); }
    uint32_t GetCount() const { return m_Tokens.GetCount(); }

    CXString m_strSource;
    CXStringIndex m_Tokens;
};
