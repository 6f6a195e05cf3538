#pragma once
// The language service: the chosen language in LANGUAGE/LangSet.ini, the
// loaded language file (*.lre, key=text lines), caption lookup, and the
// list and display names of the language files (LangStr.set).
//
// Narrow text (file names, folders) is UTF-8 in std::string; wide text
// (keys, captions) is QString.
#include <QHash>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class MultiLanguage {
public:
    QStringList Lines;                 // lines of the loaded language file (set by LoadLanguage only)
    std::string LangFolder;            // AppFolder + "/LANGUAGE"
    std::vector<std::string> LangFiles; // found by ListLanguages, in offer order
    std::string LangFile;              // chosen language file, as read from LangSet.ini

    // Creates the language folder and LangSet.ini ("ENG.lre") when missing
    // and sets LangFile from its first line. Returns 0.
    int ReadLangSetting();
    // Writes LangSet.ini with the one line fileName, atomically (the language
    // window calls it after a choice). 0 on success, 1 on failure.
    int WriteLangSetting(const std::string &fileName);
    // Replaces Lines by the lines of LangFolder + "/" + name. True on failure:
    // the file is missing (Lines then stay as they were), holds no text, or
    // the name would reach outside the language folder.
    bool LoadLanguage(const std::string &name);
    // Text of the first entry of key in Lines, or key itself.
    QString CL(const QString &key) const;
    // Refills LangFiles with the *.lre files, ENG, CHT, CHS first. Returns 0.
    int ListLanguages();
    // Display name of a language file from LangStr.set; empty when none.
    QString DisplayName(const QString &fileName) const;

    // The default language file.
    static constexpr const char *DefaultLangFile = "ENG.lre";

private:
    // The entries of Lines by key, first entry of a key kept: built once per
    // load, so a caption costs one lookup, not a scan of the file.
    QHash<QString, QString> Entries;
};

// The twelve month names, January first: English without a language, else
// the language's texts for the English names.
QStringList MonthNamesIn(const MultiLanguage *lang);
