#pragma once

#include <cstdint>

namespace tamrik {

// Owners drive a grid with numbered messages and two parameters (Grid::message); the numbers are
// offsets from the window-message base that the rest of the program shares.
inline constexpr int kWmUser = 0x400;

enum GridMessage : int {
    GM_SETREADONLY = kWmUser + 1,   // GridCell*, 0 editable / non-zero read-only
    GM_SETCELLTEXT = kWmUser + 3,   // GridCell* (its read-only field is used), const char* text
    GM_SETSIZE = kWmUser + 6,       // rows, columns
    GM_DELETECELL = kWmUser + 7,    // GridCell*
    GM_SETCURSEL = kWmUser + 8,     // row, column
    GM_SETAUTOGROW = kWmUser + 9,   // flag
    GM_SETCOLWIDTH = kWmUser + 11,  // column 0..100, width >= 0
    GM_SETHEADERHEIGHT = kWmUser + 12,
    GM_SETCOLGAP = kWmUser + 13,
    GM_DRAWFOCUS = kWmUser + 15,
    GM_SETROWHEIGHT = kWmUser + 16,
    GM_SETFOCUSCOLOR = kWmUser + 17,  // colour 0x00BBGGRR
    GM_SETREADONLYCOLOR = kWmUser + 18,
    GM_SETDEFAULTCOLOR = kWmUser + 19,
    GM_SETROWHIGHLIGHT = kWmUser + 22,
    GM_GETCURROW = kWmUser + 27,
    GM_GETCURCOL = kWmUser + 28,
    GM_SETTITLEHEIGHT = kWmUser + 33,
    GM_SETHIGHLIGHTCOLOR = kWmUser + 34,
    GM_SETHIGHLIGHTTEXTCOLOR = kWmUser + 35,
    GM_ALLOWTYPING = kWmUser + 36,
    GM_SETLINECOLOR = kWmUser + 37,
    GM_SETEXTENDLAST = kWmUser + 38,
    GM_ENDEDIT = kWmUser + 40,
    GM_SETAUTOSIZE = kWmUser + 41,
    GM_ALLOWCOLRESIZE = kWmUser + 42,
    GM_SETTITLEFONT = kWmUser + 43,   // const QFont*
    GM_SETHEADERFONT = kWmUser + 44,  // const QFont*
    GM_GETCELLCOLOR = kWmUser + 45,   // GridCell*
    GM_SETCELLCOLOR = kWmUser + 46,   // GridCell*, colour 0x00BBGGRR
    GM_SETDBLCLKNOTIFY = kWmUser + 47,
    GM_GETCELL = kWmUser + 48,  // GridCell*; 0 when the cell has a record, -1 otherwise
    // Asked of the owner when an edit is committed: first parameter the control id (low 16 bits)
    // and the column (high 16 bits), second the edit text (const char*). Non-zero rejects the text.
    GM_ACCEPTEDIT = kWmUser + 49,
};

// Codes the grid reports to its owner. Unless said otherwise the accompanying value packs the current
// row (low 16 bits) and column (high 16 bits) as they are after the change.
enum GridNotification : int {
    GN_SELCHANGE = 5,  // follows every GN_ROWCHANGE and GN_COLCHANGE
    GN_ROWCHANGE = 6,
    GN_COLCHANGE = 7,
    GN_EDITSTART = 8,     // first character or backspace of a new edit
    GN_DELETEKEY = 9,     // the grid itself changes nothing
    GN_CELLCHANGED = 10,  // an edit was stored or cancelled, or a cell was deleted
    GN_HELPKEY = 11,
    GN_SETFOCUS = 23,   // value 0
    GN_KILLFOCUS = 24,  // value 0
    GN_CLICK = 25,
    GN_DBLCLK = 26,
    GN_RCLICK = 27,
    GN_ROWDRAG = 28,  // value: press row (low 16 bits), release row (high 16 bits)
};

constexpr std::uint32_t GridPack(int low, int high) {
    return (static_cast<std::uint32_t>(low) & 0xFFFFu) | ((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16);
}
constexpr int GridLowWord(std::uint64_t value) { return static_cast<int>(value & 0xFFFFu); }
constexpr int GridHighWord(std::uint64_t value) { return static_cast<int>((value >> 16) & 0xFFFFu); }

}  // namespace tamrik
