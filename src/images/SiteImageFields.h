#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tamrik {

// How a field of the site data image is held in the image and written as text.
enum class SiteFieldKind : std::uint8_t {
    Revision,     // 16-bit layout revision, "%d"
    Serial,       // 32-bit panel serial number, eight upper-case hex digits
    Byte,         // "%d"
    Word,         // 16-bit, "%d"
    Mask,         // 32-bit bit mask written as a signed decimal number
    BeaconRate,   // byte 0..2; anything above decodes as 2
    FiveSeconds,  // byte count of 5-second steps, "M:SS"; counts above `arg` decode as `arg` x 5 s
    HalfSeconds,  // byte count of half seconds, "S.D"
    TimeOfDay,    // hour byte then minute byte, "H:MM"
    AccessCode,   // six digit bytes (values 0..9), last digit first
    Flag,         // bit `arg` of the byte, "1" / "0"
    DisplayMode,  // bits 1-2 of the byte, "%u"
    Matrix,       // 32 rows of two 32-bit words of 2-bit entries, letters "OCPW"
    AlarmTypes,   // two 32-bit words of 2-bit entries, "%d"
    DisplayText,  // `count` slots of 21 bytes: 20 characters and a NUL
    SiteText,     // NUL-terminated text in a field of `arg` bytes
};

// One field (or one family of indexed fields) of the site data image at its revision-2 offset.
// For a family (`count` above 1) the key is a prefix completed by the 1-based index; the matrix
// key is "Matrix_<input>_<output>".
struct SiteField {
    const char* key;
    std::uint16_t offset;
    SiteFieldKind kind;
    std::uint8_t count;
    std::uint16_t arg;
};

// Every field in image order, which is also the order in which decoding inserts the keys.
std::span<const SiteField> SiteImageFields();

// Revision 1 lacks the second user code: everything from this offset on lies 6 bytes lower.
constexpr std::size_t kRevision1MovedFrom = 5141;
constexpr std::size_t kRevision1Shift = 6;

}  // namespace tamrik
