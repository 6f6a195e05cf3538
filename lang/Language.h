#pragma once
// The language window: choose the language of the user interface; YES
// stores the choice and refreshes the captions of all five windows.
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class TImage;
class TmainForm;

class TLanguageForm : public QDialog {
    Q_OBJECT
public:
    explicit TLanguageForm(TmainForm *mainForm, QWidget *parent = nullptr);

    TImage *imgLanguageImage = nullptr;
    QLabel *lblLanSelect = nullptr;
    QComboBox *cbbLanSelect = nullptr; // entry i stands for LangFiles entry i
    QPushButton *btnLan_Yes_Btn = nullptr;
    QPushButton *btnLan_Cancel_Btn = nullptr;

    void RefreshCaptions();

    void FormCreate();
    void FormActivate();
    void btnLan_Yes_BtnClick();
    void btnLan_Cancel_BtnClick();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateControls();

    TmainForm *main_;
};

// Left edge of a caption label centred on a 75-pixel column that starts at
// homeLeft: homeLeft + (75 - textWidth) / 2, the division truncating toward
// zero.
int CaptionColumnLeft(int homeLeft, int textWidth);
