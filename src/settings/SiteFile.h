#pragma once

#include <cstddef>
#include <string>

#include "settings/SettingsStore.h"

namespace tamrik {

// Site files: one line per store entry in slot order, `key = "escaped value"`, CR LF, closed by a
// `Check` line carrying the store checksum.

// The exact bytes SiteFileWrite puts in a file.
std::string SiteFileFormat(const SettingsStore& store);

// Writes the store atomically: the old file stays intact unless every byte of the new one was
// written. Returns false (with a reason in `error` when given) on any failure.
bool SiteFileWrite(const std::string& path, const SettingsStore& store, std::string* error = nullptr);

enum SiteFileResult : int { kSiteFileOk = 0, kSiteFileBadCheck = -1, kSiteFileUnreadable = -2 };

// The largest site file read; a real site is about 100 KiB.
inline constexpr std::size_t kSiteFileMaxBytes = 16 * 1024 * 1024;

// Merges the file's entries into the store. 0: checksum matches; -1: checksum differs or no Check
// line; -2: the file could not be opened, is not a regular file or is larger than kSiteFileMaxBytes
// (store untouched; the reason in `reason` when given).
int SiteFileRead(const std::string& path, SettingsStore& store, std::string* reason = nullptr);
// The same over bytes already in memory (never -2).
int SiteFileParse(std::string_view bytes, SettingsStore& store);

// Decodes backslash-octal escapes in place; the result never outgrows the input and an escape
// running past the end reads no further than the text.
void SiteFileUnescape(char* value);

std::string SiteFileEscape(std::string_view value);

}  // namespace tamrik
