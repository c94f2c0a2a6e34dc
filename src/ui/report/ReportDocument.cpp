#include "ui/report/ReportDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

#include "checker/SiteCheck.h"
#include "report/ReportHtml.h"
#include "settings/AtomicFile.h"

namespace tamrik {
namespace {

constexpr int kChartObjectType = QTextFormat::UserObject + 1;
// Vector output does not need the writer's default 1200 dpi; text and lines stay sharp at any zoom.
constexpr int kPdfResolution = 300;
enum ChartProperty { kQuiescent = QTextFormat::UserProperty + 1, kAlarm, kAlarmLimit };

// Draws the two loop current bars against one scale, with the alarm limit marked.
class CurrentChart final : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;

    // As wide as the text, a fifth as high.
    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat&) override {
        const qreal width = document->textWidth() > 0 ? document->textWidth() * 0.9 : 560;
        return {width, width / 5};
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override {
        const double quiescent = format.doubleProperty(kQuiescent);
        const double alarm = format.doubleProperty(kAlarm);
        const double limit = format.doubleProperty(kAlarmLimit);
        const double top = std::max({limit, alarm, quiescent}) * 1.1;
        // Drawn on a 600 x 120 grid scaled to the space the layout gave.
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 600, rect.height() / 120);
        painter->setRenderHint(QPainter::Antialiasing);
        QFont font = painter->font();
        font.setPixelSize(13);
        painter->setFont(font);
        const QRectF grid(0, 0, 600, 120);
        const double left = grid.left() + 100, width = grid.width() - 180;
        const auto x = [&](double milliamps) { return left + milliamps / top * width; };
        const struct {
            const char* label;
            double value;
            QColor colour;
            double y;
        } bars[] = {
            {"Quiescent", quiescent, QColor(0x3b, 0x78, 0xc4), grid.top() + 8},
            {"Alarm", alarm, alarm > limit ? QColor(0xc4, 0x3b, 0x3b) : QColor(0xe0, 0x8a, 0x1e), grid.top() + 44}};
        for (const auto& bar : bars) {
            const QRectF barRect(left, bar.y, std::max(1.0, x(bar.value) - left), 24);
            painter->fillRect(barRect, bar.colour);
            painter->setPen(Qt::black);
            painter->drawText(QRectF(grid.left(), bar.y, 95, 24), Qt::AlignVCenter, QString::fromLatin1(bar.label));
            painter->drawText(QRectF(barRect.right() + 6, bar.y, 120, 24), Qt::AlignVCenter,
                              QString::fromStdString(FormatMilliamps(static_cast<float>(bar.value))));
        }
        QPen limitPen(QColor(0xa0, 0x10, 0x10), 2, Qt::DashLine);
        painter->setPen(limitPen);
        painter->drawLine(QPointF(x(limit), grid.top() + 2), QPointF(x(limit), grid.top() + 76));
        painter->drawText(
            QRectF(x(limit) - 100, grid.top() + 80, 200, 24), Qt::AlignCenter,
            QStringLiteral("Alarm limit ") + QString::fromStdString(FormatMilliamps(static_cast<float>(limit))));
        painter->restore();
    }
};

// Lays the document out once at the device's page size (in the 96-dpi units the layout works in) and
// prints it; print() would otherwise lay out a copy at a size of its own choosing.
void printOnPages(QTextDocument& document, QPagedPaintDevice& device) {
    constexpr int kLayoutDpi = 96;
    document.setPageSize(device.pageLayout().paintRectPixels(kLayoutDpi).size());
    document.print(&device);
}

}  // namespace

std::unique_ptr<QTextDocument> CommissioningReportDocument(const CommissioningReport& report) {
    auto document = std::make_unique<QTextDocument>();
    auto* chart = new CurrentChart(document.get());
    document->documentLayout()->registerHandler(kChartObjectType, chart);
    document->setHtml(QString::fromStdString(CommissioningReportHtml(report, ReportFlavour::RichText)));

    QTextCursor placeholder = document->find(QString::fromLatin1(kReportChartPlaceholder));
    if (!placeholder.isNull()) {
        QTextCharFormat format;
        format.setObjectType(kChartObjectType);
        format.setProperty(kQuiescent, static_cast<double>(report.check.quiescentMilliamps));
        format.setProperty(kAlarm, static_cast<double>(report.check.alarmMilliamps));
        format.setProperty(kAlarmLimit, static_cast<double>(report.check.alarmLimitMilliamps));
        placeholder.insertText(QString(QChar::ObjectReplacementCharacter), format);
    }
    return document;
}

QByteArray CommissioningReportPdf(const CommissioningReport& report) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(kPdfResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("Commissioning report: ") + QString::fromLatin1(report.siteName));
    writer.setCreator(QStringLiteral("tamrik"));
    printOnPages(*CommissioningReportDocument(report), writer);
    return pdf.data();
}

bool WriteCommissioningReportPdf(const CommissioningReport& report, const QString& path, QString* error) {
    const QByteArray pdf = CommissioningReportPdf(report);
    std::string reason;
    if (AtomicFile::write(path.toLocal8Bit().toStdString(), std::string_view(pdf.constData(), pdf.size()), &reason)) {
        return true;
    }
    if (error) *error = QString::fromLocal8Bit(reason.c_str());
    return false;
}

void PreviewCommissioningReport(QWidget* parent, const CommissioningReport& report) {
    const std::unique_ptr<QTextDocument> document = CommissioningReportDocument(report);
    QPrintPreviewDialog preview(parent);
    preview.setWindowTitle(QStringLiteral("Print report"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* printer) { printOnPages(*document, *printer); });
    preview.exec();
}

}  // namespace tamrik

#include "ReportDocument.moc"
