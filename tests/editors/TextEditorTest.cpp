#include <QKeyEvent>
#include <set>

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

// The text on a display line as drawn, read back by matching each cell against the font.
std::string ReadLine(const LcdFrame& frame, int line) {
    std::string text;
    for (int column = 0; column < LcdFrame::kColumns; ++column) {
        char found = '?';
        for (int code = kLcdFirstGlyph; code <= kLcdLastGlyph && found == '?'; ++code) {
            const auto glyph = LcdGlyph(static_cast<unsigned char>(code));
            bool same = true;
            for (int row = 0; row < kLcdGlyphHeight && same; ++row) {
                for (int x = 0; x < kLcdGlyphWidth && same; ++x) {
                    const bool lit = frame.pixel(column * 16 + x, line * 30 + 2 * row) == LcdFrame::kWhite;
                    same = lit == ((glyph[static_cast<std::size_t>(row)] & (0x80 >> x)) != 0);
                }
            }
            if (same) found = static_cast<char>(code);
        }
        text += found;
    }
    return text;
}

bool CellInverted(const LcdFrame& frame, int column, int line) {
    // Glyph row 0 is blank in every glyph, so it is lit only when inverted.
    return frame.pixel(column * 16, line * 30) == LcdFrame::kWhite;
}

}  // namespace

class TextEditorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { editor_message_test::Enable(true); }

    void showsDeviceZoneAndBannerTexts() {
        DefaultSite site;
        Put(*site, {{"DeviceText_1", "   Reception MCP    "}, {"ZoneText_2", "  Ground floor east "}});
        Put(*site, {{"DeviceText_4", nullptr}});
        auto editor = OpenEditor(EditorView::Text, *site, 900, 700);
        QVERIFY(editor);
        Grid& grid = *editor->grid();
        QCOMPARE(RowTexts(grid, 0, 1, 3), (std::vector<std::string>{"Device text", "Zone text", "Banner text"}));
        QCOMPARE(RowTexts(grid, 1, 1, 3),
                 (std::vector<std::string>{"   Reception MCP    ", "Zone 01" + std::string(13, ' '),
                                           "    TARVEX 5300     "}));
        QCOMPARE(RowTexts(grid, 2, 2, 3), (std::vector<std::string>{"  Ground floor east ", "   CONTROL PANEL    "}));
        // Missing device texts show "NULL"; there are 32 zone texts and 4 banner lines.
        QCOMPARE(CellText(grid, 4, 1), std::string("NULL"));
        QCOMPARE(RowTexts(grid, 33, 2, 3), (std::vector<std::string>{"", ""}));
        QCOMPARE(RowTexts(grid, 192, 0, 1), (std::vector<std::string>{"192", std::string(20, ' ')}));

        // Texts change only in the display window: typing into the grid does nothing.
        ClickCell(grid, 1, 1);
        QTest::keyClicks(&grid, QStringLiteral("abc"));
        QVERIFY(!grid.isEditing());
        QVERIFY(SavePng(*editor, QStringLiteral("text_editor")));
    }

    void doubleClickEditsTheTextInTheDisplayWindow() {
        DefaultSite site;
        site->put("DeviceText_3", "Boiler room");
        auto editor = OpenEditor(EditorView::Text, *site, 900, 700);
        Grid& grid = *editor->grid();

        // The header row and the row numbers open nothing.
        DoubleClickCell(grid, 0, 1);
        DoubleClickCell(grid, 5, 0);
        QVERIFY(!qobject_cast<TextEditor*>(editor.get())->displayWindow());

        QPointer<LcdTextWindow> window = OpenDisplay(*editor, 3, 1);
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
        QCOMPARE(window->text(), std::string("Boiler room"));
        QCOMPARE(window->cursorColumn(), 0);
        QCOMPARE(ReadLine(window->frame(), 0), std::string(kPrompt));
        // Characters overwrite from the cursor on.
        QTest::keyClicks(window, QStringLiteral("Plant"));
        QCOMPARE(window->text(), std::string("Plantr room"));
        QCOMPARE(ReadLine(window->frame(), 1).erase(5, 1), "Plant room" + std::string(9, ' '));  // less the cursor
        QVERIFY(window->image().save(PngPath(QStringLiteral("display_window"))));
        QTest::keyClick(window, Qt::Key_Return);
        QTRY_VERIFY(!window);
        QTRY_VERIFY(editor->isActiveWindow());  // the editor's window is active again

        QCOMPARE(CellText(grid, 3, 1), std::string("Plantr room"));
        QVERIFY(grid.cell(3, 1).readOnly);
        QCOMPARE(Stored(*site, "DeviceText_3"), std::string("Boiler room"));  // until the editor writes back
        editor->writeBack();
        QCOMPARE(Stored(*site, "DeviceText_3"), std::string("Plantr room"));

        // A longer cell text is cut to the display's 20 characters.
        grid.setText(4, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        window = OpenDisplay(*editor, 4, 1);
        QCOMPARE(window->text(), std::string("ABCDEFGHIJKLMNOPQRST"));
    }

    void everyWayOfClosingAcceptsTheText() {
        DefaultSite site;
        auto editor = OpenEditor(EditorView::Text, *site, 900, 700);
        QPointer<LcdTextWindow> window = OpenDisplay(*editor, 2, 2);
        QTest::keyClicks(window, QStringLiteral("East stair"));
        QTest::keyClick(window, Qt::Key_Escape);  // ignored: the window stays
        QVERIFY(window && window->isVisible());
        window->close();  // the close box
        QTRY_VERIFY(!window);
        QCOMPARE(CellText(*editor->grid(), 2, 2), std::string("East stair          "));
        editor->writeBack();
        QCOMPARE(Stored(*site, "ZoneText_2"), std::string("East stair          "));
    }

    void zoneRowsAbove32AndBannerLinesThreeAndFour() {
        DefaultSite site;
        site->erase("DeviceText_9");
        auto editor = OpenEditor(EditorView::Text, *site, 900, 700);
        Grid& grid = *editor->grid();
        EditInDisplay(*editor, 40, 2, "Spare");
        QCOMPARE(CellText(grid, 40, 2), std::string("Spare"));
        EditInDisplay(*editor, 3, 3, "Line three");
        editor->writeBack();
        // Zones above 32 are not stored; a missing text stays missing rather than becoming "NULL".
        ExpectStored(*site, {{"ZoneText_40", "<missing>"}, {"BannerText_3", "Line three"}, {"BannerText_4", ""}});
        ExpectStored(*site, {{"BannerText_1", "    TARVEX 5300     "}, {"DeviceText_9", "<missing>"}});
    }

    void typingStaysWithinTwentyCharacters() {
        LcdTextWindow window(kPrompt, "");
        window.show();
        QString accepted;
        connect(&window, &LcdTextWindow::textAccepted, this, [&accepted](const QString& text) { accepted = text; });
        QTest::keyClicks(&window, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));  // 25 characters
        // The cursor stops on the last column, where each further character replaces the one before.
        QCOMPARE(window.text(), std::string("ABCDEFGHIJKLMNOPQRSY"));
        QCOMPARE(window.cursorColumn(), 19);
        window.close();
        QCOMPARE(accepted, QStringLiteral("ABCDEFGHIJKLMNOPQRSY"));

        // Typing past the end of a short text keeps it, with blanks between; the cursor shows there too.
        LcdTextWindow shortText(kPrompt, "Hall");
        shortText.show();
        for (int i = 0; i < 6; ++i) QTest::keyClick(&shortText, Qt::Key_Right);
        QTest::keyClicks(&shortText, QStringLiteral("A"));
        QCOMPARE(shortText.text(), std::string("Hall  A"));
        QVERIFY(CellInverted(shortText.frame(), 7, 1));
        shortText.close();
    }

    void cursorKeysAndBackspace() {
        LcdTextWindow window(kPrompt, "Store room 4");
        window.show();
        QTest::keyClick(&window, Qt::Key_Left);
        QCOMPARE(window.cursorColumn(), 0);
        for (int i = 0; i < 30; ++i) QTest::keyClick(&window, Qt::Key_Right);
        QCOMPARE(window.cursorColumn(), 19);
        for (int i = 0; i < 8; ++i) QTest::keyClick(&window, Qt::Key_Left);
        // Backspace blanks the character under the cursor and steps back.
        QTest::keyClick(&window, Qt::Key_Backspace);
        QCOMPARE(window.text(), std::string("Store room  "));
        QCOMPARE(window.cursorColumn(), 10);
        QTest::keyClicks(&window, QStringLiteral("#5"));
        QCOMPARE(window.text(), std::string("Store room#5"));
        for (int i = 0; i < 15; ++i) QTest::keyClick(&window, Qt::Key_Backspace);
        QCOMPARE(window.cursorColumn(), 0);
        QCOMPARE(window.text(), std::string(12, ' '));
        // Keys that are not characters, and characters the display cannot show, are ignored.
        QTest::keyClick(&window, Qt::Key_F1);
        QTest::keyClick(&window, Qt::Key_Tab);
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
        QApplication::sendEvent(&window, &accented);
        QCOMPARE(window.text(), std::string(12, ' '));
        QCOMPARE(window.cursorColumn(), 0);
        window.close();
    }

    // Every glyph row is drawn as two pixel rows, nine pixels wide; the cursor inverts its cell and blinks,
    // and a key turns it on at once.
    void displayFrameDrawsDoubledGlyphsWithABlinkingCursor() {
        LcdTextWindow window(kPrompt, "");
        window.show();
        const LcdFrame& frame = window.frame();
        QVERIFY(window.blinkOn());
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 16; ++x) {
                const std::uint8_t even = frame.pixel(5 * 16 + std::min(x, 7), y & ~1);  // the E
                QCOMPARE(frame.pixel(5 * 16 + x, y), x < 9 ? even : LcdFrame::kBlue);
                QCOMPARE(frame.pixel(x, 30 + y / 2), x < 9 ? LcdFrame::kWhite : LcdFrame::kBlue);  // the cursor
            }
        }
        QVERIFY(!CellInverted(frame, 1, 1));
        QCOMPARE(window.grab().toImage().pixelColor(200, 80), QColor(0, 0, 255));  // nothing below line 2
        QTRY_VERIFY_WITH_TIMEOUT(!window.blinkOn(), 2500);
        QVERIFY(!CellInverted(frame, 0, 1));
        QTest::keyClick(&window, Qt::Key_Right);
        QVERIFY(window.blinkOn() && CellInverted(frame, 1, 1));
        window.close();
    }

    // Distinct glyphs for every printable character, blank on top so that the cursor block shows, and a
    // box for a character without one.
    void fontCoversThePrintableCharacters() {
        std::set<std::vector<std::uint8_t>> shapes;
        for (int code = kLcdFirstGlyph; code <= kLcdLastGlyph; ++code) {
            const auto glyph = LcdGlyph(static_cast<unsigned char>(code));
            QVERIFY2(shapes.insert({glyph.begin(), glyph.end()}).second, qPrintable(QString(QChar(code))));
            QCOMPARE(glyph[0] | glyph[1] | glyph[2], 0);
        }
        QVERIFY(LcdGlyph(200)[3] != 0);
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::TextEditorTest)
#include "TextEditorTest.moc"
