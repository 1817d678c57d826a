#include "platform/platform.h"

#include "platform/fakeplatform.h"

namespace {
Platform* installed = nullptr;
Platform* (*defaultFactory)() = nullptr;
Platform* made = nullptr;
} // namespace

Platform& platform() {
    if (installed)
        return *installed;
    if (!made) {
        // Without a window system (engine tests, command-line tools) the double stands in,
        // answering every question with its default.
        made = defaultFactory ? defaultFactory() : new FakePlatform;
    }
    return *made;
}

void installPlatform(Platform* p) {
    installed = p;
}

void setDefaultPlatformFactory(Platform* (*factory)()) {
    defaultFactory = factory;
}
