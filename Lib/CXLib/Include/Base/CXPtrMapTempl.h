#pragma once
// Ordered map from a key to an object it owns: the map deletes its objects when it is cleared
// with deletion or destroyed.

#include <map>

template <class K, class T>
class CXPtrMapTempl {
public:
    using Map = std::map<K, T*>;

    CXPtrMapTempl() = default;
    CXPtrMapTempl(const CXPtrMapTempl&) = delete;
    CXPtrMapTempl& operator=(const CXPtrMapTempl&) = delete;
    virtual ~CXPtrMapTempl() { RemoveAll(true); }

    // Maps the key to the object; an object the key mapped before is deleted. False for null.
    bool Insert(const K& key, T* pData)
    {
        if (!pData)
            return false;
        auto [it, inserted] = m_Map.try_emplace(key, pData);
        if (!inserted && it->second != pData) {
            delete it->second;
            it->second = pData;
        }
        return true;
    }

    T* Find(const K& key) const
    {
        auto it = m_Map.find(key);
        return it == m_Map.end() ? nullptr : it->second;
    }

    // Forgets the key; its object is deleted with bDelete, else handed back to the caller.
    T* Remove(const K& key, bool bDelete)
    {
        auto it = m_Map.find(key);
        if (it == m_Map.end())
            return nullptr;
        T* pData = it->second;
        m_Map.erase(it);
        if (bDelete) {
            delete pData;
            return nullptr;
        }
        return pData;
    }

    void RemoveAll(bool bDeleteObjects)
    {
        if (bDeleteObjects)
            for (auto& entry : m_Map)
                delete entry.second;
        m_Map.clear();
    }

    size_t GetCount() const { return m_Map.size(); }
    typename Map::const_iterator begin() const { return m_Map.begin(); }
    typename Map::const_iterator end() const { return m_Map.end(); }

private:
    Map m_Map;
};
