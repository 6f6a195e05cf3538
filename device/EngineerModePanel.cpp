#include "device/EngineerModePanel.h"

#include "device/Download.h"
#include "draw/Controls.h"
#include "draw/Dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

TEngineerModePanel::TEngineerModePanel(QWidget *parent, TDongleDownload &download)
    : QWidget(parent), download_(download)
{
    setObjectName("EngineerModePanel");
    setGeometry(288, 104, 713, 249);
    hide();
    CreateControls();
    ConnectDownload();
}

void TEngineerModePanel::CreateControls()
{
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet("#EngineerModePanel { background: #303030; border: 1px solid white; border-radius: 6px; }"
                  "QLabel { color: white; }");
    auto edit = [this](const char *name, int x, int y) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(x, y, 80, 22);
        e->setReadOnly(true);
        return e;
    };
    Label1 = NewLabel(this, "Label1", "USB HID device:", QPoint(12, 10));
    DevListBox = new QListWidget(this);
    DevListBox->setObjectName("DevListBox");
    DevListBox->setGeometry(12, 30, 290, 78);
    Label10 = NewLabel(this, "Label10", "Input Report status:", QPoint(12, 118));
    Label3 = NewLabel(this, "Label3", "Size", QPoint(12, 145));
    InRepSizeEdit = edit("InRepSizeEdit", 62, 141);
    Label11 = NewLabel(this, "Label11", "bytes", QPoint(150, 145));
    Label12 = NewLabel(this, "Label12", "Count", QPoint(12, 175));
    InRepCountEdit = edit("InRepCountEdit", 62, 171);
    Label13 = NewLabel(this, "Label13", "reports", QPoint(150, 175));
    StartButton = NewButton(this, "StartButton", "Start", QRect(12, 208, 90, 28));
    StopButton = NewButton(this, "StopButton", "Stop", QRect(112, 208, 90, 28));
    StopButton->setEnabled(false);
    LogMemo = new QPlainTextEdit(this);
    LogMemo->setObjectName("LogMemo");
    LogMemo->setGeometry(316, 10, 385, 229);
    // The end-of-transfer rule counts lines: they must never be wrapped or edited.
    LogMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    LogMemo->setReadOnly(true);
    LogMemo->setUndoRedoEnabled(false);
    QFont fixed("Liberation Mono");
    fixed.setStyleHint(QFont::Monospace);
    fixed.setPointSize(8);
    LogMemo->setFont(fixed);
    connect(StartButton, &QPushButton::clicked, this, &TEngineerModePanel::StartButtonClick);
    connect(StopButton, &QPushButton::clicked, this, &TEngineerModePanel::StopButtonClick);
}

void TEngineerModePanel::ConnectDownload()
{
    TDongleDownload *d = &download_;
    d->SelectedDevice = [this] { return SelectedDevice(); };
    connect(d, &TDongleDownload::Unlinked, this, [this] { DevListBox->clear(); });
    connect(d, &TDongleDownload::Linked, this, [this](const QString &entry, int reportLength) {
        DevListBox->addItem(entry);
        DevListBox->setCurrentRow(DevListBox->count() - 1);
        InRepSizeEdit->setText(QString::number(reportLength));
        InRepCountEdit->clear();
    });
    connect(d, &TDongleDownload::NoDeviceChosen, this, [this] {
        ShowMessage(window(), "You must select an USB HID device", "Error", QMessageBox::Critical, false);
    });
    connect(d, &TDongleDownload::RunningChanged, this, [this](bool running) {
        DevListBox->setEnabled(!running);
        StartButton->setEnabled(!running);
        StopButton->setEnabled(running);
    });
    connect(d, &TDongleDownload::ReportCountChanged, this,
            [this](int total) { InRepCountEdit->setText(QString::number(total)); });
    connect(d, &TDongleDownload::LogCleared, LogMemo, &QPlainTextEdit::clear);
    connect(d, &TDongleDownload::LogAppended, LogMemo, &QPlainTextEdit::appendPlainText);
    connect(d, &TDongleDownload::LogReplaced, LogMemo, &QPlainTextEdit::setPlainText);
}

int TEngineerModePanel::SelectedDevice() const
{
    const QList<QListWidgetItem *> selected = DevListBox->selectedItems();
    return selected.isEmpty() ? -1 : DevListBox->row(selected.first());
}

void TEngineerModePanel::StartButtonClick()
{
    download_.Start();
}

void TEngineerModePanel::StopButtonClick()
{
    download_.Stop();
}
