// The number conversion on arbitrary text under a "." and a "," locale, checked against a
// reference that reads the same grammar another way: a pattern match, then decimal strings
// compared digit by digit. Input: one byte choosing the locale and encoding, then the text.
#include "platform/number_conversion.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstdlib>

using namespace plenvor;

namespace {

Status reference(const QString &text, const QLocale &locale, qint32 &out)
{
    const QString pattern =
        QStringLiteral("\\A[ \\t]*(%1|%2|-|\\+)?([0-9]*)(?:%3([0-9]*))?[ \\t]*\\z")
            .arg(QRegularExpression::escape(locale.negativeSign()),
                 QRegularExpression::escape(locale.positiveSign()),
                 QRegularExpression::escape(locale.decimalPoint()));
    const QRegularExpressionMatch m = QRegularExpression(pattern).match(text);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return status::kTypeMismatch;
    const bool negative = m.captured(1) == QLatin1String("-") || m.captured(1) == locale.negativeSign();
    QString whole = m.captured(2);
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    if (whole.size() > 11)
        return status::kOverflow;
    qint64 value = whole.isEmpty() ? 0 : whole.toLongLong();
    const QString fraction = m.captured(3);
    if (!fraction.isEmpty()) {
        const QString rest = fraction.mid(1);
        const bool aboveHalf = fraction[0] > u'5' ||
                               (fraction[0] == u'5' && rest.contains(QRegularExpression(QStringLiteral("[1-9]"))));
        const bool exactlyHalf = fraction[0] == u'5' && !aboveHalf;
        if (aboveHalf || (exactlyHalf && value % 2 == 1))
            ++value;
    }
    if (negative)
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
    const QString text = data[0] & 2
        ? QString(reinterpret_cast<const QChar *>(data + 1), qsizetype((size - 1) / 2))
        : QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    qint32 value = 12345;
    const Status s = VarI4FromStr(text, locale, value);
    qint32 expected = 12345;
    const Status r = reference(text, locale, expected);
    if (s != r || (s == status::kOk && value != expected)) {
        std::fprintf(stderr, "conversion %d/%d, reference %d/%d\n", s, value, r, expected);
        std::abort();
    }
    if (s != status::kOk && value != 12345)
        std::abort();   // a failed conversion writes nothing
    return 0;
}
