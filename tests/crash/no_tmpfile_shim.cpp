// Preloaded into a test to stand for a file system without unnamed temporary files (FAT,
// many network file systems): every open with O_TMPFILE fails as it does there. A writer that
// wanted unnamed temporary files would have to do without them here.
#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdarg>

namespace {
bool unnamed(int flags) {
    return (flags & O_TMPFILE) == O_TMPFILE;
}

template <typename Fn>
Fn next(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

mode_t modeOf(int flags, va_list args) {
    return (flags & O_CREAT) || unnamed(flags) ? static_cast<mode_t>(va_arg(args, int)) : 0;
}
}  // namespace

#define OPEN_SHIM(name)                                                 \
    extern "C" int name(const char* path, int flags, ...) {             \
        va_list args;                                                   \
        va_start(args, flags);                                          \
        const mode_t mode = modeOf(flags, args);                        \
        va_end(args);                                                   \
        if (unnamed(flags)) {                                           \
            errno = EOPNOTSUPP;                                         \
            return -1;                                                  \
        }                                                               \
        static auto real = next<int (*)(const char*, int, ...)>(#name); \
        return real(path, flags, mode);                                 \
    }
#define OPENAT_SHIM(name)                                                    \
    extern "C" int name(int dirfd, const char* path, int flags, ...) {       \
        va_list args;                                                        \
        va_start(args, flags);                                               \
        const mode_t mode = modeOf(flags, args);                             \
        va_end(args);                                                        \
        if (unnamed(flags)) {                                                \
            errno = EOPNOTSUPP;                                              \
            return -1;                                                       \
        }                                                                    \
        static auto real = next<int (*)(int, const char*, int, ...)>(#name); \
        return real(dirfd, path, flags, mode);                               \
    }

OPEN_SHIM(open)
OPEN_SHIM(open64)
OPENAT_SHIM(openat)
OPENAT_SHIM(openat64)
