#include "EditorTestSupport.h"

namespace tamrik::testing {

class EditorFactoryTest : public QObject {
    Q_OBJECT

private slots:
    void everyViewHasItsGridTitleAndId();
    void aViewThatCannotGetItsGridIsNotCreated();
    void viewsWithoutTypingWriteNothingBack();
};

void EditorFactoryTest::everyViewHasItsGridTitleAndId() {
    const struct {
        EditorView view;
        int id;
        const char* title;
        const char* failure;
        bool toolBar;
    } views[] = {
        {EditorView::Matrix, 501, "Input / Output Matrix Editor", "Can't open matrix editor", true},
        {EditorView::Text, 601, "Text editor", "Can't open text editor", false},
        {EditorView::Device, 701, "Device editor", "Can't open device editor", false},
        {EditorView::FireLog, 801, "Fire event log", "Can't open event log", false},
        {EditorView::NonFireLog, 801, "Non-fire event log", "Can't open event log", false},
        {EditorView::CombinedLog, 801, "Fire / Non-fire event log", "Can't open event log", false},
        {EditorView::Coincidence, 901, "Set coincidence", "Can't open coincidence editor", false},
    };
    DefaultSite site;
    for (const auto& v : views) {
        QWidget host;
        auto editor = CreateSiteEditor(v.view, *site, &host);
        QVERIFY(editor);
        QCOMPARE(editor->parentWidget(), &host);
        QCOMPARE(editor->view(), v.view);
        QCOMPARE(editor->grid()->controlId(), v.id);
        QCOMPARE(editor->grid()->title(), QString::fromLatin1(v.title));
        QCOMPARE(EditorOpenFailureText(v.view), QString::fromLatin1(v.failure));
        QCOMPARE(editor->toolBar() != nullptr, v.toolBar);
        // The grid fills the editor.
        editor->resize(640, 480);
        editor->show();
        QTRY_COMPARE(editor->grid()->geometry(), editor->rect());
    }
}

void EditorFactoryTest::aViewThatCannotGetItsGridIsNotCreated() {
    DefaultSite site;
    auto device = CreateSiteEditor(EditorView::Device, *site, nullptr);
    QVERIFY(device);
    QVERIFY(!CreateSiteEditor(EditorView::Device, *site, nullptr));  // its control id is taken
    device.reset();
    QVERIFY(CreateSiteEditor(EditorView::Device, *site, nullptr));

    // Five grids at most live at once.
    std::vector<std::unique_ptr<Grid>> others;
    for (int id = 1; id <= Grid::kMaxGrids; ++id) others.emplace_back(Grid::create(id, QString()));
    QVERIFY(!CreateSiteEditor(EditorView::FireLog, *site, nullptr));
    others.pop_back();
    QVERIFY(CreateSiteEditor(EditorView::FireLog, *site, nullptr));
}

void EditorFactoryTest::viewsWithoutTypingWriteNothingBack() {
    DefaultSite site;
    const std::uint64_t before = StoreFingerprint(*site);
    for (EditorView view : {EditorView::Matrix, EditorView::Coincidence, EditorView::FireLog}) {
        auto editor = OpenEditor(view, *site);
        QTest::keyClicks(editor->grid(), QStringLiteral("123"));
        QTest::keyClick(editor->grid(), Qt::Key_Return);
        editor->writeBack();
    }
    QCOMPARE(StoreFingerprint(*site), before);
}

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::EditorFactoryTest)
#include "EditorFactoryTest.moc"
