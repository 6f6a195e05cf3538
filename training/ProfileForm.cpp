#include "training/ProfileForm.h"

#include "draw/Controls.h"
#include "draw/DarkStyle.h"
#include "draw/Dialogs.h"
#include "lang/Multilan.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char *const kStyle = R"(
QDialog { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a4a4a, stop:1 #1c1c1c); }
QLabel { color: white; font-weight: bold; }
QLabel[used="true"] { color: #E79333; font-weight: normal; }
)";

// An empty box is 0 (not set); -1 for what is not a whole number.
int NumberOf(const QLineEdit *edit)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : -1;
}

} // namespace

TProfileForm::TProfileForm(QWidget *parent, const MultiLanguage *lang) : QDialog(parent), lang_(lang)
{
    setObjectName("TProfileForm");
    setWindowTitle(C("Profile"));
    setModal(true);
    setStyleSheet(DarkButtonRules() + DarkBoxRules() + QString::fromLatin1(kStyle));
    setFixedSize(420, 330);
    NewLabel(this, "MaxHRLab", C("Maximum Heart Rate"), QRect(20, 20, 200, 24));
    MaxHREdit = new QLineEdit(this);
    MaxHREdit->setObjectName("MaxHREdit");
    MaxHREdit->setGeometry(230, 20, 60, 24);
    MaxHRUsedLab = NewLabel(this, "MaxHRUsedLab", QString(), QRect(300, 20, 110, 24));
    NewLabel(this, "RestHRLab", C("Resting Heart Rate"), QRect(20, 52, 200, 24));
    RestHREdit = new QLineEdit(this);
    RestHREdit->setObjectName("RestHREdit");
    RestHREdit->setGeometry(230, 52, 60, 24);
    RestHRUsedLab = NewLabel(this, "RestHRUsedLab", QString(), QRect(300, 52, 110, 24));
    for (QLabel *used : {MaxHRUsedLab, RestHRUsedLab})
        used->setProperty("used", true);
    NewLabel(this, "GenderLab", C("Gender"), QRect(20, 84, 200, 24));
    GenderBox = NewComboBox(this, "GenderBox", QRect(230, 84, 120, 26));
    GenderBox->addItems({C("Male"), C("Female")});
    NewLabel(this, "ZonesLab", C("Zone bounds (% of maximum)"), QRect(20, 122, 380, 24));
    for (int i = 0; i < 5; ++i) {
        const int top = 150 + i * 28;
        NewLabel(this, "", C("Zone") + QString(" %1").arg(i + 1), QRect(40, top, 100, 24));
        ZoneEdit[std::size_t(i)] = new QLineEdit(this);
        ZoneEdit[std::size_t(i)]->setObjectName(QString("ZoneEdit%1").arg(i + 1));
        ZoneEdit[std::size_t(i)]->setGeometry(150, top, 60, 24);
        ZoneBpmLab[std::size_t(i)] = NewLabel(this, "", QString(), QRect(220, top, 120, 24));
        ZoneBpmLab[std::size_t(i)]->setObjectName(QString("ZoneBpmLab%1").arg(i + 1));
        ZoneBpmLab[std::size_t(i)]->setProperty("used", true);
        connect(ZoneEdit[std::size_t(i)], &QLineEdit::textChanged, this, &TProfileForm::ShowUsed);
    }
    connect(MaxHREdit, &QLineEdit::textChanged, this, &TProfileForm::ShowUsed);
    connect(RestHREdit, &QLineEdit::textChanged, this, &TProfileForm::ShowUsed);
    OkBtn = NewButton(this, "OkBtn", C("OK"), QRect(210, 292, 90, 28));
    CancelBtn = NewButton(this, "CancelBtn", C("Cancel"), QRect(310, 292, 90, 28));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, [this] {
        if (Save())
            accept();
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QString TProfileForm::C(const char *english) const
{
    return lang_ != nullptr ? lang_->CL(QString::fromUtf8(english)) : QString::fromUtf8(english);
}

void TProfileForm::Load(const std::string &path, const Profile &profile, int accountGender, int usedMax)
{
    path_ = path;
    usedMax_ = usedMax;
    MaxHREdit->setText(profile.maxHr > 0 ? QString::number(profile.maxHr) : QString());
    RestHREdit->setText(profile.restHr > 0 ? QString::number(profile.restHr) : QString());
    const bool female = profile.gender == ProfileGender::Female ||
                        (profile.gender == ProfileGender::Unset && accountGender == 1);
    GenderBox->setCurrentIndex(female ? 1 : 0);
    for (std::size_t i = 0; i < 5; ++i)
        ZoneEdit[i]->setText(QString::number(profile.zones[i]));
    ShowUsed();
}

void TProfileForm::ShowUsed()
{
    const int max = NumberOf(MaxHREdit), rest = NumberOf(RestHREdit);
    const int usedMax = max > 0 ? max : usedMax_ > 0 ? usedMax_ : 190;
    MaxHRUsedLab->setText(max > 0 ? QString() : C("used:") + QString(" %1").arg(usedMax));
    RestHRUsedLab->setText(rest > 0 ? QString() : C("used:") + QString(" %1").arg(60));
    for (std::size_t i = 0; i < 5; ++i) {
        const int percent = NumberOf(ZoneEdit[i]);
        ZoneBpmLab[i]->setText(percent > 0 ? QString("%1 bpm").arg((percent * usedMax + 99) / 100) : QString());
    }
}

bool TProfileForm::Save()
{
    Profile p;
    p.maxHr = NumberOf(MaxHREdit);
    p.restHr = NumberOf(RestHREdit);
    p.gender = GenderBox->currentIndex() == 1 ? ProfileGender::Female : ProfileGender::Male;
    for (std::size_t i = 0; i < 5; ++i)
        p.zones[i] = NumberOf(ZoneEdit[i]);
    // A box that holds no number is out of range as well.
    if (p.maxHr < 0 || p.restHr < 0)
        p.maxHr = ProfileHrHigh + 1;
    const char *problem = nullptr;
    switch (CheckProfile(p)) {
    case ProfileProblem::None:
        break;
    case ProfileProblem::HeartRateRange:
        problem = "Heart rates must lie within 30 to 250 bpm.";
        break;
    case ProfileProblem::MaxNotAboveRest:
        problem = "The maximum heart rate must be above the resting heart rate.";
        break;
    case ProfileProblem::ZonesNotAscending:
        problem = "The zone bounds must ascend within 1 to 100 percent.";
        break;
    }
    if (problem != nullptr) {
        ShowMessage(this, C(problem), C("Profile"), QMessageBox::Warning, true);
        return false;
    }
    std::string error;
    if (!WriteProfile(path_, p, error)) {
        ShowErrorBox(this, C("The profile was not saved:") + " " + QString::fromStdString(error), "Error", true);
        return false;
    }
    emit Saved(p);
    return true;
}
