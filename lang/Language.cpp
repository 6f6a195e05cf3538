#include "lang/Language.h"

#include "accounts/Accountdel.h"
#include "accounts/Accountset.h"
#include "accounts/Dialogs.h"
#include "accounts/Login.h"
#include "app/Main.h"
#include "draw/Image.h"
#include "draw/Korvandraw.h"
#include "lang/Multilan.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

TLanguageForm::TLanguageForm(TmainForm *mainForm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), main_(mainForm)
{
    setObjectName("LanguageForm");
    CreateControls();
    FormCreate();
}

void TLanguageForm::CreateControls()
{
    imgLanguageImage = new TImage(this, "imgLanguageImage");
    imgLanguageImage->setGeometry(0, 0, 280, 161);
    lblLanSelect = new QLabel("Language", this);
    lblLanSelect->setObjectName("lblLanSelect");
    lblLanSelect->setGeometry(20, 18, 240, 20);
    lblLanSelect->setStyleSheet("color: white; background: transparent;");
    QFont bold = lblLanSelect->font();
    bold.setBold(true);
    lblLanSelect->setFont(bold);
    cbbLanSelect = new QComboBox(this);
    cbbLanSelect->setObjectName("cbbLanSelect");
    cbbLanSelect->setEditable(false);
    cbbLanSelect->setGeometry(20, 42, 240, 26);
    btnLan_Yes_Btn = new QPushButton("YES", this);
    btnLan_Yes_Btn->setObjectName("btnLan_Yes_Btn");
    btnLan_Yes_Btn->setGeometry(20, 106, 115, 32);
    btnLan_Cancel_Btn = new QPushButton("Cancel", this);
    btnLan_Cancel_Btn->setObjectName("btnLan_Cancel_Btn");
    btnLan_Cancel_Btn->setGeometry(145, 106, 115, 32);
    for (QPushButton *b : {btnLan_Yes_Btn, btnLan_Cancel_Btn})
        b->setAutoDefault(false);
    connect(btnLan_Yes_Btn, &QPushButton::clicked, this, &TLanguageForm::btnLan_Yes_BtnClick);
    connect(btnLan_Cancel_Btn, &QPushButton::clicked, this, &TLanguageForm::btnLan_Cancel_BtnClick);
}

void TLanguageForm::FormCreate()
{
    TKorvanDraw().FillGradient(imgLanguageImage, 0x404040, 0xFFFFFF, 0);
    setFixedSize(imgLanguageImage->size());
    move(CentredOnScreen(size()));
    RefreshCaptions();
}

void TLanguageForm::RefreshCaptions()
{
    const MultiLanguage &lang = *main_->MultiLang;
    setWindowTitle(lang.CL("Language Select"));
    lblLanSelect->setText(lang.CL("Language"));
    btnLan_Yes_Btn->setText(lang.CL("YES"));
    btnLan_Cancel_Btn->setText(lang.CL("Cancel"));
}

bool TLanguageForm::event(QEvent *event)
{
    const bool result = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return result;
}

void TLanguageForm::FormActivate()
{
    MultiLanguage &lang = *main_->MultiLang;
    lang.ListLanguages();
    cbbLanSelect->clear();
    int selected = -1;
    for (std::size_t i = 0; i < lang.LangFiles.size(); ++i) {
        cbbLanSelect->addItem(lang.DisplayName(QString::fromStdString(lang.LangFiles[i])));
        if (lang.LangFiles[i] == lang.LangFile)
            selected = static_cast<int>(i);
    }
    // Adding the first entry selects it; only the language in use is chosen.
    cbbLanSelect->setCurrentIndex(selected);
}

void TLanguageForm::btnLan_Yes_BtnClick()
{
    MultiLanguage &lang = *main_->MultiLang;
    const int chosen = cbbLanSelect->currentIndex();
    // Nothing offered or nothing chosen: nothing to apply.
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= lang.LangFiles.size()) {
        close();
        return;
    }
    if (lang.WriteLangSetting(lang.LangFiles[std::size_t(chosen)]) != 0) {
        ShowErrorBox(this, "The language setting could not be saved!", "Error", true);
        return;
    }
    lang.ReadLangSetting();
    lang.LoadLanguage(lang.LangFile);
    RefreshCaptions();
    main_->RefreshCaptions();
    if (LoginForm != nullptr)
        LoginForm->RefreshCaptions();
    if (UserAccountSetForm != nullptr)
        UserAccountSetForm->RefreshCaptions();
    if (DeleteAccountForm != nullptr)
        DeleteAccountForm->RefreshCaptions();
    close();
}

void TLanguageForm::btnLan_Cancel_BtnClick()
{
    close();
}

int CaptionColumnLeft(int homeLeft, int textWidth)
{
    return homeLeft + (75 - textWidth) / 2;
}
