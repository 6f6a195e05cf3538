#pragma once
// The export of the shown record to a training platform's file (FIT, TCX)
// or a spreadsheet (CSV): a picture button in the program's look that asks
// where to save, suggests a name from the start time and starts in the
// folder used last, else the rider's documents folder.
#include "draw/Image.h"

#include <QPixmap>
#include <array>
#include <functional>
#include <string>

class TExportButton : public TImage {
    Q_OBJECT
public:
    TExportButton(QWidget *parent, const QRect &geometry);

    // The caption in the chosen language; the faces are drawn anew.
    void SetCaption(const QString &caption);
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

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void ShowFace(bool hover);

    std::string record_;
    QString caption_;
    std::array<QPixmap, 3> faces_; // normal, hover, disabled
};
