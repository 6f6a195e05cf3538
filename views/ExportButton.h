#pragma once
// The export of the shown record to a training platform's file (FIT, TCX)
// or a spreadsheet (CSV): a picture button in the program's look that asks
// where to save, suggests a name from the start time and starts in the
// folder used last, else the rider's documents folder.
#include "draw/FaceButton.h"

#include <functional>
#include <string>

class TExportButton : public TFaceButton {
    Q_OBJECT
public:
    TExportButton(QWidget *parent, const QRect &geometry);

    // The record file to export (full path); empty while no record is shown.
    void SetRecord(const std::string &recordPath);
    // Asks for the file and writes it; a failure is shown with its reason.
    void Export();

    // Chooses the file to write: the suggested path (folder and name) and
    // the filters in; the chosen path and the filter index out (an empty
    // path: cancelled). The save dialog unless a test sets another.
    using Chooser = std::function<QString(const QString &suggested, const QStringList &filters, int &filter)>;
    static Chooser ChooseFile;
    // The folder of the last export (empty: none yet).
    static QString LastFolder;

private:
    std::string record_;
};
