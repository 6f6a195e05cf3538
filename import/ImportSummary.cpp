#include "import/ImportSummary.h"

#include "lang/Multilan.h"

#include <QFileInfo>

ImportCounts CountResults(const std::vector<ImportResult> &results)
{
    ImportCounts c;
    for (const ImportResult &r : results) {
        switch (r.status) {
        case ImportStatus::Imported: ++c.imported; break;
        case ImportStatus::AlreadyThere: ++c.alreadyThere; break;
        case ImportStatus::Failed: ++c.failed; break;
        case ImportStatus::Cancelled: ++c.cancelled; break;
        }
    }
    return c;
}

QString ImportSummaryText(const std::vector<ImportResult> &results, const MultiLanguage &lang)
{
    const ImportCounts c = CountResults(results);
    QStringList lines;
    lines << lang.CL("Imported: %1").arg(c.imported);
    if (c.alreadyThere != 0)
        lines << lang.CL("Already there: %1").arg(c.alreadyThere);
    if (c.failed != 0)
        lines << lang.CL("Failed: %1").arg(c.failed);
    if (c.cancelled != 0)
        lines << lang.CL("Not imported (cancelled): %1").arg(c.cancelled);
    for (const ImportResult &r : results)
        if (r.status == ImportStatus::Failed)
            lines << QFileInfo(QString::fromStdString(r.file)).fileName() + ": " + QString::fromStdString(r.reason);
    return lines.join('\n');
}
