#include "EditorTestSupport.h"
#include "images/EventLog.h"
#include "ui/editors/EventLogView.h"

namespace tamrik::testing {
namespace {

constexpr std::int64_t kNovember2023 = 1700000000;  // 14/11/2023 22:13:20

void AddEvent(SettingsStore& store, const char* log, int number, int code, int source, std::int64_t time) {
    store.put(log + std::to_string(number),
              std::to_string(code) + ", " + std::to_string(source) + ", " + std::to_string(time));
}

std::vector<std::string> EventRow(Grid& grid, int row) { return RowTexts(grid, row, 1, 6); }

}  // namespace

class EventLogViewTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheSixColumnsOfEachEventAndChangesNothing() {
        auto site = DefaultSite();
        AddEvent(site, "FireEvent_", 1, 5, 17, kNovember2023);
        AddEvent(site, "FireEvent_", 2, 133, 200, kNovember2023 + 61);
        site.put("FireEvent_3", "7");  // not an event, yet it takes its row rather than being lost
        auto editor = OpenEditor(EditorView::FireLog, site, 1000, 400);
        QVERIFY(editor);
        Grid& grid = *editor->grid();
        QCOMPARE(grid.rowCount(), 3);
        // How an event reads is the event row's (checked with the log export); here: each field's column.
        QCOMPARE(EventRow(grid, 1),
                 (std::vector<std::string>{"5", " 17", "", "14/11/2023 22:13:20", EventText(5), "ON"}));
        QCOMPARE(EventRow(grid, 2),
                 (std::vector<std::string>{"133", "", "8", "14/11/2023 22:14:21", EventText(5), "OFF"}));
        QCOMPARE(CellText(grid, 3, 1), std::string("7"));

        // Nothing in the view can be typed into or changed (the view has no way to change the site).
        ClickCell(grid, 2, 5);
        QTest::keyClicks(&grid, QStringLiteral("12"));
        QTest::keyClick(&grid, Qt::Key_Delete);
        QVERIFY(!grid.isEditing());
        QCOMPARE(CellText(grid, 2, 5), std::string(EventText(5)));
        QVERIFY(SavePng(*editor, QStringLiteral("event_log_fire")));
    }

    void eachViewListsItsLogs() {
        auto site = DefaultSite();
        AddEvent(site, "FireEvent_", 1, 1, 3, kNovember2023 + 20);
        AddEvent(site, "FireEvent_", 2, 2, 4, kNovember2023 + 40);
        AddEvent(site, "NonFireEvent_", 1, 20, 5, kNovember2023 + 10);
        AddEvent(site, "NonFireEvent_", 2, 21, 6, kNovember2023 + 30);

        const struct {
            EditorView view;
            std::vector<std::string> addresses;
        } cases[] = {{EditorView::FireLog, {" 3", " 4"}},
                     {EditorView::NonFireLog, {" 5", " 6"}},
                     {EditorView::CombinedLog, {" 5", " 3", " 6", " 4"}}};  // in time order
        for (const auto& c : cases) {
            auto editor = OpenEditor(c.view, site, 1000, 400);
            Grid& grid = *editor->grid();
            std::vector<std::string> addresses;
            for (int row = 1; row <= grid.rowCount(); ++row) addresses.push_back(CellText(grid, row, 2));
            QCOMPARE(addresses, c.addresses);
        }
        // Without events only the headings show.
        auto empty = DefaultSite();
        auto editor = OpenEditor(EditorView::NonFireLog, empty, 1000, 300);
        QCOMPARE(qobject_cast<EventLogView*>(editor.get())->eventCount(), 0);
        QVERIFY(!editor->grid()->cell(1, 1).written);
    }

    // The order is the event list's (tested with the export); here: every event of a full image gets a
    // row, beyond the grid's old limits of 1000 rows and 5000 cells.
    void listsEveryEventOfFullLogs() {
        SettingsStore events;
        for (int n = 1; n <= 300; ++n) AddEvent(events, "FireEvent_", n, 1, 1, kNovember2023 + 7 * n);
        for (int n = 1; n <= 721; ++n) AddEvent(events, "NonFireEvent_", n, 129, 194, kNovember2023 + 3 * (721 - n));
        auto editor = OpenEditor(EditorView::CombinedLog, events, 1000, 600);
        Grid& grid = *editor->grid();
        QCOMPARE(qobject_cast<EventLogView*>(editor.get())->eventCount(), 1021);
        QCOMPARE(grid.rowCount(), 1021);
        // The newest event (the first of the non-fire log) is shown whole, at the bottom.
        QCOMPARE(EventRow(grid, 1021),
                 (std::vector<std::string>{"129", "", "2", "14/11/2023 22:49:20", EventText(1), "OFF"}));
        QTest::keyClick(&grid, Qt::Key_End);
        QCOMPARE(grid.currentRow(), 1021);
        QVERIFY(grid.cellRect(1021, 1).bottom() < grid.viewport()->height());
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::EventLogViewTest)
#include "EventLogViewTest.moc"
