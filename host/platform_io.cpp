#include "platform_io.h"

#include <cerrno>
#include <climits>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vyxmath::host {

#ifdef _WIN32

long read_some(int fd, char* buffer, std::size_t size) {
    const unsigned chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned>(size);
    return _read(fd, buffer, chunk);
}

bool write_all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const unsigned chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned>(size);
        const int written = _write(fd, data, chunk);
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void use_binary_standard_streams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

int open_for_reading(const char* path) { return _open(path, _O_RDONLY | _O_BINARY); }
void close_file(int fd) { _close(fd); }
bool is_terminal(int fd) { return _isatty(fd) != 0; }

#else

long read_some(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0 || errno != EINTR) return static_cast<long>(got);
    }
}

bool write_all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void use_binary_standard_streams() {}

int open_for_reading(const char* path) { return ::open(path, O_RDONLY | O_CLOEXEC); }
void close_file(int fd) { ::close(fd); }
bool is_terminal(int fd) { return ::isatty(fd) != 0; }

#endif

}  // namespace vyxmath::host
