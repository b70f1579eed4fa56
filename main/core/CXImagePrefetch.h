#pragma once
// Decodes the images of the load walk on worker threads ahead of it, in the walk's order, so that
// the UI thread only turns decoded pixels into textures. At most kAhead entries past the one the
// walk last took are decoded at a time, which bounds the memory they hold.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/image.h"

class CXImagePrefetch {
public:
    static constexpr size_t kAhead = 256;

    // One entry per file of the walk, in its order; only entries marked as images are decoded.
    CXImagePrefetch(std::vector<std::string> paths, std::vector<bool> images, int threads);
    // Stops the workers and waits for them.
    ~CXImagePrefetch();
    CXImagePrefetch(const CXImagePrefetch&) = delete;
    CXImagePrefetch& operator=(const CXImagePrefetch&) = delete;

    // The decoded pixels of entry `index`, waiting for them; false when the entry is no image or
    // its file could not be read or decoded. Each entry is taken once, and entries before it are
    // let go.
    bool Take(size_t index, ImageData& out);

    // Worker threads for a walk: the machine's cores but the UI thread's, at most four.
    static int WorkerCount();
    // Makes the device's texture of every image of `paths`, in order, decoding on workers; a file
    // that fails is left for its loader to load and report.
    static void PreloadTextures(std::vector<std::string> paths);

private:
    enum State : uint8_t { kWaiting, kDecoded, kFailed };
    void Work();

    std::mutex m_lock;
    std::condition_variable m_decoded;  // an entry was decoded or failed
    std::condition_variable m_room;     // the walk moved on, or stop
    const std::vector<std::string> m_paths;
    const std::vector<bool> m_images;
    std::vector<ImageData> m_pixels;
    std::vector<State> m_states;
    size_t m_next = 0;   // the next entry a worker claims
    size_t m_taken = 0;  // the entry the walk takes (or last took)
    bool m_stop = false;
    std::vector<std::thread> m_workers;
};
