#pragma once

#include <string>

namespace tamrik {

// Whether two paths name the same file (same device and inode, so links and other spellings of a
// path are caught). False when either does not exist.
bool SameFile(const std::string& first, const std::string& second);

}  // namespace tamrik
