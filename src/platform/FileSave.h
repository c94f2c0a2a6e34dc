#pragma once

#include <string>
#include <string_view>

namespace tamrik {

// Replaces the file at `path` with `bytes`, whole or not at all. A symbolic link is followed and its
// final target replaced; an existing target keeps its mode (and owner and group where this process
// may set them); a target that exists and is not a regular file is refused. The bytes go to a
// temporary file beside the target, which is synced, renamed into place and its folder synced. On
// any failure the target is untouched, the temporary file removed, and `error` (when given) says why
// in the system's words. Temporary files of the same target left by an earlier run that was killed
// are removed.
//
// `failAfterBytes` >= 0 makes the write fail with "No space left on device" once that many bytes
// have been written (for tests of the failure path).
bool SaveFileReplacing(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                       long long failAfterBytes = -1);

// The name a temporary file for `targetName` takes, up to the random part: stale temporaries of one
// target are recognised by it.
std::string SaveTemporaryPrefix(const std::string& targetName);

}  // namespace tamrik
