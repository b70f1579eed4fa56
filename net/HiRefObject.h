#pragma once

#include <cstdint>
#include <utility>

// Root of every class of the network library.
class HiMemObject {
public:
    virtual ~HiMemObject() = default;
};

// Intrusive reference count. The count is a plain integer: every AddRef/Release pair of one object
// happens on one thread or under the lock of the object's owner.
class HiRefObject : public HiMemObject {
public:
    HiRefObject() = default;
    HiRefObject(const HiRefObject&) = delete;
    HiRefObject& operator=(const HiRefObject&) = delete;

    virtual void AddRef() { ++m_nRefCount; }
    // Deletes the object when the last reference goes.
    virtual void Release()
    {
        if (--m_nRefCount == 0)
            delete this;
    }
    int32_t GetRefCount() const { return m_nRefCount; }

protected:
    // Pure: only derived objects exist, so a compiler that guesses the dynamic type behind
    // `delete this` never guesses a bare HiRefObject (a base that may sit at an offset inside its
    // object, as in NetworkClient).
    ~HiRefObject() override = 0;

private:
    int32_t m_nRefCount = 0;
};

inline HiRefObject::~HiRefObject() = default;

// Holds one reference to a HiRefObject-derived T.
template <class T>
class HiPointer : public HiMemObject {
public:
    HiPointer() = default;
    explicit HiPointer(T* p) : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    HiPointer(const HiPointer& o) : HiPointer(o.m_p) {}
    HiPointer(HiPointer&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ~HiPointer() override
    {
        if (m_p)
            m_p->Release();
    }
    HiPointer& operator=(HiPointer o) noexcept
    {
        std::swap(m_p, o.m_p);
        return *this;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
