#pragma once
// The texts of the main window that are not labels: the captions drawn into
// its pictures (top buttons, download button, dongle status) and the
// tooltips of its picture buttons, in the chosen language.
class MultiLanguage;
class QWidget;

// Draws the captioned pictures again with the language's captions (in the
// font of the language, set before) (also on the controls that show them) and sets
// the tooltips. Controls are found by name below mainWindow.
void RefreshPictureCaptions(QWidget *mainWindow, const MultiLanguage &lang);
