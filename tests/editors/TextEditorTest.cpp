#include <QKeyEvent>

#include "EditorTestSupport.h"
#include "ui/editors/LcdFont.h"
#include "ui/editors/LcdFrame.h"
#include "ui/editors/LcdTextWindow.h"
#include "ui/editors/TextEditor.h"

namespace tamrik::testing {
namespace {

constexpr const char* kPrompt = "     Edit Text      ";

// Double-clicks a text cell and returns the display window it opened.
LcdTextWindow* OpenDisplay(SiteEditor& editor, int row, int column) {
    DoubleClickCell(*editor.grid(), row, column);
    return qobject_cast<TextEditor*>(&editor)->displayWindow();
}

// Types into a display window opened on a cell and closes it with Enter.
void EditInDisplay(SiteEditor& editor, int row, int column, const char* typed) {
    QPointer<LcdTextWindow> window = OpenDisplay(editor, row, column);
    QVERIFY(window);
    QTest::keyClicks(window, QString::fromLatin1(typed));
    QTest::keyClick(window, Qt::Key_Return);
    QTRY_VERIFY(!window);  // closed and gone
}

// The text on a display line as drawn, read back by matching each cell's even pixel rows against the
// font: a mismatch moves on to the next glyph and starts the cell again.
std::string ReadLine(const LcdFrame& frame, int line) {
    std::string text;
    for (int column = 0; column < LcdFrame::kColumns; ++column) {
        int code = kLcdFirstGlyph;
        for (int bit = 0; code <= kLcdLastGlyph && bit < kLcdGlyphHeight * kLcdGlyphWidth; ++bit) {
            const int row = bit / kLcdGlyphWidth, x = bit % kLcdGlyphWidth;
            const bool lit = frame.pixel(column * 16 + x, line * 30 + 2 * row) == LcdFrame::kWhite;
            const auto glyph = LcdGlyph(static_cast<unsigned char>(code));
            if (lit != ((glyph[static_cast<std::size_t>(row)] & (0x80 >> x)) != 0)) ++code, bit = -1;
        }
        text += code <= kLcdLastGlyph ? static_cast<char>(code) : '?';
    }
    return text;
}

bool CellInverted(const LcdFrame& frame, int column, int line) {
    // Glyph row 0 is blank in every glyph, so it is lit only when inverted.
    return frame.pixel(column * 16, line * 30) == LcdFrame::kWhite;
}

// Plays keys on a display window: '<' and '>' are the arrow keys, '~' Backspace; anything else is typed.
void Play(LcdTextWindow& window, const char* keys) {
    for (const char* key = keys; *key; ++key) {
        if (*key == '<' || *key == '>' || *key == '~') {
            QTest::keyClick(&window, *key == '<' ? Qt::Key_Left : *key == '>' ? Qt::Key_Right : Qt::Key_Backspace);
        } else {
            QTest::keyClicks(&window, QString(QLatin1Char(*key)));
        }
    }
}

}  // namespace

class TextEditorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { editor_message_test::Enable(true); }

    // Missing device texts show "NULL"; there are 32 zone texts and 4 banner lines.
    void showsDeviceZoneAndBannerTexts() {
        auto site = DefaultSite();
        Put(site, {{"DeviceText_1", "   Reception MCP    "}, {"ZoneText_2", "  Ground floor east "}});
        Put(site, {{"DeviceText_4", nullptr}});
        auto editor = OpenEditor(EditorView::Text, site, 900, 700);
        QVERIFY(editor);
        Grid& grid = *editor->grid();
        QCOMPARE(RowTexts(grid, 1, 1, 3),
                 (std::vector<std::string>{"   Reception MCP    ", "Zone 01" + std::string(13, ' '),
                                           "    TARVEX 5300     "}));
        QCOMPARE(CellText(grid, 2, 2), std::string("  Ground floor east "));
        QCOMPARE(CellText(grid, 4, 1), std::string("NULL"));
        QCOMPARE(RowTexts(grid, 33, 2, 3), (std::vector<std::string>{"", ""}));

        // Texts change only in the display window: typing into the grid does nothing.
        ClickCell(grid, 1, 1);
        QTest::keyClicks(&grid, QStringLiteral("abc"));
        QVERIFY(!grid.isEditing());
        QVERIFY(SavePng(*editor, QStringLiteral("text_editor")));
    }

