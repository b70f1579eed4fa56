#include "CXFileConfig.h"

#include <cstring>
#include <string>

#include "platform/files.h"

bool CXFileConfig::Load(const char* pszPathOrText, unsigned nLength, int nScrambled)
{
    CXString content;
    if (nLength) {
        if (!pszPathOrText || !content.SetData(pszPathOrText, nLength))
            return false;
    } else {
        const std::string strPath =
            pszPathOrText ? std::string(pszPathOrText) : platform::ProgramName() + ".cfg";
        if (!content.LoadFile(strPath.c_str(), 1))
            return false;
    }
    if (nScrambled && !content.Unscramble())
        return false;
    content.RemoveChar('\r', 1);

    m_Values.RemoveAll();
    const char* const pText = content.GetString();
    const unsigned nSize = content.GetDataSize();
    CXString line;
    CXString key;
    CXString value;
    for (unsigned nStart = 0; nStart < nSize;) {
        const void* pFeed = std::memchr(pText + nStart, '\n', nSize - nStart);
        const unsigned nEnd =
            pFeed ? static_cast<unsigned>(static_cast<const char*>(pFeed) - pText) : nSize;
        const unsigned nLineLength = nEnd - nStart;
        line.SetData(nLineLength ? pText + nStart : "", nLineLength);
        nStart = nEnd + 1;

        line.Trim();
        const int nComment = line.FindChar('#');
        if (nComment >= 0)
            line.SetAt(static_cast<unsigned>(nComment), 0);
        const unsigned nUsed = line.GetLength();
        if (nUsed == 0)
            continue;

        // Key = the text before the first '=', value = the text up to the next '=' (any later
        // pieces are dropped, so a value never contains '=').
        const char* pLine = line.GetString();
        const char* pFirst = static_cast<const char*>(std::memchr(pLine, '=', nUsed));
        const unsigned nKeyLength = pFirst ? static_cast<unsigned>(pFirst - pLine) : nUsed;
        key.SetData(nKeyLength ? pLine : "", nKeyLength);
        if (pFirst) {
            const char* pValue = pFirst + 1;
            const unsigned nRest = nUsed - nKeyLength - 1;
            const char* pSecond = static_cast<const char*>(std::memchr(pValue, '=', nRest));
            const unsigned nValueLength = pSecond ? static_cast<unsigned>(pSecond - pValue) : nRest;
            value.SetData(nValueLength ? pValue : "", nValueLength);
        } else {
            value.SetString("");
        }
        key.TrimUpper();
        value.Trim();
        m_Values.SetValue(key.GetString(), value.GetString());
    }
    return true;
}
