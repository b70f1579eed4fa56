#include "CXStringParser.h"

#include <vector>

namespace {

struct Piece {
    const char* pBytes;
    unsigned nLength;
};

// The fields of nLength bytes between separators (see CXStringParser::Split).
std::vector<Piece> CutPieces(const char* pBytes, unsigned nLength, char cSeparator, int nEscape)
{
    std::vector<Piece> pieces;
    unsigned nStart = 0;
    for (unsigned i = 0; i < nLength; ++i) {
        if (pBytes[i] != cSeparator)
            continue;
        if (nEscape && i + 1 < nLength && pBytes[i + 1] == cSeparator)
            continue;  // the field goes on; the second separator of the pair may end it

        pieces.push_back({pBytes + nStart, i - nStart});
        nStart = i + 1;
    }
    if (nStart < nLength)
        pieces.push_back({pBytes + nStart, nLength - nStart});
    return pieces;
}

}  // namespace

CXStringParser::CXStringParser(const char* pszText)
{
    SetSourceText(pszText);
}

void CXStringParser::SetSource(const CXString& source)
{
    m_strSource.Copy(source);
    m_Tokens.RemoveAll();
}

void CXStringParser::SetSourceText(const char* pszText)
{
    m_strSource.SetString(pszText ? pszText : "");
    m_Tokens.RemoveAll();
}

int CXStringParser::Split(char cSeparator, int nEscape)
{
    m_Tokens.RemoveAll();
    const std::vector<Piece> pieces =
        CutPieces(m_strSource.GetString(), m_strSource.GetDataSize(), cSeparator, nEscape);
    int nIndex = 0;
    for (const Piece& piece : pieces) {
        ++nIndex;
        if (piece.nLength)
            m_Tokens.SetValueByNumber(nIndex, piece.pBytes, piece.nLength);
        else
            m_Tokens.SetValueByNumber(nIndex, "");
    }
    return nIndex;
}

int CXStringParser::SplitPairs(char cSeparator, char cPairSeparator, int nEscape)
{
    m_Tokens.RemoveAll();
    const CXString source(m_strSource);
    for (const Piece& piece : CutPieces(source.GetString(), source.GetDataSize(), cSeparator, 0)) {
        const std::vector<Piece> halves =
            CutPieces(piece.pBytes, piece.nLength, cPairSeparator, nEscape);
        CXString key;
        CXString value;
        if (!halves.empty() && halves[0].nLength)
            key.SetData(halves[0].pBytes, halves[0].nLength);
        if (halves.size() > 1 && halves[1].nLength)
            value.SetData(halves[1].pBytes, halves[1].nLength);
        key.TrimUpper();
        m_Tokens.SetValue(key.GetString(), value.GetString(), value.GetDataSize());
    }
    return static_cast<int>(m_Tokens.GetCount());
}

int CXStringParser::Parse(char cSeparator, char cPairSeparator)
{
    if (cPairSeparator == 0)
        return Split(cSeparator, 0);
    return SplitPairs(cSeparator, cPairSeparator, 0);
}
