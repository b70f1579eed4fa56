// A GL program that leaks on purpose, to check the leak checking of the GL test programs. It opens
// a context and draws a textured quad through the real driver as those tests do, drops every
// reference to the driver's libraries as a driver unloading itself would, then loses one block of
// its own. Run under LeakSanitizer with the project's suppressions, the report must name exactly
// that block: the driver's libraries stay mapped (support/gl_driver_pin.h), so its allocations
// are reachable or matched by the suppressions, and the suppressions do not hide a leak of ours.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <thread>

#include "platform/gpu.h"
#include "support/gl_driver_pin.h"

namespace {

// Draws a quad of a red texel under white into a 4x4 target; true when the target reads back red.
bool DrawThroughDriver()
{
    auto device = GpuDevice::CreateHeadless(16, 16);
    if (!device) {
        std::fprintf(stderr, "no GL device: %s\n", GpuDevice::LastError());
        return false;
    }
    GpuTexture* target = device->CreateRenderTarget(4, 4, GPU_FORMAT_A8R8G8B8);
    GpuTexture* texture = device->CreateTexture(1, 1, GPU_FORMAT_A8R8G8B8);
    const uint32_t red = 0xFFFF0000;
    if (!target || !texture || !device->Upload(texture, &red, 4) ||
        !device->SetRenderTarget(target, nullptr)) {
        std::fprintf(stderr, "GL resources could not be made\n");
        return false;
    }
    float matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    device->SetView(matrix);
    GpuDevice::OrthoProjection(0, 0, 4, 4, matrix);
    device->SetProjection(matrix);
    device->SetTexture(texture);
    device->Clear(0xFF000000, false);
    GpuVertex* v = device->LockVertices();
    v[0] = {0, 0, 0, 0xFFFFFFFF, 0, 0};
    v[1] = {4, 0, 0, 0xFFFFFFFF, 1, 0};
    v[2] = {4, 4, 0, 0xFFFFFFFF, 1, 1};
    v[3] = {0, 4, 0, 0xFFFFFFFF, 0, 1};
    device->UnlockVertices();
    device->Draw(GpuPrimitive::Quads, 1);
    uint32_t pixel = 0;
    const GpuRect corner{3, 3, 1, 1};
    const bool drawn = device->ReadPixels(target, &corner, &pixel) && pixel == red;
    if (!drawn)
        std::fprintf(stderr, "the quad did not draw: read %08X\n", unsigned(pixel));
    device->SetRenderTarget(nullptr, nullptr);
    device->DestroyTexture(texture);
    device->DestroyTexture(target);
    return drawn;
}

// Closes each driver library until the loader holds no reference to it, the state in which an
// unpinned library is unmapped. Each round takes a reference and gives back two. The loader
// ignores closes of a pinned library, so the rounds are bounded: far more than the driver's own
// references, which an unpinned library runs out of first.
void DropDriverReferences()
{
    for (const GlDriverLibrary& pin : GlDriverPins()) {
        for (int round = 0; round < 1000; ++round) {
            void* handle = dlopen(pin.name.c_str(), RTLD_NOW | RTLD_NOLOAD);
            if (!handle)
                break;
            dlclose(handle);
            dlclose(handle);
        }
    }
}

// 4321 bytes, a size the driver is unlikely to match, allocated and dropped.
[[gnu::noinline]] void LeakOnPurpose()
{
    char* volatile block = new char[4321];
    block[0] = 1;
}

}  // namespace

int main()
{
    if (!DrawThroughDriver())
        return 2;
    DropDriverReferences();
    // On a thread that then ends: no stale copy of the pointer stays on a live stack, which the
    // leak check would count as a reference.
    std::thread(LeakOnPurpose).join();
    return 0;
}
