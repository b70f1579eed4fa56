// The GL driver's libraries are pinned in this program before main: each one was found, and each
// stays mapped after the last close of a handle of its own (which unmaps an unpinned library).
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "support/gl_driver_pin.h"

TEST(GlDriverPinTest, DriverLibrariesOutliveTheirLastClose)
{
    const auto& pins = GlDriverPins();
    ASSERT_FALSE(pins.empty());
    for (const GlDriverLibrary& pin : pins) {
        SCOPED_TRACE(pin.name);
        ASSERT_TRUE(pin.pinned) << pin.error;
        void* handle = dlopen(pin.name.c_str(), RTLD_NOW);
        ASSERT_NE(handle, nullptr) << dlerror();
        ASSERT_EQ(dlclose(handle), 0) << dlerror();
        void* still = dlopen(pin.name.c_str(), RTLD_NOW | RTLD_NOLOAD);
        EXPECT_NE(still, nullptr) << "unmapped by its last close";
        if (still)
            dlclose(still);
    }
}
