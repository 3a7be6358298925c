#include "app/driver_modules.h"

#if defined(__SANITIZE_ADDRESS__)
#define FLOEBOUND_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FLOEBOUND_LEAK_CHECKED 1
#endif
#endif

#ifdef FLOEBOUND_LEAK_CHECKED

#include <cstddef>

#include <dlfcn.h>
#include <link.h>

namespace floebound {
namespace {

int keep_loaded(dl_phdr_info* module, std::size_t, void*) {
    // RTLD_NOLOAD only takes another reference; RTLD_NODELETE makes every
    // later dlclose leave the module mapped. The handle is kept on purpose.
    if (module->dlpi_name && module->dlpi_name[0]) dlopen(module->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

}  // namespace

void keep_driver_modules_loaded() { dl_iterate_phdr(keep_loaded, nullptr); }

}  // namespace floebound

#else

namespace floebound {

void keep_driver_modules_loaded() {}

}  // namespace floebound

#endif
