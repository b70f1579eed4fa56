#pragma once
// Makes the library's non-throwing allocations (new (std::nothrow)) fail on the calling thread,
// so a test can take a container's real out-of-memory path. Ordinary new is never touched.

// While it lives, the next nCount non-throwing allocations of this thread after the first nSkip
// return null.
class FailingAllocations {
public:
    explicit FailingAllocations(int nCount, int nSkip = 0);
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
    ~FailingAllocations();

    // Allocations refused so far.
    int GetRefused() const;
};
