#include "settings/SiteFile.h"

#include <cstdio>
#include <cstring>

#include "platform/FileRead.h"
#include "settings/AtomicFile.h"

namespace tamrik {
namespace {

bool isBlankOrControl(unsigned char c) { return c >= 1 && c <= 32; }
bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Handles one line. Lines are taken whole, however long: a value of up to 1023 bytes written at four
// characters per escaped byte must load back as it was saved.
void parseLine(std::string_view piece, SettingsStore& store, std::uint32_t& checkValue) {
    piece = piece.substr(0, piece.find('\0'));
    const auto equals = piece.find('=');
    if (equals == std::string_view::npos) return;
    std::string_view key = piece.substr(0, equals);
    while (!key.empty() && isBlankOrControl(static_cast<unsigned char>(key.back()))) key.remove_suffix(1);
    const auto open = piece.find('"', equals + 1);
    if (open == std::string_view::npos) return;
    const auto close = piece.find('"', open + 1);
    if (close == std::string_view::npos) return;

    std::string value(piece.substr(open + 1, close - open - 1));
    SiteFileUnescape(value.data());
    value.resize(std::strlen(value.c_str()));

    if (key == "Check") {
        checkValue = ParseUnsigned32(value);
        return;
    }
    store.put(key, value);
}

}  // namespace

std::string SiteFileEscape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x80 || byte == '\\' || byte == '"') {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

std::string SiteFileFormat(const SettingsStore& store) {
    std::string out;
    const std::uint32_t checksum = store.checksum();
    out.reserve(store.size() * 40 + 32);
    for (const auto [key, value] : store) {
        out += key;
        out += " = \"";
        out += SiteFileEscape(value);
        out += "\"\r\n";
    }
    out += "Check = \"" + std::to_string(checksum) + "\"\r\n";
    return out;
}

bool SiteFileWrite(const std::string& path, const SettingsStore& store, std::string* error) {
    return AtomicFile::write(path, SiteFileFormat(store), error);
}

void SiteFileUnescape(char* value) {
    const std::size_t length = std::strlen(value);
    std::size_t in = 0;
    std::size_t out = 0;
    while (in < length) {
        if (value[in] != '\\') {
            value[out++] = value[in++];
            continue;
        }
        const std::size_t available = std::min<std::size_t>(3, length - in - 1);
        std::size_t i = in + 1;
        const std::size_t end = i + available;
        while (i < end && isSpace(value[i])) ++i;
        bool negative = false;
        if (i < end && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
        unsigned number = 0;
        for (; i < end && value[i] >= '0' && value[i] <= '7'; ++i) number = number * 8 + unsigned(value[i] - '0');
        if (negative) number = 0u - number;
        value[out++] = static_cast<char>(number & 0xFF);
        in += 1 + available;
    }
    value[out] = '\0';
}

int SiteFileParse(std::string_view bytes, SettingsStore& store) {
    std::uint32_t checkValue = 0;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // CR LF is one line end
        parseLine(line, store, checkValue);
    }
    return store.checksum() == checkValue ? kSiteFileOk : kSiteFileBadCheck;
}

int SiteFileRead(const std::string& path, SettingsStore& store, std::string* reason) {
    std::string bytes;
    if (!ReadFileBounded(path, kSiteFileMaxBytes, bytes, reason)) return kSiteFileUnreadable;
    return SiteFileParse(bytes, store);
}

}  // namespace tamrik
