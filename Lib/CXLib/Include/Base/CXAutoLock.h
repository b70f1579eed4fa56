#pragma once

#include "CXLockBase.h"

// Scoped guard: locks on construction and unlocks on destruction, also when an exception passes.
// A null lock is allowed and guards nothing.
class CXAutoLock {
public:
    explicit CXAutoLock(CXLockBase* pLock) : m_pLock(pLock)
    {
        if (m_pLock != nullptr)
            m_pLock->Lock();
    }
    explicit CXAutoLock(CXLockBase& lock) : CXAutoLock(&lock) {}
    CXAutoLock(const CXAutoLock&) = delete;
    CXAutoLock& operator=(const CXAutoLock&) = delete;
    ~CXAutoLock()
    {
        if (m_pLock != nullptr)
            m_pLock->UnLock();
    }

private:
    CXLockBase* m_pLock;
};
