#include "runtime/number_conversion.h"

namespace plenvor {

namespace {

constexpr bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
constexpr bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Past this the value is certainly out of range; digits beyond it only need counting.
constexpr quint64 kSaturation = quint64(1) << 33;

bool startsWithAt(QStringView text, qsizetype pos, const QString &token)
{
    return !token.isEmpty() && pos < text.size() && text.mid(pos).startsWith(token);
}

} // namespace

NumberReader::NumberReader(const QLocale &locale)
    : m_minus(locale.negativeSign()), m_plus(locale.positiveSign()), m_point(locale.decimalPoint())
{}

bool NumberReader::readSign(QStringView text, qsizetype &at) const
{
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
        return text[at++] == u'-';
    if (startsWithAt(text, at, m_minus)) {
        at += m_minus.size();
        return true;
    }
    if (startsWithAt(text, at, m_plus))
        at += m_plus.size();
    return false;
}

Status NumberReader::toInt32(QStringView text, qint32 &out) const
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && isBlank(text[i]))
        ++i;

    const bool negative = readSign(text, i);

    quint64 whole = 0;
    qsizetype digits = 0;
    for (; i < n && isDigit(text[i]); ++i, ++digits) {
        if (whole < kSaturation)
            whole = whole * 10 + quint64(text[i].unicode() - u'0');
    }

    // Only the first fractional digit and whether anything non-zero follows it matter
    // for rounding half to even.
    int firstFraction = 0;
    bool restNonZero = false;
    if (startsWithAt(text, i, m_point)) {
        i += m_point.size();
        for (qsizetype f = 0; i < n && isDigit(text[i]); ++i, ++f, ++digits) {
            const int d = text[i].unicode() - u'0';
            if (f == 0)
                firstFraction = d;
            else if (d != 0)
                restNonZero = true;
        }
    }

    while (i < n && isBlank(text[i]))
        ++i;
    if (digits == 0 || i != n)
        return status::kTypeMismatch;

    const bool odd = whole & 1u;
    if (firstFraction > 5 || (firstFraction == 5 && (restNonZero || odd)))
        ++whole;

    const quint64 limit = negative ? quint64(2147483648u) : quint64(2147483647u);
    if (whole > limit)
        return status::kOverflow;
    out = negative ? qint32(-qint64(whole)) : qint32(whole);
    return status::kOk;
}

Status VarI4FromStr(QStringView text, const QLocale &locale, qint32 &out)
{
    return NumberReader(locale).toInt32(text, out);
}

Status VarI4FromStr(QStringView text, qint32 &out)
{
    return NumberReader().toInt32(text, out);
}

} // namespace plenvor
