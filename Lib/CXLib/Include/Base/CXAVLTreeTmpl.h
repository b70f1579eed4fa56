#pragma once
// AVL tree keyed by byte strings: a shorter key sorts first, keys of equal length compare byte by
// byte as unsigned bytes (the order of CXString::Compare). Nodes own their data when flagged.
//
// The key of a data object is CXAVLKeyOf(data): by default CXMakeAVLKey(data.GetKey()), where
// GetKey may return a C text, a CXString or a ready CXAVLKey. Other key sources overload
// CXAVLKeyOf for their type.

#include <cstdint>
#include <cstring>
#include <new>

#include "CXTmplReport.h"

struct CXAVLKey {
    const unsigned char* pBytes;
    uint32_t dwLength;
};

inline CXAVLKey CXMakeAVLKey(CXAVLKey key)
{
    return key;
}

inline CXAVLKey CXMakeAVLKey(const char* text)
{
    if (!text)
        text = "";
    return {reinterpret_cast<const unsigned char*>(text), static_cast<uint32_t>(std::strlen(text))};
}

// Any string class with GetString and GetLength (the text up to its first NUL).
template <class S>
requires requires(const S& s)
{
    s.GetString();
    s.GetLength();
}
CXAVLKey CXMakeAVLKey(const S& text)
{
    return {reinterpret_cast<const unsigned char*>(text.GetString()),
            static_cast<uint32_t>(text.GetLength())};
}

