// The program's pictures. Icons and larger pictures are SVG files in the
// resource; the button faces around them are painted here so that all faces
// share one look: a dark grey gradient, a white frame and the orange accent
// for hover and active states.
#include "draw/Assets.h"

#include "draw/Faces.h"
#include "draw/Image.h"
#include "draw/Fonts.h"
#include "draw/Photo.h"
#include "draw/ImageList.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <map>

// The resource lives in a static library: it is registered on first use
// (Q_INIT_RESOURCE must stand outside any namespace).
static void InitAssetResource() { Q_INIT_RESOURCE(assets); }

QImage Blank(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void PaintFace(QPainter &p, const QRectF &r, qreal radius, Face face)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    switch (face) {
    case Face::Normal: g.setColorAt(0, QColor(0x5c, 0x5c, 0x5c)); g.setColorAt(1, QColor(0x24, 0x24, 0x24)); break;
    case Face::Hover: g.setColorAt(0, QColor(0x70, 0x70, 0x70)); g.setColorAt(1, QColor(0x33, 0x33, 0x33)); break;
    case Face::Active: g.setColorAt(0, QColor(0xF2, 0xA8, 0x55)); g.setColorAt(1, QColor(0xC0, 0x70, 0x1C)); break;
    case Face::Disabled: g.setColorAt(0, QColor(0x48, 0x48, 0x48)); g.setColorAt(1, QColor(0x30, 0x30, 0x30)); break;
    }
    const QColor frame = face == Face::Hover ? kAccent : face == Face::Disabled ? kDim : QColor(Qt::white);
    const qreal width = face == Face::Hover ? 3 : 2;
    p.setPen(QPen(frame, width));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(width / 2, width / 2, -width / 2, -width / 2), radius, radius);
}

