#pragma once

#include <cstdio>
#include <string>

namespace tamrik {

// The key of a numbered settings family, e.g. EditorKey("Zone_%d", 5) is "Zone_5".
inline std::string EditorKey(const char* format, int number) {
    char key[64];
    std::snprintf(key, sizeof key, format, number);
    return key;
}

inline std::string EditorKey(const char* format, int first, int second) {
    char key[64];
    std::snprintf(key, sizeof key, format, first, second);
    return key;
}

// The program title that the editors' messages carry.
inline constexpr const char* kEditorMessageTitle = "5300 Commissioning software";

}  // namespace tamrik