// -1, 0 or 1: shorter first, then unsigned bytes.
inline int CXCompareAVLKey(const CXAVLKey& a, const CXAVLKey& b)
{
    if (a.dwLength != b.dwLength)
        return a.dwLength < b.dwLength ? -1 : 1;
    if (a.dwLength == 0)
        return 0;
    const int c = std::memcmp(a.pBytes, b.pBytes, a.dwLength);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

template <class T>
CXAVLKey CXAVLKeyOf(const T& data)
{
    return CXMakeAVLKey(data.GetKey());
}

template <class T>
class CXAVLNodeTmpl {
public:
    int32_t m_bOwn = 1;
    T* m_pData = nullptr;
    uint8_t m_byBalance = 0;  // CXAVLTreeTmpl::AVL_EVEN, AVL_LEFT or AVL_RIGHT
    CXAVLNodeTmpl* m_pParent = nullptr;
    CXAVLNodeTmpl* m_pLeft = nullptr;
    CXAVLNodeTmpl* m_pRight = nullptr;
};

template <class T>
class CXAVLTreeTmpl {
public:
    using Node = CXAVLNodeTmpl<T>;

    enum : uint8_t { AVL_EVEN = 0, AVL_LEFT = 1, AVL_RIGHT = 2 };

    CXAVLTreeTmpl() = default;
    CXAVLTreeTmpl(const CXAVLTreeTmpl&) = delete;
    CXAVLTreeTmpl& operator=(const CXAVLTreeTmpl&) = delete;
    virtual ~CXAVLTreeTmpl() { RemoveAll(); }

    uint32_t GetCount() const { return m_dwCount; }

    // Inserts the data under its key. An existing key takes the new data (its old data is
    // deleted when owned) and the count stays. 0 when no node can be made: the data then
    // remains the caller's.
    int Insert(T* pData, int bOwn = 1)
    {
        if (!pData)
            return 0;
        Node* pNode = new (std::nothrow) Node;
        if (!pNode) {
            Report("Insert", __LINE__);
            return 0;
        }
        pNode->m_bOwn = bOwn;
        pNode->m_pData = pData;
        bool bReplaced = false;
        if (InsertNode(m_pRoot, pNode, bReplaced) == INSERT_FAIL) {
            Report("InsertNode", __LINE__);
            delete pNode;
            return 0;
        }
        if (!bReplaced)
            ++m_dwCount;
        return 1;
    }

    template <class K>
    T* FindNode(const K& key) const
    {
        const Node* pNode = FindNodeOf(CXMakeAVLKey(key));
        return pNode ? pNode->m_pData : nullptr;
    }

    // Removes the node of the key (deleting its data when owned); 0 when the key is absent.
    template <class K>
    int DeleteNode(const K& key)
    {
        bool bShrunk = false;
        return DeleteNodeOf(m_pRoot, CXMakeAVLKey(key), bShrunk) ? 1 : 0;
    }

    void RemoveAll() { RemoveAllNode(m_pRoot); }

    // Calls f(T*) for every node in key order.
    template <class F>
    void ForEach(F&& f) const
    {
        Walk(m_pRoot, f);
    }

    uint32_t m_dwCount = 0;
    Node* m_pRoot = nullptr;

private:
    enum { INSERT_GROWN = 3, INSERT_PLACED = 4, INSERT_DONE = 5, INSERT_FAIL = 6 };

    static void Report(const char* method, int line)
    {
        CXReportTmplFail("Lib\\CXLib\\Include\\Base/CXAVLTreeTmpl", "CXAVLTreeTmpl",
                         CXTmplArgName<T>(), method, line);
    }

    static CXAVLKey KeyOf(const Node* pNode) { return CXAVLKeyOf(*pNode->m_pData); }

    const Node* FindNodeOf(const CXAVLKey& key) const
    {
        const Node* pNode = m_pRoot;
        while (pNode) {
            const int c = CXCompareAVLKey(KeyOf(pNode), key);
            if (c == 0)
                return pNode;
            pNode = c > 0 ? pNode->m_pLeft : pNode->m_pRight;
        }
        return nullptr;
    }

    static void FreeData(Node* pNode)
    {
        if (pNode->m_bOwn && pNode->m_pData)
            delete pNode->m_pData;
        pNode->m_bOwn = 1;
        pNode->m_byBalance = AVL_EVEN;
        pNode->m_pData = nullptr;
    }

    int InsertNode(Node*& link, Node* pNode, bool& bReplaced)
    {
        if (!link) {
            link = pNode;
            return INSERT_PLACED;
        }
        const int c = CXCompareAVLKey(KeyOf(link), KeyOf(pNode));
        if (c == 0) {
            if (link->m_pData != pNode->m_pData) {
                if (link->m_bOwn)
                    delete link->m_pData;
                link->m_pData = pNode->m_pData;
            }
            link->m_bOwn = pNode->m_bOwn;
            delete pNode;
            bReplaced = true;
            return INSERT_DONE;
        }
        Node* pThis = link;
        Node*& child = c > 0 ? pThis->m_pLeft : pThis->m_pRight;
        const int result = InsertNode(child, pNode, bReplaced);
        if (result == INSERT_PLACED)
            pNode->m_pParent = pThis;
        if (result != INSERT_PLACED && result != INSERT_GROWN)
            return result;
        return c > 0 ? CheckLeftBalance(link) : CheckRightBalance(link);
    }

    static void RotateRight(Node*& link)
    {
        Node* pNode = link;
        Node* pLeft = pNode->m_pLeft;
        pNode->m_pLeft = pLeft->m_pRight;
        if (pLeft->m_pRight)
            pLeft->m_pRight->m_pParent = pNode;
        pLeft->m_pRight = pNode;
        pLeft->m_pParent = pNode->m_pParent;
        pNode->m_pParent = pLeft;
        link = pLeft;
    }

    static void RotateLeft(Node*& link)
    {
        Node* pNode = link;
        Node* pRight = pNode->m_pRight;
        pNode->m_pRight = pRight->m_pLeft;
        if (pRight->m_pLeft)
            pRight->m_pLeft->m_pParent = pNode;
        pRight->m_pLeft = pNode;
        pRight->m_pParent = pNode->m_pParent;
        pNode->m_pParent = pRight;
        link = pRight;
    }

    // Double rotations lift the grandchild to link; the balances of the three nodes follow from
    // the grandchild's old balance.
    static void DoubleRotateLeftRight(Node*& link)
    {
        Node* pNode = link;
        Node* pLeft = pNode->m_pLeft;
        const uint8_t g = pLeft->m_pRight->m_byBalance;
        RotateLeft(pNode->m_pLeft);
        RotateRight(link);
        pNode->m_byBalance = g == AVL_LEFT ? AVL_RIGHT : AVL_EVEN;
        pLeft->m_byBalance = g == AVL_RIGHT ? AVL_LEFT : AVL_EVEN;
        link->m_byBalance = AVL_EVEN;
    }

    static void DoubleRotateRightLeft(Node*& link)
    {
        Node* pNode = link;
        Node* pRight = pNode->m_pRight;
        const uint8_t g = pRight->m_pLeft->m_byBalance;
        RotateRight(pNode->m_pRight);
        RotateLeft(link);
        pNode->m_byBalance = g == AVL_RIGHT ? AVL_LEFT : AVL_EVEN;
        pRight->m_byBalance = g == AVL_LEFT ? AVL_RIGHT : AVL_EVEN;
        link->m_byBalance = AVL_EVEN;
    }

    // The left subtree of link grew by one level.
    int CheckLeftBalance(Node*& link)
    {
        switch (link->m_byBalance) {
        case AVL_EVEN:
            link->m_byBalance = AVL_LEFT;
            return INSERT_GROWN;
        case AVL_RIGHT:
            link->m_byBalance = AVL_EVEN;
            return INSERT_DONE;
        case AVL_LEFT:
            if (link->m_pLeft->m_byBalance == AVL_LEFT) {
                link->m_byBalance = link->m_pLeft->m_byBalance = AVL_EVEN;
                RotateRight(link);
            } else {
                DoubleRotateLeftRight(link);
            }
            return INSERT_DONE;
        default:
            Report("CheckLeftBalance", __LINE__);
            return INSERT_FAIL;
        }
    }

    int CheckRightBalance(Node*& link)
    {
        switch (link->m_byBalance) {
        case AVL_EVEN:
            link->m_byBalance = AVL_RIGHT;
            return INSERT_GROWN;
        case AVL_LEFT:
            link->m_byBalance = AVL_EVEN;
            return INSERT_DONE;
        case AVL_RIGHT:
            if (link->m_pRight->m_byBalance == AVL_RIGHT) {
                link->m_byBalance = link->m_pRight->m_byBalance = AVL_EVEN;
                RotateLeft(link);
            } else {
                DoubleRotateRightLeft(link);
            }
            return INSERT_DONE;
        default:
            Report("CheckRightBalance", __LINE__);
            return INSERT_FAIL;
        }
    }

    // The left subtree of link lost one level; true when link's subtree lost one level too.
    static bool ShrunkLeftNode(Node*& link)
    {
        switch (link->m_byBalance) {
        case AVL_LEFT:
            link->m_byBalance = AVL_EVEN;
            return true;
        case AVL_EVEN:
            link->m_byBalance = AVL_RIGHT;
            return false;
        default: {
            Node* pRight = link->m_pRight;
            if (pRight->m_byBalance == AVL_EVEN) {
                link->m_byBalance = AVL_RIGHT;
                pRight->m_byBalance = AVL_LEFT;
                RotateLeft(link);
                return false;
            }
            if (pRight->m_byBalance == AVL_RIGHT) {
                link->m_byBalance = pRight->m_byBalance = AVL_EVEN;
                RotateLeft(link);
                return true;
            }
            DoubleRotateRightLeft(link);
            return true;
        }
        }
    }

    static bool ShrunkRightNode(Node*& link)
    {
        switch (link->m_byBalance) {
        case AVL_RIGHT:
            link->m_byBalance = AVL_EVEN;
            return true;
        case AVL_EVEN:
            link->m_byBalance = AVL_LEFT;
            return false;
        default: {
            Node* pLeft = link->m_pLeft;
            if (pLeft->m_byBalance == AVL_EVEN) {
                link->m_byBalance = AVL_LEFT;
                pLeft->m_byBalance = AVL_RIGHT;
                RotateRight(link);
                return false;
            }
            if (pLeft->m_byBalance == AVL_LEFT) {
                link->m_byBalance = pLeft->m_byBalance = AVL_EVEN;
                RotateRight(link);
                return true;
            }
            DoubleRotateLeftRight(link);
            return true;
        }
        }
    }

    // Detaches the highest node of the subtree at link and returns it.
    static Node* FindHighest(Node*& link, bool& bShrunk)
    {
        if (link->m_pRight) {
            Node* pHighest = FindHighest(link->m_pRight, bShrunk);
            if (bShrunk)
                bShrunk = ShrunkRightNode(link);
            return pHighest;
        }
        Node* pHighest = link;
        link = pHighest->m_pLeft;
        if (link)
            link->m_pParent = pHighest->m_pParent;
        bShrunk = true;
        return pHighest;
    }

    // Detaches the lowest node of the subtree at link and returns it.
    static Node* FindLowest(Node*& link, bool& bShrunk)
    {
        if (link->m_pLeft) {
            Node* pLowest = FindLowest(link->m_pLeft, bShrunk);
            if (bShrunk)
                bShrunk = ShrunkLeftNode(link);
            return pLowest;
        }
        Node* pLowest = link;
        link = pLowest->m_pRight;
        if (link)
            link->m_pParent = pLowest->m_pParent;
        bShrunk = true;
        return pLowest;
    }

    bool DeleteNodeOf(Node*& link, const CXAVLKey& key, bool& bShrunk)
    {
        if (!link)
            return false;
        const int c = CXCompareAVLKey(KeyOf(link), key);
        if (c > 0) {
            if (!DeleteNodeOf(link->m_pLeft, key, bShrunk))
                return false;
            if (bShrunk)
                bShrunk = ShrunkLeftNode(link);
            return true;
        }
        if (c < 0) {
            if (!DeleteNodeOf(link->m_pRight, key, bShrunk))
                return false;
            if (bShrunk)
                bShrunk = ShrunkRightNode(link);
            return true;
        }

        Node* pNode = link;
        if (pNode->m_pLeft || pNode->m_pRight) {
            // The replacement comes out of the left subtree when there is one, else the right.
            const bool bFromLeft = pNode->m_pLeft != nullptr;
            Node* pSubstitute = bFromLeft ? FindHighest(pNode->m_pLeft, bShrunk)
                                          : FindLowest(pNode->m_pRight, bShrunk);
            pSubstitute->m_pLeft = pNode->m_pLeft;
            pSubstitute->m_pRight = pNode->m_pRight;
            pSubstitute->m_pParent = pNode->m_pParent;
            pSubstitute->m_byBalance = pNode->m_byBalance;
            if (pSubstitute->m_pLeft)
                pSubstitute->m_pLeft->m_pParent = pSubstitute;
            if (pSubstitute->m_pRight)
                pSubstitute->m_pRight->m_pParent = pSubstitute;
            link = pSubstitute;
            if (bShrunk)
                bShrunk = bFromLeft ? ShrunkLeftNode(link) : ShrunkRightNode(link);
        } else {
            link = nullptr;
            bShrunk = true;
        }
        FreeData(pNode);
        delete pNode;
        --m_dwCount;
        return true;
    }

    void RemoveAllNode(Node*& link)
    {
        if (!link)
            return;
        RemoveAllNode(link->m_pLeft);
        RemoveAllNode(link->m_pRight);
        FreeData(link);
        delete link;
        link = nullptr;
        --m_dwCount;
    }

    template <class F>
    static void Walk(const Node* pNode, F& f)
    {
        if (!pNode)
            return;
        Walk(pNode->m_pLeft, f);
        f(pNode->m_pData);
        Walk(pNode->m_pRight, f);
    }
};
