#include "lang/Multilan.h"

#include "store/Textfile.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

// A name from LangSet.ini must stay inside the language folder: one name,
// not a path, not the folder or its parent. ("Deutsch..lre" is a file.)
bool SafeFileName(const std::string &name)
{
    return name.find('/') == std::string::npos && name != "." && name != ".." &&
           name.find('\0') == std::string::npos;
}

} // namespace

int MultiLanguage::ReadLangSetting()
{
    ::mkdir(LangFolder.c_str(), 0777); // exists already, or cannot be made: both go unreported
    const std::string path = LangFolder + "/LangSet.ini";
    std::string bytes;
    const ReadStatus status = ReadFile(path, bytes, filelimit::Text, Links::NotFollowed);
    if (status == ReadStatus::Ok) {
        if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
            bytes.erase(0, 3); // a mark from a text editor is not part of the name
        LangFile = bytes.substr(0, bytes.find_first_of("\r\n"));
        return 0;
    }
    LangFile = DefaultLangFile;
    // Only a missing setting is written; one that exists but cannot be read
    // is left for its owner to mend.
    if (status == ReadStatus::Missing)
        WriteLangSetting(LangFile);
    return 0;
}

int MultiLanguage::WriteLangSetting(const std::string &fileName)
{
    return WriteFileAtomic(LangFolder + "/LangSet.ini", fileName + "\r\n");
}

bool MultiLanguage::LoadLanguage(const std::string &name)
{
    if (!SafeFileName(name))
        return true;
    if (!ReadWideLines(LangFolder + "/" + name, Lines, filelimit::Text, Links::NotFollowed))
        return true;
    Entries.clear();
    for (const QString &line : Lines) {
        QStringView t(line);
        const qsizetype cut = t.indexOf(u"//");
        if (cut >= 0)
            t = t.left(cut);
        const qsizetype eq = t.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = TrimBelow33(t.left(eq)).toString();
        if (!Entries.contains(key))
            Entries.insert(key, t.mid(eq + 1).toString());
    }
    return Lines.isEmpty();
}

QString MultiLanguage::CL(const QString &key) const
{
    const auto it = Entries.constFind(key);
    return it == Entries.constEnd() ? key : it.value();
}

int MultiLanguage::ListLanguages()
{
    LangFiles.clear();
    for (std::string &name : ListShownEntries(LangFolder, EntryKind::PlainFile))
        if (EndsWithNoCase(name, ".lre"))
            LangFiles.push_back(std::move(name));
    for (const char *known : {"CHS.lre", "CHT.lre", "ENG.lre"}) {
        const auto it = std::find(LangFiles.begin(), LangFiles.end(), known);
        if (it != LangFiles.end())
            std::rotate(LangFiles.begin(), it, it + 1);
    }
    return 0;
}

QString MultiLanguage::DisplayName(const QString &fileName) const
{
    if (fileName.isEmpty())
        return {};
    QStringList lines;
    ReadWideLines(LangFolder + "/LangStr.set", lines, filelimit::Text, Links::NotFollowed);
    for (const QString &line : lines) {
        if (!line.contains(fileName))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        return TrimBelow33(eq < 0 ? QStringView(line) : QStringView(line).mid(eq + 1)).toString();
    }
    return {};
}

QStringList MonthNamesIn(const MultiLanguage *lang)
{
    static const char *const english[12] = {"January", "February", "March",     "April",   "May",      "June",
                                            "July",    "August",   "September", "October", "November", "December"};
    QStringList names;
    for (const char *name : english)
        names << (lang != nullptr ? lang->CL(QLatin1String(name)) : QString::fromLatin1(name));
    return names;
}
