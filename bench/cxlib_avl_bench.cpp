// CXAVLTreeTmpl against std::map under the same order (shorter key first, then bytes):
// insert, find and delete of 100k keys.

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "CXAVLTreeTmpl.h"
#include "CXString.h"

namespace {

constexpr int kKeys = 100000;

struct Entry {
    explicit Entry(const std::string& key) : m_strKey(key.c_str()) {}
    virtual ~Entry() = default;
    const CXString& GetKey() const { return m_strKey; }
    CXString m_strKey;
};

struct ShorterFirst {
    bool operator()(const std::string& a, const std::string& b) const
    {
        if (a.size() != b.size())
            return a.size() < b.size();
        return std::memcmp(a.data(), b.data(), a.size()) < 0;
    }
};

const std::vector<std::string>& Keys()
{
    static const std::vector<std::string> keys = [] {
        std::mt19937 rng(2026);
        std::vector<std::string> k;
        k.reserve(kKeys);
        for (int i = 0; i < kKeys; ++i)
            k.push_back("KEY_" + std::to_string(rng()));
        return k;
    }();
    return keys;
}

void BM_AVL_InsertFindDelete(benchmark::State& state)
{
    const auto& keys = Keys();
    for (auto _ : state) {
        CXAVLTreeTmpl<Entry> tree;
        for (const auto& k : keys)
            tree.Insert(new Entry(k));
        size_t found = 0;
        for (const auto& k : keys)
            found += tree.FindNode(k.c_str()) != nullptr;
        for (const auto& k : keys)
            tree.DeleteNode(k.c_str());
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kKeys * 3);
}
BENCHMARK(BM_AVL_InsertFindDelete)->Unit(benchmark::kMillisecond);

void BM_StdMap_InsertFindDelete(benchmark::State& state)
{
    const auto& keys = Keys();
    for (auto _ : state) {
        std::map<std::string, Entry*, ShorterFirst> map;
        for (const auto& k : keys) {
            Entry*& slot = map[k];
            delete slot;
            slot = new Entry(k);
        }
        size_t found = 0;
        for (const auto& k : keys)
            found += map.find(k) != map.end();
        for (const auto& k : keys) {
            auto it = map.find(k);
            if (it != map.end()) {
                delete it->second;
                map.erase(it);
            }
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kKeys * 3);
}
BENCHMARK(BM_StdMap_InsertFindDelete)->Unit(benchmark::kMillisecond);

}  // namespace
