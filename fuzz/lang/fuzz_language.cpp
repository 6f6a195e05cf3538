// Arbitrary bytes as a language file, as LangStr.set and as LangSet.ini.
#include "fuzz/store/FuzzFolder.h"
#include "lang/Multilan.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    MultiLanguage ml;
    ml.LangFolder = FuzzFolder() + "LANGUAGE";
    static const int folderMade = ml.ReadLangSetting();
    (void)folderMade;
    for (const char *name : {"/X.lre", "/LangStr.set", "/LangSet.ini"})
        FuzzWrite(ml.LangFolder + name, data, size);
    ml.LoadLanguage("X.lre");
    for (const char *key : {"User ID", "Distance", "January", ""})
        ml.CL(QString::fromUtf8(key));
    // Keys and names taken from the input itself.
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size < 12 ? size : 12));
    ml.CL(text);
    ml.DisplayName("X.lre");
    ml.DisplayName(text);
    ml.ReadLangSetting();
    ml.LoadLanguage(ml.LangFile);
    ml.ListLanguages();
    return 0;
}
