#include "views/ExportButton.h"

#include "draw/Dialogs.h"
#include "export/Export.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>

namespace {

constexpr ExportFormat kFormats[3] = {ExportFormat::Fit, ExportFormat::Tcx, ExportFormat::Csv};
const char *const kFilters[3] = {"FIT activity (*.fit)", "TCX Training Center (*.tcx)", "CSV spreadsheet (*.csv)"};

// An arrow down into a tray, in the face's ink, at the left of the face.
void PaintGlyph(QPainter &p, const QColor &ink, int h)
{
    const qreal y = (h - 18) / 2.0;
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(17, y), QPointF(17, y + 11));
    p.drawPolyline(QPolygonF({{12, y + 6}, {17, y + 11}, {22, y + 6}}));
    p.drawPolyline(QPolygonF({{9, y + 12}, {9, y + 17}, {25, y + 17}, {25, y + 12}}));
}

QString SaveDialog(const QString &suggested, const QStringList &filters, int &filter)
{
    QString chosenFilter = filters.value(filter);
    const QString path = QFileDialog::getSaveFileName(nullptr, QString(), suggested, filters.join(";;"), &chosenFilter);
    filter = std::max<int>(0, int(filters.indexOf(chosenFilter)));
    return path;
}

} // namespace

TExportButton::Chooser TExportButton::ChooseFile = SaveDialog;
QString TExportButton::LastFolder;

TExportButton::TExportButton(QWidget *parent, const QRect &geometry)
    : TFaceButton(parent, "ExportBtnImage", geometry, PaintGlyph)
{
    connect(this, &TImage::clicked, this, &TExportButton::Export);
    SetCaption("Export");
    SetRecord(std::string());
}

void TExportButton::SetRecord(const std::string &recordPath)
{
    record_ = recordPath;
    setEnabled(!record_.empty());
}

void TExportButton::Export()
{
    if (record_.empty())
        return;
    QStringList filters;
    for (const char *f : kFilters)
        filters << QString::fromLatin1(f);
    QString folder = LastFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const std::string name = SuggestedExportName(record_, ExportFormat::Fit);
    int filter = 0;
    const QString chosen = ChooseFile(folder + "/" + QString::fromStdString(name), filters, filter);
    if (chosen.isEmpty())
        return;
    // The extension typed names the format; without one the filter does.
    ExportFormat format = kFormats[std::clamp(filter, 0, 2)];
    QString path = chosen;
    if (!ExportFormatOf(QFileInfo(chosen).suffix().toStdString(), format))
        path += QString(".") + ExportExtension(format);
    LastFolder = QFileInfo(path).absolutePath();
    std::string error;
    if (!ExportRecord(record_, format, path.toStdString(), error))
        ShowErrorBox(this, "The ride could not be exported: " + QString::fromStdString(error), "Error", true);
    else if (!error.empty())
        ShowErrorBox(this, QString::fromStdString(error), "Warning", true);
}
