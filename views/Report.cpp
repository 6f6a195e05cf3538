#include "views/Report.h"

#include "views/ChartData.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QString &PdfHookPath()
{
    static QString path;
    return path;
}

} // namespace

void PrintReportToPdf(const QString &path)
{
    PdfHookPath() = path;
}

void PaintReport(QPainter &painter, const TReportLayout &layout, const TDrawChart &drawChart)
{
    for (const TPlacedChart &chart : layout.charts) {
        const TRect &r = chart.rect;
        painter.save();
        drawChart(painter, chart.kind, QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top));
        painter.restore();
    }
    painter.setFont(QFont(QStringLiteral("Arial"), 12));
    painter.setPen(Qt::black);
    // Each line on a white ground of its own, so it stays legible where it
    // lies over a chart (the rider's ID over the bottom of a single chart);
    // a ground stops at a chart's top edge, which stays in view.
    const QFontMetrics metrics = painter.fontMetrics();
    for (const TPlacedText &text : layout.texts) {
        const QString line = QString::fromStdString(text.text);
        QRect ground(text.x - metrics.height() / 4, text.y,
                     metrics.horizontalAdvance(line) + metrics.height() / 2, metrics.height());
        for (const TPlacedChart &chart : layout.charts)
            if (ground.top() < chart.rect.top && ground.bottom() >= chart.rect.top)
                ground.setBottom(chart.rect.top - 1);
        painter.fillRect(ground, Qt::white);
        painter.drawText(text.x, text.y + metrics.ascent(), line);
    }
}

PrintOutcome PrintReport(QWidget *parent, const TLayoutPage &layoutPage, const TDrawChart &drawChart)
{
    // The page geometry is given in pixels of the whole page.
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(600);
    printer.setFullPage(true);
    if (PdfHookPath().isEmpty()) {
        QPrintDialog dialog(&printer, parent);
        dialog.setObjectName(QStringLiteral("PrintDialog1"));
        if (dialog.exec() != QDialog::Accepted)
            return PrintOutcome::Cancelled;
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PdfHookPath());
        printer.setPageSize(QPageSize(QPageSize::Letter));
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintOutcome::Failed;
    PaintReport(painter, layoutPage(printer.width(), printer.height(), printer.logicalDpiY()), drawChart);
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}
