#pragma once

#include "runtime/status.h"

#include <QLocale>
#include <QStringView>

namespace plenvor {

// Text to a signed 32-bit integer for a locale, in the manner of OLE Automation's
// VarI4FromStr. Accepted, in order: blanks (space and tab), an optional sign ("+", "-" or
// the locale's own), decimal digits, optionally the locale's decimal separator and more
// digits, blanks. There must be a digit. A fraction is rounded half to even.
// Refused as type mismatch: digit grouping, exponents, currency symbols, trailing signs,
// parentheses and &H/&O numbers, so that a field never means something other than it shows.
// Returns kOk, kTypeMismatch or kOverflow; out is written only on success. Linear in the
// length of the text.
Status VarI4FromStr(QStringView text, const QLocale &locale, qint32 &out);

// The same for the user's default locale, QLocale(), which tests may pin.
Status VarI4FromStr(QStringView text, qint32 &out);

// The conversion with the locale's signs and separator looked up once, for converting
// many texts in a row.
class NumberReader
{
public:
    explicit NumberReader(const QLocale &locale = QLocale());
    Status toInt32(QStringView text, qint32 &out) const;

private:
    // Passes over a sign at `at`; true where it is a minus.
    bool readSign(QStringView text, qsizetype &at) const;

    QString m_minus;
    QString m_plus;
    QString m_point;
};

} // namespace plenvor
