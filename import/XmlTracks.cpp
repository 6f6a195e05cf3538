#include "import/XmlTracks.h"

#include <cmath>

namespace xmltrack {

std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

namespace {

constexpr std::size_t DepthMax = 64;
constexpr qsizetype TextMax = 64;

bool Digits(QStringView text, qsizetype at, int count, int &value)
{
    if (at + count > text.size())
        return false;
    value = 0;
    for (int i = 0; i < count; ++i) {
        const QChar c = text[at + i];
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c.unicode() - u'0');
    }
    return true;
}

} // namespace

bool ParseTime(QStringView text, std::int64_t &ms)
{
    text = text.trimmed();
    int year, month, day, hour, minute, second;
    if (text.size() < 19 || !Digits(text, 0, 4, year) || text[4] != u'-' || !Digits(text, 5, 2, month) ||
        text[7] != u'-' || !Digits(text, 8, 2, day) || (text[10] != u'T' && text[10] != u' ') ||
        !Digits(text, 11, 2, hour) || text[13] != u':' || !Digits(text, 14, 2, minute) || text[16] != u':' ||
        !Digits(text, 17, 2, second))
        return false;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60)
        return false;
    qsizetype at = 19;
    int millis = 0;
    if (at < text.size() && text[at] == u'.') {
        int scale = 100, digits = 0;
        for (++at; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at, ++digits) {
            millis += (text[at].unicode() - u'0') * scale;
            scale /= 10;
        }
        if (digits == 0)
            return false;
    }
    int offset = 0;
    if (at < text.size()) {
        int oh, om;
        if (text[at] == u'Z' && at + 1 == text.size()) {
        } else if ((text[at] == u'+' || text[at] == u'-') && text.size() == at + 6 && Digits(text, at + 1, 2, oh) &&
                   text[at + 3] == u':' && Digits(text, at + 4, 2, om) && oh < 24 && om < 60) {
            offset = (text[at] == u'+' ? 1 : -1) * (oh * 3600 + om * 60);
        } else {
            return false;
        }
    }
    const std::int64_t seconds = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second - offset;
    ms = seconds * 1000 + millis;
    return true;
}

TrackFile WalkTracks(Walker &walk, TrackFile &file, std::string &error, const std::function<void()> &onStart,
                     const std::function<void()> &onEnd, const char *noTracks)
{
    while (error.empty() && walk.next())
        walk.isStart() ? onStart() : onEnd();
    if (error.empty())
        error = walk.error();
    if (error.empty() && file.tracks.empty())
        error = noTracks;
    if (!error.empty()) {
        file.tracks.clear();
        file.error = error;
    }
    return std::move(file);
}

double Number(const QString &text, double fallback)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

namespace {

QByteArray Trimmed(std::string_view bytes)
{
    std::size_t at = 0;
    while (true) {
        if (bytes.substr(at, 3) == "\xEF\xBB\xBF")
            at += 3;
        else if (at < bytes.size() && (bytes[at] == ' ' || bytes[at] == '\t' || bytes[at] == '\r' || bytes[at] == '\n'))
            ++at;
        else
            break;
    }
    return QByteArray::fromRawData(bytes.data() + at, static_cast<qsizetype>(bytes.size() - at));
}

} // namespace

Walker::Walker(std::string_view bytes) : data_(Trimmed(bytes)), xml_(data_) {}

bool Walker::next()
{
    if (popPending_) {
        names_.pop_back();
        popPending_ = false;
    }
    text_.clear();
    while (!xml_.atEnd()) {
        switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement:
            if (names_.size() >= DepthMax) {
                tooDeep_ = true;
                return false;
            }
            names_.push_back(xml_.name().toString());
            start_ = true;
            return true;
        case QXmlStreamReader::Characters:
            if (text_.size() < TextMax)
                text_ += xml_.text().left(TextMax - text_.size());
            break;
        case QXmlStreamReader::EndElement:
            start_ = false;
            popPending_ = true;
            return true;
        default:
            break;
        }
    }
    return false;
}

const QString &Walker::name(std::size_t up) const
{
    static const QString none;
    return up < names_.size() ? names_[names_.size() - 1 - up] : none;
}

bool Walker::inside(const char *name) const
{
    for (const QString &n : names_)
        if (n == QLatin1String(name))
            return true;
    return false;
}

QString Walker::attribute(const char *name) const
{
    return xml_.attributes().value(QLatin1String(name)).toString();
}

std::string Walker::error() const
{
    if (tooDeep_)
        return "the XML is nested deeper than " + std::to_string(DepthMax) + " elements";
    if (xml_.hasError())
        return "the XML is damaged at line " + std::to_string(xml_.lineNumber()) + ": " +
               xml_.errorString().toStdString();
    return {};
}

} // namespace xmltrack
