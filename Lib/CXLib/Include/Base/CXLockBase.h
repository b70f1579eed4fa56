#pragma once

// Interface through which containers and objects hold any lock. The base itself guards nothing:
// its Lock and UnLock succeed at once.
class CXLockBase {
public:
    CXLockBase() = default;
    CXLockBase(const CXLockBase&) = delete;
    CXLockBase& operator=(const CXLockBase&) = delete;
    virtual ~CXLockBase() = default;

    virtual int Lock() { return 1; }
    virtual int UnLock() { return 1; }
};
