// Pins the GL driver's libraries before the first context (see gl_driver_pin.h). The names are the
// ones the loaders ask for: the GL and GLX vendor libraries the window system's contexts come from,
// the EGL and EGL vendor libraries SDL turns to when it runs without a display connection (its
// offscreen video driver, which unloads EGL with its last window), and the DRI driver the software
// rasteriser runs in under both (its path found when the build is configured).
#include "support/gl_driver_pin.h"

#include <dlfcn.h>

#include <cstdio>

namespace {

std::vector<GlDriverLibrary> PinAll()
{
    std::vector<GlDriverLibrary> pins;
    for (const char* name :
         {"libGL.so.1", "libGLX_mesa.so.0", "libEGL.so.1", "libEGL_mesa.so.0", CX_GL_DRIVER_PATH}) {
        // Loaded now if not loaded yet; the loader's own later dlopen finds this same copy.
        void* handle = dlopen(name, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (handle) {
            pins.push_back({name, true, {}});
            continue;
        }
        const char* why = dlerror();
        pins.push_back({name, false, why ? why : "unknown error"});
        std::fprintf(stderr,
                     "GL driver library %s is not pinned (%s): leak reports may show its "
                     "frames as unknown\n",
                     name, pins.back().error.c_str());
    }
    return pins;
}

// Pins at static initialisation, before any test can open a context.
[[maybe_unused]] const auto& g_pinnedAtStart = GlDriverPins();

}  // namespace

const std::vector<GlDriverLibrary>& GlDriverPins()
{
    static const std::vector<GlDriverLibrary> pins = PinAll();
    return pins;
}
