#pragma once

#include <cstddef>
#include <string>

namespace tamrik {

// Reads a whole regular file of at most `maxBytes` bytes into `bytes`. Anything else (a folder, a
// FIFO, a device, a larger file) is refused before reading and without blocking. On failure returns
// false and, when given, puts the reason in `error` ("No such file or directory", "is not a regular
// file", "is larger than 16 MiB").
bool ReadFileBounded(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string* error = nullptr);

}  // namespace tamrik
