// The little the host needs from the operating system's I/O, for POSIX and
// Windows: raw reads that return what is available, complete writes, and
// binary standard streams (no line-break translation on Windows).
#pragma once

#include <cstddef>

namespace vyxmath::host {

// Reads up to `size` bytes from file descriptor `fd`, waiting only until some
// are available. Returns the count, 0 at the end of the input, -1 on error.
long read_some(int fd, char* buffer, std::size_t size);

// Writes all `size` bytes to `fd`; false on error.
bool write_all(int fd, const char* data, std::size_t size);

// Puts standard input and output into binary mode.
void use_binary_standard_streams();

// Opens a file for reading in binary mode: its descriptor, or -1 with errno set.
int open_for_reading(const char* path);
void close_file(int fd);

// Whether `fd` is a terminal.
bool is_terminal(int fd);

}  // namespace vyxmath::host
