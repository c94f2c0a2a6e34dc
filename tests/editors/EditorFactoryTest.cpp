#include "EditorTestSupport.h"

namespace tamrik::testing {

class EditorFactoryTest : public QObject {
    Q_OBJECT

private slots:
    void everyViewFillsItsEditor() {
        DefaultSite site;
        for (EditorView view : {EditorView::Matrix, EditorView::Text, EditorView::Device, EditorView::FireLog,
                                EditorView::NonFireLog, EditorView::CombinedLog, EditorView::Coincidence}) {
            QWidget host;
            auto editor = CreateSiteEditor(view, *site, &host);
            QVERIFY(editor);
            QCOMPARE(editor->parentWidget(), &host);
            QCOMPARE(editor->view(), view);
            QCOMPARE(editor->toolBar() != nullptr, view == EditorView::Matrix);
            editor->resize(640, 480);
            editor->show();
            QTRY_COMPARE(editor->grid()->geometry(), editor->rect());
        }
    }

    void viewsWithoutTypingWriteNothingBack() {
        DefaultSite site;
        const std::uint64_t before = site->fingerprint();
        for (EditorView view : {EditorView::Matrix, EditorView::Coincidence, EditorView::FireLog}) {
            auto editor = OpenEditor(view, *site);
            QTest::keyClicks(editor->grid(), QStringLiteral("123"));
            QTest::keyClick(editor->grid(), Qt::Key_Return);
            editor->writeBack();
        }
        QCOMPARE(site->fingerprint(), before);
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::EditorFactoryTest)
#include "EditorFactoryTest.moc"
