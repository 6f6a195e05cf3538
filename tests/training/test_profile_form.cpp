// The profile window: its refusals (nothing saved), a saved profile read
// back the same, and the figures that follow it.
#include "training/ProfileForm.h"
#include "tests/support/ModalAnswer.h"
#include "tests/training/TrainingRider.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(ProfileForm, RefusesBadInputAndSavesWhatReadsBack)
{
    TempFolder rider;
    WriteRide(rider.path(), 2024, 5, 6, 360, 0);
    TrainingService service;
    OpenAndWait(service, rider.path());
    const int usedBefore = service.Rides().back().metrics.hrMax;

    TProfileForm form(nullptr, nullptr);
    form.Load(service.ProfilePath(), service.CurrentProfile(), 1, usedBefore);
    EXPECT_EQ(form.GenderBox->currentIndex(), 1); // from the account
    EXPECT_TRUE(form.MaxHRUsedLab->text().contains(QString::number(usedBefore)));
    QSignalSpy saved(&form, &TProfileForm::Saved);
    ModalAnswerer answer;
    struct Case { const char *max, *rest, *zone3, *message; };
    const Case refused[] = {
        {"260", "", "70", "Heart rates must lie within 30 to 250 bpm."},
        {"180", "25", "70", "Heart rates must lie within 30 to 250 bpm."},
        {"1x0", "", "70", "Heart rates must lie within 30 to 250 bpm."},
        {"150", "150", "70", "The maximum heart rate must be above the resting heart rate."},
        {"55", "", "70", "The maximum heart rate must be above the resting heart rate."},
        {"180", "50", "55", "The zone bounds must ascend within 1 to 100 percent."},
    };
    for (const Case &c : refused) {
        form.MaxHREdit->setText(c.max);
        form.RestHREdit->setText(c.rest);
        form.ZoneEdit[2]->setText(c.zone3);
        EXPECT_FALSE(form.Save()) << c.max;
        EXPECT_TRUE(answer.Saw(c.message)) << c.message;
        EXPECT_FALSE(std::filesystem::exists(service.ProfilePath()));
    }
    EXPECT_EQ(saved.count(), 0);

    form.MaxHREdit->setText("200");
    form.RestHREdit->setText("30");
    form.ZoneEdit[2]->setText("72");
    EXPECT_EQ(form.ZoneBpmLab[2]->text(), "144 bpm");
    ASSERT_TRUE(form.Save());
    ASSERT_EQ(saved.count(), 1);
    const Profile back = ReadProfile(service.ProfilePath());
    EXPECT_EQ(back.maxHr, 200);
    EXPECT_EQ(back.restHr, 30);
    EXPECT_EQ(back.gender, ProfileGender::Female);
    EXPECT_EQ(back.zones, (std::array{50, 60, 72, 80, 90}));
    EXPECT_EQ(CheckProfile(back), ProfileProblem::None);

    // The figures follow the saved profile at once.
    service.SetProfile(saved[0][0].value<Profile>());
    EXPECT_EQ(service.Rides().back().metrics.hrMax, 200);
    EXPECT_EQ(service.Rides().back().metrics.hrRest, 30);
}

} // namespace