    void doubleClickEditsTheTextInTheDisplayWindow() {
        auto site = DefaultSite();
        site.put("DeviceText_3", "Boiler room");
        auto editor = OpenEditor(EditorView::Text, site, 900, 700);
        Grid& grid = *editor->grid();

        // The header row and the row numbers open nothing.
        DoubleClickCell(grid, 0, 1);
        DoubleClickCell(grid, 5, 0);
        QVERIFY(!qobject_cast<TextEditor*>(editor.get())->displayWindow());

        QPointer<LcdTextWindow> window = OpenDisplay(*editor, 3, 1);
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
        QCOMPARE(window->text(), std::string("Boiler room"));
        QCOMPARE(ReadLine(window->frame(), 0), std::string(kPrompt));
        for (int y = 0; y < 30; ++y) {  // each glyph row drawn twice, its last pixel once more, in 16 pixels
            for (int x = 0; x < 16; ++x) {
                const std::uint8_t drawn = window->frame().pixel(80 + std::min(x, 7), y & ~1);  // the prompt's E
                QCOMPARE(window->frame().pixel(80 + x, y), x < 9 ? drawn : LcdFrame::kBlue);
            }
        }
        // Characters overwrite from the cursor on.
        QTest::keyClicks(window, QStringLiteral("Plant"));
        QCOMPARE(window->text(), std::string("Plantr room"));
        QCOMPARE(ReadLine(window->frame(), 1).erase(5, 1), "Plant room" + std::string(9, ' '));  // less the cursor
        QVERIFY(window->image().save(PngPath(QStringLiteral("display_window"))));
        QTest::keyClick(window, Qt::Key_Return);
        QTRY_VERIFY(!window);
        QTRY_VERIFY(editor->isActiveWindow());  // the editor's window is active again

        QCOMPARE(CellText(grid, 3, 1), std::string("Plantr room"));
        QCOMPARE(Stored(site, "DeviceText_3"), std::string("Boiler room"));  // until the editor writes back
        editor->writeBack();
        QCOMPARE(Stored(site, "DeviceText_3"), std::string("Plantr room"));

        // A longer cell text is cut to the display's 20 characters.
        grid.setText(4, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        window = OpenDisplay(*editor, 4, 1);
        QCOMPARE(window->text(), std::string("ABCDEFGHIJKLMNOPQRST"));
    }

    // Escape is ignored and the close box accepts as Enter does; zones above 32 are not stored, and a
    // missing text stays missing rather than becoming "NULL".
    void closingAcceptsAndOnlyRealTextsAreStored() {
        auto site = DefaultSite();
        site.erase("DeviceText_9");
        auto editor = OpenEditor(EditorView::Text, site, 900, 700);
        QPointer<LcdTextWindow> window = OpenDisplay(*editor, 2, 2);
        QTest::keyClicks(window, QStringLiteral("East stair"));
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(window && window->isVisible());
        window->close();
        QTRY_VERIFY(!window);
        EditInDisplay(*editor, 40, 2, "Spare");
        EditInDisplay(*editor, 3, 3, "Line three");
        QCOMPARE(CellText(*editor->grid(), 40, 2), std::string("Spare"));
        editor->writeBack();
        ExpectStored(site, {{"ZoneText_2", "East stair          "}, {"ZoneText_40", "<missing>"}});
        ExpectStored(site, {{"BannerText_3", "Line three"}, {"BannerText_4", ""}, {"DeviceText_9", "<missing>"}});
    }

    // The text stays within 20 characters: the cursor stops on the last column, where each further
    // character replaces the one before; typing past the end of a short text pads it with blanks;
    // Backspace blanks the character under the cursor and steps back. The cursor shows where it is.
    void keysEditTheTextWithinTwentyCharacters() {
        const struct {
            const char *text, *keys, *edited;
            int cursor;
        } cases[] = {
            {"", "ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRSY", 19},
            {"Hall", ">>>>>>A", "Hall  A", 7},
            {"Store room 4", "<", "Store room 4", 0},
            {"Store room 4", ">>>>>>>>>>>>>>>>>>>>>>>>", "Store room 4", 19},
            {"Store room 4", ">>>>>>>>>>>~#5", "Store room#5", 12},
            {"Store room 4", ">>~~~~", "   re room 4", 0},
        };
        for (const auto& [text, keys, edited, cursor] : cases) {
            LcdTextWindow window(kPrompt, text);
            window.show();
            Play(window, keys);
            QCOMPARE(window.text(), std::string(edited));
            QCOMPARE(window.cursorColumn(), cursor);
            QVERIFY(CellInverted(window.frame(), cursor, 1));
        }
        // Keys that are not characters, and characters the display cannot show, are ignored.
        LcdTextWindow window(kPrompt, "Hall");
        window.show();
        QTest::keyClick(&window, Qt::Key_F1);
        QTest::keyClick(&window, Qt::Key_Tab);
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
        QApplication::sendEvent(&window, &accented);
        QCOMPARE(window.text(), std::string("Hall"));
        QCOMPARE(window.cursorColumn(), 0);
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::TextEditorTest)
#include "TextEditorTest.moc"
