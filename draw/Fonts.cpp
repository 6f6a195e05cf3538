#include "draw/Fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QString>

namespace {

QString &HanFace()
{
    static QString face;
    return face;
}

// The Han face in use first, then the given face for what it lacks. Qt
// keeps a font's fallback faces by its first family: with the Han face as
// a fallback, a change of variant would go unseen until a restart. Both are
// real families: an alias such as "Sans Serif" in a list is skipped.
QStringList Families(const QString &latin)
{
    return HanFace().isEmpty() ? QStringList{latin} : QStringList{HanFace(), latin};
}

}  // namespace

QString HanFaceFor(const std::string &langFile)
{
    const QString stem = QString::fromStdString(langFile).section('.', 0, 0).toUpper();
    if (stem == QLatin1String("CHT"))
        return QStringLiteral("Noto Sans CJK TC");
    if (stem == QLatin1String("CHS"))
        return QStringLiteral("Noto Sans CJK SC");
    return QString();
}

void UseLanguageFont(const std::string &langFile)
{
    // The system's font as it was before any change: other languages keep
    // it as it is, Chinese ones put the Han face before its face.
    static const QFont system = QApplication::font();
    HanFace() = HanFaceFor(langFile);
    QFont font = system;
    if (!HanFace().isEmpty())
        font.setFamilies(Families(QFontInfo(system).family()));
    QApplication::setFont(font);
    // The windows take the font through posted events: deliver them now, so
    // texts measured next are measured in it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationFontChange);
}

QFont PictureFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(Families(QStringLiteral("Liberation Sans")));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
