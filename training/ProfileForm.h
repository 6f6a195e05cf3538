#pragma once
// The rider's profile window (modal): maximum and resting heart rate (empty
// takes them from the records, the value used shown beside), gender, the
// five zone bounds in percent with the heart rates they stand for. OK
// refuses what the profile reader would not keep, with a message in the
// chosen language, and saves nothing then.
#include "training/Profile.h"

#include <QDialog>
#include <array>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class MultiLanguage;

class TProfileForm : public QDialog {
    Q_OBJECT
public:
    TProfileForm(QWidget *parent, const MultiLanguage *lang);

    // path: the Profile.ini to write; usedMax: the maximum the last ride
    // used (0: none yet); accountGender: 0 male, 1 female.
    void Load(const std::string &path, const Profile &profile, int accountGender, int usedMax);
    // Checks and writes; true when saved (then Saved was emitted).
    bool Save();

    QLineEdit *MaxHREdit = nullptr;
    QLineEdit *RestHREdit = nullptr;
    QLabel *MaxHRUsedLab = nullptr;
    QLabel *RestHRUsedLab = nullptr;
    QComboBox *GenderBox = nullptr;
    std::array<QLineEdit *, 5> ZoneEdit{};
    std::array<QLabel *, 5> ZoneBpmLab{};
    QPushButton *OkBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

signals:
    void Saved(const Profile &profile);

private:
    QString C(const char *english) const;
    void ShowUsed();

    const MultiLanguage *lang_;
    std::string path_;
    int usedMax_ = 0;
};
