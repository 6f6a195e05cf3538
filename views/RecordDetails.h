#pragma once
// The record details view: the rider's record files, the totals of the
// marked one, the sensors it used, and its notes (topic, weather, memo).
#include "draw/ViewPanel.h"

#include <string>
#include <vector>

class TKorvanDataBase;

class TSportModePanel : public TViewPanel {
    Q_OBJECT
public:
    TSportModePanel(QWidget *parent, TKorvanDataBase &db);

    // Where the frame around the notes is drawn (hidden after drawing).
    QWidget *MemoShape = nullptr;

    // The record file names, none marked.
    void FillList(const std::vector<std::string> &names);
    // The empty view: no values, no notes, sensors unused, Save disabled.
    void ClearRecordDetails();

signals:
    // A record file was deleted: the record lists are to be refilled.
    void RecordsChanged();

private:
    TKorvanDataBase &db_;
};
