#include "settings/AtomicFile.h"

#include "platform/FileSave.h"

namespace tamrik {

bool AtomicFile::write(const std::string& path, std::string_view bytes, std::string* error) {
    return SaveFileReplacing(path, bytes, error, failAfterBytesForTesting);
}

}  // namespace tamrik