namespace {

// Every caption drawn into a picture, by its English text.
const char *const kCaptionKeys[] = {
    "Calendar", "Details", "Analysis", "Guide", "Print", "Logout",
    "Summary", "Download", "Receiving", "No dongle", "Linked",
};

// Their texts in the language in use (none: English).
QHash<QString, QString> &Captions()
{
    static QHash<QString, QString> texts;
    return texts;
}
QString Caption(const char *key)
{
    const QString english = QString::fromLatin1(key);
    return Captions().value(english, english);
}

QString ResourcePath(const QString &file) { return QStringLiteral(":/assets/") + file; }

void InitResources()
{
    static const bool done = (InitAssetResource(), true);
    (void)done;
}

QImage RenderSvg(const QString &file, int w, int h)
{
    InitResources();
    QImage img = Blank(w, h);
    QSvgRenderer svg(ResourcePath(file));
    if (svg.isValid()) {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
    }
    return img;
}

// A white line drawing recoloured (alpha kept).
QImage Tinted(QImage img, const QColor &colour)
{
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(img.rect(), colour);
    return img;
}

// The white 64 x 48 drawing of an icon face, rendered once per list.
QImage Glyph(const QString &icon) { return RenderSvg(icon, 64, 48); }

// A face with an icon (a Glyph) and a caption below it.
QPixmap IconFace(int w, int h, const QImage &white, const QString &caption, Face face)
{
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    PaintFace(p, QRectF(0, 0, w, h), 10, face);
    const QColor ink = face == Face::Hover ? kAccent : face == Face::Disabled ? kDim : QColor(Qt::white);
    p.drawImage((w - 64) / 2, h / 2 - 38, ink == Qt::white ? white : Tinted(white, ink));
    p.setFont(PictureFont(13, true));
    p.setPen(ink);
    p.drawText(QRect(0, h / 2 + 14, w, 22), Qt::AlignHCenter | Qt::AlignVCenter, caption);
    return QPixmap::fromImage(img);
}

TImageList MainButtons()
{
    struct Button { const char *icon; const char *caption; };
    static const Button buttons[7] = {
        {"icon_calendar.svg", "Calendar"}, {"icon_details.svg", "Details"},  {"icon_analysis.svg", "Analysis"},
        {"icon_home.svg", "Guide"},        {"icon_print.svg", "Print"},      {"icon_logout.svg", "Logout"},
        {"icon_summary.svg", "Summary"},
    };
    QImage glyphs[7];
    for (int i = 0; i < 7; ++i)
        glyphs[i] = Glyph(QString::fromLatin1(buttons[i].icon));
    TImageList list(119, 91);
    for (Face face : {Face::Normal, Face::Hover})
        for (int i = 0; i < 7; ++i)
            list.Add(IconFace(119, 91, glyphs[i], Caption(buttons[i].caption), face));
    return list;
}

QPixmap ArrowFace(bool right, Face face)
{
    QImage img = Blank(24, 28);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    PaintFace(p, QRectF(0, 0, 24, 28), 6, face);
    const qreal shift = face == Face::Active ? 1 : 0;
    QPainterPath chevron;
    if (right) {
        chevron.moveTo(9 + shift, 8 + shift); chevron.lineTo(15 + shift, 14 + shift); chevron.lineTo(9 + shift, 20 + shift);
    } else {
        chevron.moveTo(15 + shift, 8 + shift); chevron.lineTo(9 + shift, 14 + shift); chevron.lineTo(15 + shift, 20 + shift);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(face == Face::Hover ? kAccent : QColor(Qt::white), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(chevron);
    return QPixmap::fromImage(img);
}

TImageList MonthButtons()
{
    TImageList list(24, 28);
    for (bool right : {false, true})
        for (Face face : {Face::Normal, Face::Hover, Face::Active})
            list.Add(ArrowFace(right, face));
    return list;
}

TImageList RadioPictures()
{
    TImageList list(28, 28);
    for (int state = 0; state < 3; ++state) {
        QImage img = Blank(28, 28);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient g(QPointF(11, 10), 14);
        g.setColorAt(0, QColor(0x66, 0x66, 0x66));
        g.setColorAt(1, QColor(0x26, 0x26, 0x26));
        p.setBrush(g);
        p.setPen(QPen(state == 2 ? kAccent : QColor(Qt::white), state == 2 ? 3 : 2));
        p.drawEllipse(QRectF(2, 2, 24, 24));
        if (state == 1) {
            p.setPen(Qt::NoPen);
            p.setBrush(kAccent);
            p.drawEllipse(QRectF(8, 8, 12, 12));
        }
        list.Add(QPixmap::fromImage(img));
    }
    return list;
}

TImageList DonglePictures()
{
    TImageList list(113, 103);
    // The caption under the dongle: dim when none is linked, bold when one is.
    const struct { const char *file, *caption; QColor ink; bool bold; } faces[2] = {
        {"dongle_none.svg", "No dongle", QColor(0xd8, 0xd8, 0xd8), false},
        {"dongle_linked.svg", "Linked", Qt::white, true},
    };
    for (const auto &f : faces) {
        QImage img = RenderSvg(QString::fromLatin1(f.file), 113, 103);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setFont(PictureFont(11, f.bold));
        p.setPen(f.ink);
        p.drawText(QRect(4, 85, 105, 15), Qt::AlignHCenter | Qt::AlignVCenter, Caption(f.caption));
        p.end();
        list.Add(QPixmap::fromImage(img));
    }
    return list;
}

TImageList StartPictures()
{
    const QImage glyph = Glyph("icon_download.svg");
    TImageList list(114, 90);
    list.Add(IconFace(114, 90, glyph, Caption("Download"), Face::Normal));
    list.Add(IconFace(114, 90, glyph, Caption("Receiving"), Face::Active));
    list.Add(IconFace(114, 90, glyph, Caption("Download"), Face::Disabled));
    return list;
}

}  // namespace

namespace {

// The windows keep pointers to the lists: a map never moves its entries.
std::map<QString, TImageList> &ListCache()
{
    static std::map<QString, TImageList> cache;
    return cache;
}

void MakeAssetList(const QString &name, TImageList &list)
{
    if (name == QLatin1String("MainBtnImageList"))
        list = MainButtons();
    else if (name == QLatin1String("MonthBtnImageList"))
        list = MonthButtons();
    else if (name == QLatin1String("RadioImgList"))
        list = RadioPictures();
    else if (name == QLatin1String("DongleLinkStatusImageList"))
        list = DonglePictures();
    else if (name == QLatin1String("StartBtnImageList"))
        list = StartPictures();
}

}  // namespace

const TImageList &AssetList(const QString &name)
{
    const auto [it, added] = ListCache().try_emplace(name);
    if (added)
        MakeAssetList(name, it->second);
    return it->second;
}

void SetAssetCaptions(const CaptionText &text)
{
    bool changed = false;
    for (const char *key : kCaptionKeys) {
        const QString english = QString::fromLatin1(key), caption = text(key);
        changed = changed || Caption(key) != caption;
        Captions().insert(english, caption);
    }
    // The same texts again (English at every start): the lists stand.
    if (!changed)
        return;
    for (const char *name : kCaptionedLists) {
        const auto it = ListCache().find(QString::fromLatin1(name));
        if (it != ListCache().end())
            MakeAssetList(it->first, it->second);
    }
}

namespace {

QImage MakeAssetImage(const QString &name)
{
    struct Entry { const char *name; const char *file; int w, h; };
    static const Entry entries[] = {
        {"Splash", "splash.svg", 650, 229},     {"Logo", "logo.svg", 225, 70},
        {"Language", "language.svg", 40, 40},   {"MaleSymbol", "male.svg", 32, 32},
        {"FemaleSymbol", "female.svg", 32, 32}, {"AppIcon", "appicon.svg", 256, 256},
    };
    for (const Entry &e : entries)
        if (name == QLatin1String(e.name))
            return RenderSvg(QString::fromLatin1(e.file), e.w, e.h);
    if (name == QLatin1String("MalePhoto") || name == QLatin1String("FemalePhoto"))
        return DecodeJpegImage(AssetData(name));
    return QImage();
}

QByteArray ReadAssetData(const QString &name)
{
    QString file;
    if (name == QLatin1String("MalePhoto"))
        file = QStringLiteral("photo_male.jpg");
    else if (name == QLatin1String("FemalePhoto"))
        file = QStringLiteral("photo_female.jpg");
    else
        return QByteArray();
    InitResources();
    QFile f(ResourcePath(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

// Pictures and bytes are shared copies of the first result.
QImage AssetImage(const QString &name)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(name);
    return it != cache.end() ? *it : *cache.insert(name, MakeAssetImage(name));
}

QByteArray AssetData(const QString &name)
{
    static QHash<QString, QByteArray> cache;
    auto it = cache.find(name);
    return it != cache.end() ? *it : *cache.insert(name, ReadAssetData(name));
}

void RedrawCaptioned(TImage *picture)
{
    const TImageList *list = picture->ShownList;
    if (list == nullptr || picture->ShownIndex < 0)
        return;
    for (const char *name : kCaptionedLists)
        if (list == &AssetList(QString::fromLatin1(name))) {
            list->Draw(picture, picture->ShownIndex);
            return;
        }
}
