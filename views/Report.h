#pragma once
// The one-page analysis report: the layout of views/ChartData.h painted on
// any painter (texts in Arial 12, each chart drawn into its rectangle by the
// caller), and the printer job that the print button starts.
#include <functional>

class QPainter;
class QRectF;
class QString;
class QWidget;
struct TReportLayout;

// Draws chart kind (ChartKind, -1 the multi-file chart) into a rectangle.
using TDrawChart = std::function<void(QPainter &painter, int kind, const QRectF &target)>;
// Gives the layout of a page of width W, height H at R dots per inch.
using TLayoutPage = std::function<TReportLayout(int W, int H, int R)>;

void PaintReport(QPainter &painter, const TReportLayout &layout, const TDrawChart &drawChart);

enum class PrintOutcome { Printed, Cancelled, Failed };
// Lets the rider choose a printer (a print dialog; "Print to File (PDF)"
// without a printer) and prints the page on it.
PrintOutcome PrintReport(QWidget *parent, const TLayoutPage &layoutPage, const TDrawChart &drawChart);

// Tests: the following reports go to this PDF file (Letter, 600 dpi, the
// whole page) without a dialog; an empty path brings the dialog back.
void PrintReportToPdf(const QString &path);
