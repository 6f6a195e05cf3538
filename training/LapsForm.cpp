#include "training/LapsForm.h"

#include "draw/Controls.h"
#include "draw/DarkStyle.h"
#include "draw/Dialogs.h"
#include "draw/Faces.h"
#include "lang/Multilan.h"
#include "training/LapTable.h"
#include "training/TrainingCharts.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <optional>

// The time in zones 1-5 as one bar, each part with its minutes and percent.
class TZoneBar : public QWidget {
public:
    explicit TZoneBar(QWidget *parent) : QWidget(parent) { setObjectName("ZoneBar"); }
    std::optional<std::array<int, 6>> zones;
    QString none;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(QColor(0x1c, 0x1c, 0x1c));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
        long long total = 0;
        if (zones)
            for (int z = 1; z <= 5; ++z)
                total += (*zones)[std::size_t(z)];
        if (!zones || total == 0) {
            p.drawText(rect(), Qt::AlignCenter, none);
            return;
        }
        const QRectF inner = QRectF(rect()).adjusted(4, 4, -4, -4);
        double x = inner.left();
        p.setPen(Qt::black);
        for (int z = 1; z <= 5; ++z) {
            const int s = (*zones)[std::size_t(z)];
            const double w = inner.width() * s / double(total);
            const QRectF part(x, inner.top(), w, inner.height());
            p.fillRect(part, TPeriodChart::ZoneColour(z));
            if (w > 40)
                p.drawText(part, Qt::AlignCenter,
                           QString("Z%1 %2'\n%3%").arg(z).arg(s / 60).arg(qRound(100.0 * s / double(total))));
            x += w;
        }
    }
};

QString TLapsForm::PdfFile;

TLapsForm::TLapsForm(QWidget *parent, const MultiLanguage *lang) : QWidget(parent, Qt::Dialog), lang_(lang)
{
    setObjectName("TLapsForm");
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(860, 480);
    setStyleSheet(DarkButtonRules() + DarkBoxRules() + QStringLiteral(R"(
#TLapsForm { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a4a4a, stop:1 #1c1c1c); }
QLabel { color: white; font-weight: bold; }
)"));
    LapTable = new QTableWidget(0, LapColumns, this);
    LapTable->setObjectName("LapTable");
    LapTable->setGeometry(16, 16, 828, 270);
    LapTable->verticalHeader()->hide();
    LapTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LapTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    NoLapsLab = NewLabel(this, "NoLapsLab", QString(), QRect(16, 130, 828, 30));
    NoLapsLab->setAlignment(Qt::AlignCenter);
    ZoneBar = new TZoneBar(this);
    ZoneBar->setGeometry(16, 296, 828, 48);
    RideFiguresLab = NewLabel(this, "RideFiguresLab", QString(), QRect(16, 350, 828, 76));
    RideFiguresLab->setWordWrap(true);
    RideFiguresLab->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PrintBtn = NewButton(this, "PrintBtn", C("Print"), QRect(548, 436, 92, 30));
    CopyBtn = NewButton(this, "CopyBtn", C("Copy"), QRect(650, 436, 92, 30));
    CloseBtn = NewButton(this, "CloseBtn", C("Close"), QRect(752, 436, 92, 30));
    connect(PrintBtn, &QPushButton::clicked, this, &TLapsForm::Print);
    connect(CopyBtn, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(TableText()); });
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
}

QString TLapsForm::C(const char *english) const
{
    return lang_ != nullptr ? lang_->CL(QString::fromUtf8(english)) : QString::fromUtf8(english);
}

bool TLapsForm::ShowRide(const std::string &recordPath)
{
    std::string error;
    Ride ride;
    if (!ReadRide(recordPath, ride, error)) {
        ShowErrorBox(this, "The ride could not be read: " + QString::fromStdString(error), "Error", true);
        return false;
    }
    ride_ = std::move(ride);
    const std::size_t slash = recordPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : recordPath.substr(0, slash);
    metrics_ = ComputeRideMetrics(ride_, ReadProfile(folder + "/Profile.ini"), ReadAccountGender(folder));
    // The window is kept between rides: every caption in today's language.
    setWindowTitle(C("Laps") + " - " + QString::fromStdString(ride_.name));
    PrintBtn->setText(C("Print"));
    CopyBtn->setText(C("Copy"));
    CloseBtn->setText(C("Close"));

    const bool imperial = ImperialRide(ride_);
    const LapRow headings = LapHeadings(imperial);
    QStringList captions;
    for (const std::string &h : headings)
        captions << C(h.c_str()).replace(" (", "\n(").replace(QStringLiteral("（"), QStringLiteral("\n（"));
    LapTable->setHorizontalHeaderLabels(captions);
    const std::vector<LapRow> rows = LapRows(ride_);
    LapTable->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < LapColumns; ++c) {
            auto *item = new QTableWidgetItem(QString::fromStdString(rows[std::size_t(r)][std::size_t(c)]));
            item->setTextAlignment(Qt::AlignCenter);
            LapTable->setItem(r, c, item);
        }
    NoLapsLab->setText(rows.empty() ? C("This ride has no laps.") : QString());
    NoLapsLab->setVisible(rows.empty());
    ZoneBar->zones = metrics_.zoneSeconds;
    ZoneBar->none = C("No heart-rate belt: no zones.");
    ZoneBar->update();

    const double factor = imperial ? MilesPerKm : 1.0;
    const QString speed = imperial ? "mph" : "km/h";
    QString figures = C("Load") + ": " + (metrics_.trimp ? QString::number(*metrics_.trimp, 'f', 0) : QString("-"));
    figures += "    " + C("Moving Time") + ": " + QString::fromStdString(ClockText(metrics_.movingSeconds));
    const char *const windows[3] = {"5 min", "20 min", "60 min"};
    for (int i = 0; i < 3; ++i) {
        const auto &s = metrics_.bests.speed[std::size_t(i)];
        const auto &h = metrics_.bests.heartRate[std::size_t(i)];
        if (!s && !h)
            continue;
        figures += QString("\n%1 %2: ").arg(C("Best"), C(windows[i]));
        figures += s ? QString::number(*s * factor, 'f', 1) + " " + speed : QString("-");
        figures += "   " + (h ? QString::number(*h, 'f', 0) + " bpm" : QString("-"));
    }
    RideFiguresLab->setText(figures);
    return true;
}

QString TLapsForm::TableText() const
{
    return QString::fromStdString(LapTableText(LapHeadings(ImperialRide(ride_)), LapRows(ride_)));
}

void TLapsForm::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    QString pdf = PdfFile;
    if (pdf.isEmpty() && QPrinterInfo::availablePrinters().isEmpty()) {
        pdf = QFileDialog::getSaveFileName(this, C("Print"), QString::fromStdString(ride_.name) + ".pdf", "PDF (*.pdf)");
        if (pdf.isEmpty())
            return;
    }
    if (!pdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    } else {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    QPainter p(&printer);
    const QRect page = p.viewport();
    const double scale = std::min(page.width() / double(width()), page.height() / double(height()));
    p.scale(scale, scale);
    render(&p, QPoint(), QRegion(), QWidget::DrawChildren | QWidget::DrawWindowBackground);
}
