#include "EditorTestSupport.h"

namespace tamrik::testing {

class EditorFactoryTest : public QObject {
    Q_OBJECT

private slots:
    // Typing into views that take none, and Enter, change nothing in the site.
    void viewsWithoutTypingWriteNothingBack() {
        auto site = DefaultSite();
        const std::uint64_t before = site.fingerprint();
        for (EditorView view : {EditorView::Matrix, EditorView::Coincidence, EditorView::FireLog}) {
            auto editor = OpenEditor(view, site);
            QTest::keyClicks(editor->grid(), QStringLiteral("123"));
            QTest::keyClick(editor->grid(), Qt::Key_Return);
            editor->writeBack();
        }
        QCOMPARE(site.fingerprint(), before);
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::EditorFactoryTest)
#include "EditorFactoryTest.moc"
