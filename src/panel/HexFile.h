#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tamrik {

// HexFileLoad refuses larger files, and anything that is not a regular file, before reading them.
inline constexpr std::size_t kHexFileMaxBytes = 16 * 1024 * 1024;

// Loads an Intel HEX file into `image` (which the caller has filled with 0xFF): data records go to
// image offset base + address, where extended segment (type 2) and extended linear (type 4) records
// set the base; bytes at or past `imageSize` are dropped; other record types, end-of-file included,
// are skipped and reading goes on (data records after the end-of-file record still load). Lines may
// be of any length and end in LF or CR LF.
//
// The file is refused when it can't be opened, when a line (an empty one too) does not start with
// ':', or when a record is not sound: a non-hexadecimal digit, fewer data bytes than its count, a
// wrong record checksum, or an address record without its two bytes; and when the file holds no
// end-of-file record (a cut download), naming its last line. `error` then names the line.
// Returns 1 when the file was read to its end, 0 when refused (the image may hold part of the file).
int HexFileLoad(const std::string& path, std::uint8_t* image, std::size_t imageSize, std::string* error = nullptr);

// The same over the file's bytes.
int HexFileParse(std::string_view contents, std::uint8_t* image, std::size_t imageSize, std::string* error = nullptr);

}  // namespace tamrik
