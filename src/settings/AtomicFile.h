#pragma once

#include <string>
#include <string_view>

namespace tamrik {

// Writes a whole file or nothing: the bytes go to a temporary file in the target's folder, which is
// synced and renamed over the target only when every byte was written. Links are written through,
// the target keeps its mode, and a target that is not a regular file is refused. On failure the
// target is left as it was and the temporary file is removed.
class AtomicFile {
public:
    // Test hook: when set, the writer reports a failure once this many bytes have been written.
    static inline long long failAfterBytesForTesting = -1;

    static bool write(const std::string& path, std::string_view bytes, std::string* error = nullptr);
};

}  // namespace tamrik
