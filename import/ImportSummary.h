#pragma once
// The end of an import told in the chosen language: how many files were
// imported, already there, failed (each with its reason) and, after a
// Cancel, not started. GUI-free.
#include "import/Import.h"

#include <QString>
#include <vector>

class MultiLanguage;

struct ImportCounts {
    std::size_t imported = 0, alreadyThere = 0, failed = 0, cancelled = 0;
};
ImportCounts CountResults(const std::vector<ImportResult> &results);

// Lines of the summary: the counts (a count of 0 left out, except the
// imported one), then one line per failed file: its name and its reason.
QString ImportSummaryText(const std::vector<ImportResult> &results, const MultiLanguage &lang);
