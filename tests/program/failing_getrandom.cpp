// Preloaded into the program, stands in for the C library's getrandom: once the file named by
// TALVEX_RANDOM_FAILS exists, it fails as a broken system source would, with EIO; until then
// it hands the call on, so that the window opens as usual.
#include <cerrno>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/types.h>
#include <unistd.h>

extern "C" ssize_t getrandom(void* buffer, size_t length, unsigned int flags) {
    const char* trigger = std::getenv("TALVEX_RANDOM_FAILS");
    if (trigger != nullptr && access(trigger, F_OK) == 0) {
        errno = EIO;
        return -1;
    }
    using Getrandom = ssize_t (*)(void*, size_t, unsigned int);
    static const auto next = reinterpret_cast<Getrandom>(dlsym(RTLD_NEXT, "getrandom"));
    return next(buffer, length, flags);
}
