// The number conversion on arbitrary text under a "." and a "," locale, checked against a
// reference that reads the same grammar another way: a pattern, then the digits by hand.
// Input: one byte choosing the locale and the encoding, then the text.
#include "platform/number_conversion.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstdlib>

using namespace plenvor;

namespace {

Status reference(const QString &text, const QLocale &locale, qint32 &out)
{
    const QRegularExpression pattern(
        QStringLiteral("\\A[ \\t]*(%1|%2|-|\\+)?0*([0-9]*)(?:%3([0-9]*))?[ \\t]*\\z")
            .arg(QRegularExpression::escape(locale.negativeSign()),
                 QRegularExpression::escape(locale.positiveSign()),
                 QRegularExpression::escape(locale.decimalPoint())));
    const QRegularExpressionMatch m = pattern.match(text);
    const bool anyDigit = text.contains(QRegularExpression(QStringLiteral("[0-9]")));
    if (!m.hasMatch() || !anyDigit)
        return status::kTypeMismatch;
    if (m.captured(2).size() > 11)
        return status::kOverflow;
    qint64 value = m.captured(2).toLongLong();
    const QString fraction = m.captured(3) + u'0';
    const bool restNonZero = fraction.mid(1).contains(QRegularExpression(QStringLiteral("[1-9]")));
    if (fraction[0] > u'5' || (fraction[0] == u'5' && (restNonZero || value % 2)))
        ++value;
    if (m.captured(1) == QLatin1String("-") || m.captured(1) == locale.negativeSign())
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return status::kOverflow;
    out = qint32(value);
    return status::kOk;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const QLocale dot = QLocale::c();
    static const QLocale comma(QLocale::German, QLocale::Germany);
    const QLocale &locale = data[0] & 1 ? comma : dot;
    const QString text =
        data[0] & 2
            ? QString(reinterpret_cast<const QChar *>(data + 1), qsizetype((size - 1) / 2))
            : QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    qint32 value = 12345;
    qint32 expected = 12345;
    const Status s = VarI4FromStr(text, locale, value);
    const Status r = reference(text, locale, expected);
    if (s != r || value != expected) { // a failed conversion writes nothing
        std::fprintf(stderr, "conversion %d/%d, reference %d/%d\n", s, value, r, expected);
        std::abort();
    }
    return 0;
}
