#include "CXImagePrefetch.h"

#include <algorithm>

#include "CXGfxDevice.h"

CXImagePrefetch::CXImagePrefetch(std::vector<std::string> paths, std::vector<bool> images,
                                 int threads)
    : m_paths(std::move(paths)), m_images(std::move(images)), m_pixels(m_paths.size()),
      m_states(m_paths.size(), kWaiting)
{
    for (int i = 0; i < threads; ++i)
        m_workers.emplace_back(&CXImagePrefetch::Work, this);
}

CXImagePrefetch::~CXImagePrefetch()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
    }
    m_room.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

void CXImagePrefetch::Work()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_room.wait(lock, [this] {
            return m_stop || m_next >= m_paths.size() || m_next < m_taken + kAhead;
        });
        if (m_stop || m_next >= m_paths.size())
            return;
        const size_t index = m_next++;
        if (index < m_taken || !m_images[index]) {
            m_states[index] = kFailed;
            continue;
        }
        lock.unlock();
        ImageData image;
        const bool ok = CXGfxDevice::Texture_Decode(m_paths[index].c_str(), image);
        lock.lock();
        if (ok && index >= m_taken)
            m_pixels[index] = std::move(image);
        m_states[index] = ok ? kDecoded : kFailed;
        m_decoded.notify_all();
    }
}

bool CXImagePrefetch::Take(size_t index, ImageData& out)
{
    std::unique_lock<std::mutex> lock(m_lock);
    if (index >= m_paths.size() || index < m_taken || m_workers.empty())
        return false;
    // Entries the walk passed are let go.
    for (size_t i = m_taken; i < index; ++i)
        m_pixels[i] = ImageData{};
    m_taken = index;
    m_room.notify_all();
    m_decoded.wait(lock, [&] { return m_states[index] != kWaiting; });
    const bool ok = m_states[index] == kDecoded;
    if (ok)
        out = std::move(m_pixels[index]);
    m_pixels[index] = ImageData{};
    // A second take (the walk retrying a file) finds nothing and loads the file itself.
    m_states[index] = kFailed;
    return ok;
}

int CXImagePrefetch::WorkerCount()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(cores > 1 ? cores - 1 : 1u, 1u, 4u));
}

void CXImagePrefetch::PreloadTextures(std::vector<std::string> paths)
{
    if (!g_pGfxDevice || paths.empty())
        return;
    const size_t count = paths.size();
    CXImagePrefetch prefetch(std::move(paths), std::vector<bool>(count, true), WorkerCount());
    for (size_t i = 0; i < count; ++i) {
        ImageData image;
        if (prefetch.Take(i, image))
            g_pGfxDevice->Texture_LoadDecoded(prefetch.m_paths[i].c_str(), image);
    }
}
