#include <QKeyEvent>
#include <QPainter>
#include <set>

#include "EditorTestSupport.h"
#include "ui/editors/LcdFont.h"
#include "ui/editors/LcdFrame.h"
#include "ui/editors/LcdTextWindow.h"
#include "ui/editors/TextEditor.h"

namespace tamrik::testing {
namespace {

TextEditor* AsTextEditor(SiteEditor& editor) { return qobject_cast<TextEditor*>(&editor); }

// Double-clicks a text cell and returns the display window it opened.
LcdTextWindow* OpenDisplay(SiteEditor& editor, int row, int column) {
    DoubleClickCell(*editor.grid(), row, column);
    return AsTextEditor(editor)->displayWindow();
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

    void showsDeviceZoneAndBannerTexts();
    void doubleClickEditsTheTextInTheDisplayWindow();
    void everyWayOfClosingAcceptsTheText();
    void typingStaysWithinTwentyCharacters();
    void cursorKeysAndBackspace();
    void typingPastTheEndOfAShortTextKeepsIt();
    void zoneRowsAbove32AndBannerLinesThreeAndFour();
    void displayFrameDrawsDoubledGlyphsWithABlinkingCursor();
    void fontCoversThePrintableCharacters();
};

void TextEditorTest::showsDeviceZoneAndBannerTexts() {
    DefaultSite site;
    SettingPut(*site, "DeviceText_1", "   Reception MCP    ");
    SettingPut(*site, "ZoneText_2", "  Ground floor east ");
    SettingDelete(*site, "DeviceText_4");
    auto editor = OpenEditor(EditorView::Text, *site, 900, 700);
    QVERIFY(editor);
    Grid& grid = *editor->grid();
    QCOMPARE(grid.controlId(), kTextGridId);
    QCOMPARE(grid.title(), QStringLiteral("Text editor"));
    QCOMPARE(grid.rowCount(), 192);
    QCOMPARE(grid.columnCount(), 3);
    QCOMPARE(grid.columnGap(), 10);
    QCOMPARE(grid.headerHeight(), 21);

    QCOMPARE(CellText(grid, 0, 0), std::string());
    QCOMPARE(CellText(grid, 0, 1), std::string("Device text"));
    QCOMPARE(CellText(grid, 0, 2), std::string("Zone text"));
    QCOMPARE(CellText(grid, 0, 3), std::string("Banner text"));
    QCOMPARE(CellText(grid, 1, 1), std::string("   Reception MCP    "));
    QCOMPARE(CellText(grid, 4, 1), std::string("NULL"));
    QCOMPARE(CellText(grid, 2, 2), std::string("  Ground floor east "));
    QCOMPARE(CellText(grid, 32, 2), std::string("Zone 32             "));
    QCOMPARE(CellText(grid, 33, 2), std::string());
    QCOMPARE(CellText(grid, 1, 3), std::string("    TARVEX 5300     "));
    QCOMPARE(CellText(grid, 2, 3), std::string("   CONTROL PANEL    "));
    QCOMPARE(CellText(grid, 3, 3), std::string());
    QCOMPARE(CellText(grid, 192, 0), std::string("192"));

    // Texts change only in the display window: typing into the grid does nothing.
    ClickCell(grid, 1, 1);
    QTest::keyClicks(&grid, QStringLiteral("abc"));
    QVERIFY(!grid.isEditing());
    QVERIFY(SavePng(*editor, QStringLiteral("text_editor")));
}

void TextEditorTest::doubleClickEditsTheTextInTheDisplayWindow() {
    DefaultSite site;
    SettingPut(*site, "DeviceText_3", "Boiler room");
    auto editor = OpenEditor(EditorView::Text, *site, 900, 700);
    Grid& grid = *editor->grid();

    // The header row and the row numbers open nothing.
    DoubleClickCell(grid, 0, 1);
    DoubleClickCell(grid, 5, 0);
    QVERIFY(!AsTextEditor(*editor)->displayWindow());

    QPointer<LcdTextWindow> window = OpenDisplay(*editor, 3, 1);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Edit text"));
    QCOMPARE(window->size(), QSize(320, 88));
    QCOMPARE(window->windowModality(), Qt::ApplicationModal);
    QVERIFY(window->isVisible());
    QCOMPARE(window->text(), std::string("Boiler room"));
    QCOMPARE(window->cursorColumn(), 0);
    QCOMPARE(ReadLine(window->frame(), 0), std::string("     Edit Text      "));

    QTest::keyClicks(window, QStringLiteral("Plant"));
    QCOMPARE(window->text(), std::string("Plantr room"));
    QVERIFY(window->image().save(PngPath(QStringLiteral("display_window"))));
    QTest::keyClick(window, Qt::Key_Return);
    QTRY_VERIFY(!window);  // closed and gone

    QCOMPARE(CellText(grid, 3, 1), std::string("Plantr room"));
    QCOMPARE(GridGetCell(grid, 3, 1).readOnly, 1);
    QCOMPARE(Stored(*site, "DeviceText_3"), std::string("Boiler room"));  // until the editor writes back
    editor->writeBack();
    QCOMPARE(Stored(*site, "DeviceText_3"), std::string("Plantr room"));

    // A longer cell text is cut to the display's 20 characters.
    SettingPut(*site, "DeviceText_3", "");
    GridSetCellText(grid, 4, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    window = OpenDisplay(*editor, 4, 1);
    QCOMPARE(window->text(), std::string("ABCDEFGHIJKLMNOPQRST"));
    window->close();
    QTRY_VERIFY(!window);
    QCOMPARE(CellText(grid, 4, 1), std::string("ABCDEFGHIJKLMNOPQRST"));
}

void TextEditorTest::everyWayOfClosingAcceptsTheText() {
    DefaultSite site;
    auto editor = OpenEditor(EditorView::Text, *site, 900, 700);
    Grid& grid = *editor->grid();

    QPointer<LcdTextWindow> window = OpenDisplay(*editor, 2, 2);
    QTest::keyClicks(window, QStringLiteral("East stair"));
    QTest::keyClick(window, Qt::Key_Escape);  // ignored: the window stays
    QVERIFY(window && window->isVisible());
    window->close();  // the close box
    QTRY_VERIFY(!window);
    QCOMPARE(CellText(grid, 2, 2), std::string("East stair          "));
    editor->writeBack();
    QCOMPARE(Stored(*site, "ZoneText_2"), std::string("East stair          "));
}

void TextEditorTest::typingStaysWithinTwentyCharacters() {
    LcdTextWindow window("     Edit Text      ", "");
    window.show();
    QTest::keyClicks(&window, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));  // 25 characters
    // The cursor stops on the last column, where each further character replaces the one before.
    QCOMPARE(window.text(), std::string("ABCDEFGHIJKLMNOPQRSY"));
    QCOMPARE(window.cursorColumn(), 19);
    QCOMPARE(ReadLine(window.frame(), 1).substr(0, 19), std::string("ABCDEFGHIJKLMNOPQRS"));
    window.close();
}

void TextEditorTest::cursorKeysAndBackspace() {
    LcdTextWindow window("     Edit Text      ", "Store room 4");
    window.show();
    QTest::keyClick(&window, Qt::Key_Left);
    QCOMPARE(window.cursorColumn(), 0);
    for (int i = 0; i < 30; ++i) QTest::keyClick(&window, Qt::Key_Right);
    QCOMPARE(window.cursorColumn(), 19);
    for (int i = 0; i < 8; ++i) QTest::keyClick(&window, Qt::Key_Left);
    QCOMPARE(window.cursorColumn(), 11);
    // Backspace blanks the character under the cursor and steps back.
    QTest::keyClick(&window, Qt::Key_Backspace);
    QCOMPARE(window.text(), std::string("Store room  "));
    QCOMPARE(window.cursorColumn(), 10);
    QTest::keyClicks(&window, QStringLiteral("#5"));
    QCOMPARE(window.text(), std::string("Store room#5"));
    for (int i = 0; i < 15; ++i) QTest::keyClick(&window, Qt::Key_Backspace);
    QCOMPARE(window.cursorColumn(), 0);
    QCOMPARE(window.text(), std::string("            "));
    // Keys that are not characters, and characters the display cannot show, are ignored.
    QTest::keyClick(&window, Qt::Key_F1);
    QTest::keyClick(&window, Qt::Key_Tab);
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
    QApplication::sendEvent(&window, &accented);
    QCOMPARE(window.text(), std::string("            "));
    QCOMPARE(window.cursorColumn(), 0);
    window.close();
}

void TextEditorTest::typingPastTheEndOfAShortTextKeepsIt() {
    LcdTextWindow window("     Edit Text      ", "Hall");
    window.show();
    QString accepted;
    connect(&window, &LcdTextWindow::textAccepted, this, [&accepted](const QString& text) { accepted = text; });
    for (int i = 0; i < 6; ++i) QTest::keyClick(&window, Qt::Key_Right);
    QTest::keyClicks(&window, QStringLiteral("A"));
    QCOMPARE(window.text(), std::string("Hall  A"));
    QCOMPARE(ReadLine(window.frame(), 1).substr(0, 7), std::string("Hall  A"));
    // The cursor shows past the end of the text too.
    QVERIFY(CellInverted(window.frame(), 7, 1));
    window.close();
    QCOMPARE(accepted, QStringLiteral("Hall  A"));
}

void TextEditorTest::zoneRowsAbove32AndBannerLinesThreeAndFour() {
    DefaultSite site;
    auto editor = OpenEditor(EditorView::Text, *site, 900, 700);
    Grid& grid = *editor->grid();

    QPointer<LcdTextWindow> window = OpenDisplay(*editor, 40, 2);
    QCOMPARE(window->text(), std::string());
    QTest::keyClicks(window, QStringLiteral("Spare"));
    QTest::keyClick(window, Qt::Key_Return);
    QTRY_VERIFY(!window);
    QCOMPARE(CellText(grid, 40, 2), std::string("Spare"));

    window = OpenDisplay(*editor, 3, 3);
    QTest::keyClicks(window, QStringLiteral("Line three"));
    QTest::keyClick(window, Qt::Key_Return);
    QTRY_VERIFY(!window);

    editor->writeBack();
    QCOMPARE(Stored(*site, "ZoneText_40"), std::string("<missing>"));
    QCOMPARE(Stored(*site, "BannerText_3"), std::string("Line three"));
    QCOMPARE(Stored(*site, "BannerText_4"), std::string());
    QCOMPARE(Stored(*site, "BannerText_1"), std::string("    TARVEX 5300     "));
    // A missing text stays missing rather than becoming "NULL".
    SettingDelete(*site, "DeviceText_9");
    editor.reset();
    auto again = OpenEditor(EditorView::Text, *site, 900, 700);
    QCOMPARE(CellText(*again->grid(), 9, 1), std::string("NULL"));
    again->writeBack();
    QCOMPARE(Stored(*site, "DeviceText_9"), std::string("<missing>"));
}

void TextEditorTest::displayFrameDrawsDoubledGlyphsWithABlinkingCursor() {
    LcdTextWindow window("     Edit Text      ", "A");
    window.show();
    const LcdFrame& frame = window.frame();
    QVERIFY(window.blinkOn());
    QVERIFY(CellInverted(frame, 0, 1));
    QVERIFY(!CellInverted(frame, 1, 1));

    // Each glyph row is two pixel rows; the ninth pixel repeats the eighth; the rest of the cell and
    // the rows under line 2 stay blue.
    const auto glyph = LcdGlyph('E');
    for (int row = 0; row < kLcdGlyphHeight; ++row) {
        for (int x = 0; x < 9; ++x) {
            const int bit = x < 8 ? x : 7;
            const bool lit = glyph[static_cast<std::size_t>(row)] & (0x80 >> bit);
            const std::uint8_t expected = lit ? LcdFrame::kWhite : LcdFrame::kBlue;
            QCOMPARE(frame.pixel(5 * 16 + x, 2 * row), expected);
            QCOMPARE(frame.pixel(5 * 16 + x, 2 * row + 1), expected);
        }
        for (int x = 9; x < 16; ++x) QCOMPARE(frame.pixel(5 * 16 + x, 2 * row), LcdFrame::kBlue);
    }
    for (int y = 60; y < LcdFrame::kHeight; ++y) {
        for (int x = 0; x < LcdFrame::kWidth; x += 7) QCOMPARE(frame.pixel(x, y), LcdFrame::kBlue);
    }
    // The cursor is the glyph's 8 x 15 pixels inverted, drawn 9 x 30.
    for (int y = 30; y < 60; ++y) QCOMPARE(frame.pixel(8, y), LcdFrame::kWhite);
    QCOMPARE(frame.pixel(9, 30), LcdFrame::kBlue);

    const QImage image = window.image();
    QCOMPARE(image.size(), QSize(320, 88));
    QCOMPARE(image.format(), QImage::Format_Indexed8);
    QCOMPARE(image.color(0), qRgb(0, 0, 255));
    QCOMPARE(image.color(255), qRgb(255, 255, 255));
    QCOMPARE(image.color(77), qRgb(77, 77, 77));
    QCOMPARE(window.grab().toImage().pixelColor(200, 80), QColor(0, 0, 255));

    // The blink timer turns the cursor off and on again; a key turns it on at once.
    QTRY_VERIFY_WITH_TIMEOUT(!window.blinkOn(), 2500);
    QVERIFY(!CellInverted(frame, 0, 1));
    QTest::keyClick(&window, Qt::Key_Right);
    QVERIFY(window.blinkOn());
    QVERIFY(CellInverted(frame, 1, 1));
    window.close();
}

void TextEditorTest::fontCoversThePrintableCharacters() {
    std::set<std::vector<std::uint8_t>> shapes;
    for (int code = kLcdFirstGlyph; code <= kLcdLastGlyph; ++code) {
        const auto glyph = LcdGlyph(static_cast<unsigned char>(code));
        const std::vector<std::uint8_t> rows(glyph.begin(), glyph.end());
        const bool blank = std::all_of(rows.begin(), rows.end(), [](std::uint8_t bits) { return bits == 0; });
        QVERIFY2(blank == (code == ' '), qPrintable(QString(QChar(code))));
        QVERIFY2(shapes.insert(rows).second, qPrintable(QStringLiteral("%1 repeats a glyph").arg(QChar(code))));
        QCOMPARE(rows[0] | rows[1] | rows[2], 0);  // the top rows are blank, so the cursor block shows
        const bool capitalOrDigit = (code >= 'A' && code <= 'Z' && code != 'Q') || (code >= '0' && code <= '9');
        if (capitalOrDigit) {
            QVERIFY(rows[3] != 0 && rows[11] != 0);
            QCOMPARE(rows[12] | rows[13] | rows[14], 0);
        }
    }
    for (const char descender : {'g', 'j', 'p', 'q', 'y'}) QVERIFY(LcdGlyph(static_cast<unsigned char>(descender))[14]);
    // The table is laid out by code times 15.
    QCOMPARE(LcdFontTable()[static_cast<std::size_t>('A' * 15 + 3)], LcdGlyph('A')[3]);
    // A character without a glyph shows a box rather than nothing.
    QVERIFY(LcdGlyph(200)[3] != 0);

    // The character set, drawn twice the size for review.
    QVector<QRgb> palette(256);
    for (int i = 0; i < 256; ++i) palette[i] = i == 0 ? qRgb(0, 0, 255) : qRgb(i, i, i);
    QImage sheet(2 * LcdFrame::kWidth, 3 * 2 * 60, QImage::Format_RGB32);
    QPainter painter(&sheet);
    LcdFrame frame;
    for (int page = 0; page < 3; ++page) {
        frame.clear();
        std::string text;
        for (int i = 0; i < 40; ++i) {
            const int code = kLcdFirstGlyph + page * 40 + i;
            text += static_cast<char>(code <= kLcdLastGlyph ? code : ' ');
        }
        frame.drawText(0, 0, text);
        QImage part(frame.data(), LcdFrame::kWidth, 60, LcdFrame::kWidth, QImage::Format_Indexed8);
        part.setColorTable(palette);
        painter.drawImage(QRect(0, page * 120, 2 * LcdFrame::kWidth, 120), part);
    }
    painter.end();
    QVERIFY(sheet.save(PngPath(QStringLiteral("display_font"))));
}

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::TextEditorTest)
#include "TextEditorTest.moc"
