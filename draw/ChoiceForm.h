#pragma once
// The frame shared by the windows that offer one choice (account deletion,
// language): a bold caption over a drop-down list, YES and Cancel below, on
// a dark-to-white gradient the size of the window, centred on the screen.
class QComboBox;
class QDialog;
class QLabel;
class QPushButton;
class TImage;

struct ChoiceFormLayout {
    const char *background, *caption, *captionText, *choice, *yes, *cancel; // component names
    int height;    // of the window (280 wide)
    int buttonTop; // of YES and Cancel
};

struct ChoiceFormControls {
    TImage *background;
    QLabel *caption;
    QComboBox *choice;
    QPushButton *yes;
    QPushButton *cancel;
};

ChoiceFormControls CreateChoiceControls(QDialog *form, const ChoiceFormLayout &layout);
// Paints the background, fixes the window to its size and centres it.
void PlaceChoiceForm(QDialog *form, TImage *background);

class TKorvanDataBase;
// Lists the riders again and offers them in the list, the first one chosen.
void OfferRiders(QComboBox *choice, TKorvanDataBase &db);
