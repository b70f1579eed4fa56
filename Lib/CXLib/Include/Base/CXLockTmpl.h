#pragma once

#include <utility>

#include "CXLockFast.h"

// A lock glued to the one object it guards. Holders call Lock/UnLock (or use CXAutoLock) around
// every use of m_Data.
template <class T>
class CXLockTmpl : public CXLockFast {
public:
    template <class... Args>
    explicit CXLockTmpl(Args&&... args) : m_Data(std::forward<Args>(args)...)
    {}

    T& GetData() { return m_Data; }
    const T& GetData() const { return m_Data; }

    T m_Data;
};
