#include "lang/Language.h"

#include "draw/ChoiceForm.h"
#include "draw/Dialogs.h"
#include "draw/Controls.h"
#include "lang/Multilan.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

TLanguageForm *LanguageForm = nullptr;

TLanguageForm::TLanguageForm(const TWindowServices &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), services_(services)
{
    setObjectName("LanguageForm");
    CreateControls();
    FormCreate();
}

void TLanguageForm::CreateControls()
{
    const ChoiceFormControls c = CreateChoiceControls(
        this, {"imgLanguageImage", "lblLanSelect", "Language", "cbbLanSelect", "btnLan_Yes_Btn", "btnLan_Cancel_Btn",
               161, 106});
    imgLanguageImage = c.background;
    lblLanSelect = c.caption;
    cbbLanSelect = c.choice;
    btnLan_Yes_Btn = c.yes;
    btnLan_Cancel_Btn = c.cancel;
    connect(btnLan_Yes_Btn, &QPushButton::clicked, this, &TLanguageForm::btnLan_Yes_BtnClick);
    connect(btnLan_Cancel_Btn, &QPushButton::clicked, this, &TLanguageForm::btnLan_Cancel_BtnClick);
}

void TLanguageForm::FormCreate()
{
    PlaceChoiceForm(this, imgLanguageImage);
    RefreshCaptions();
}

void TLanguageForm::RefreshCaptions()
{
    const MultiLanguage &lang = *services_.MultiLang;
    setWindowTitle(lang.CL("Language Select"));
    lblLanSelect->setText(lang.CL("Language"));
    btnLan_Yes_Btn->setText(lang.CL("YES"));
    btnLan_Cancel_Btn->setText(lang.CL("Cancel"));
}

bool TLanguageForm::event(QEvent *event)
{
    const bool result = QDialog::event(event);
    // Also when shown: a window manager may open the window without making
    // it active, and the list must be there all the same.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        FormActivate();
    return result;
}

void TLanguageForm::closeEvent(QCloseEvent *event)
{
    if (!TakeOutsideClose(this, event, [this] { btnLan_Cancel_BtnClick(); }))
        QDialog::closeEvent(event);
}

void TLanguageForm::FormActivate()
{
    MultiLanguage &lang = *services_.MultiLang;
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
    MultiLanguage &lang = *services_.MultiLang;
    const int chosen = cbbLanSelect->currentIndex();
    // Nothing offered or nothing chosen: nothing to apply.
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= lang.LangFiles.size()) {
        close();
        return;
    }
    if (lang.WriteLangSetting(lang.LangFiles[std::size_t(chosen)]) == 1) { // an unconfirmed sync still applies
        ShowErrorBox(this, "The language setting could not be saved!", "Error", true);
        return;
    }
    lang.ReadLangSetting();
    lang.LoadLanguage(lang.LangFile);
    RefreshCaptions();
    emit LanguageChanged();
    close();
}

void TLanguageForm::Open()
{
    cbbLanSelect->setCurrentIndex(cbbLanSelect->currentIndex());
    exec();
}

void TLanguageForm::btnLan_Cancel_BtnClick()
{
    close();
}
