#pragma once
// Fonts of the captions. Han characters take the face of the chosen Chinese
// variant: left to itself, fontconfig picks the face of the system locale,
// and with a non-Chinese locale that draws Japanese glyph forms.
#include <string>

class QFont;
class QString;

// The Han face of a language file: "Noto Sans CJK TC" for traditional
// Chinese ("CHT.lre"), "Noto Sans CJK SC" for simplified ("CHS.lre"),
// empty for any other language (fontconfig chooses).
QString HanFaceFor(const std::string &langFile);

// Makes the Han face of the language the face of the application font
// (every window) and of the captions drawn into pictures; other languages
// keep the system's face.
void UseLanguageFont(const std::string &langFile);

// The font of the captions drawn into pictures, with the Han face in use.
QFont PictureFont(int pixelSize, bool bold);
