#include "runtime/variant_conversions.h"

#include "runtime/number_conversion.h"
#include "runtime/rounding.h"

#include <QLocale>

namespace plenvor {

Status variantToInt32(const Variant &value, qint32 &out)
{
    switch (value.type()) {
    case Variant::Type::Empty:
        out = 0;
        return status::kOk;
    case Variant::Type::Int16:
        out = value.int16();
        return status::kOk;
    case Variant::Type::Int32:
        out = value.int32();
        return status::kOk;
    case Variant::Type::Double:
        if (const auto rounded = roundToInt32(value.real())) {
            out = *rounded;
            return status::kOk;
        }
        return status::kOverflow;
    case Variant::Type::Text:
        return VarI4FromStr(value.text(), out);
    case Variant::Type::Error:
        return status::kTypeMismatch;
    }
    return status::kTypeMismatch;
}

Status variantToText(const Variant &value, QString &out)
{
    switch (value.type()) {
    case Variant::Type::Empty:
        out.clear();
        return status::kOk;
    case Variant::Type::Int16:
        out = QString::number(value.int16());
        return status::kOk;
    case Variant::Type::Int32:
        out = QString::number(value.int32());
        return status::kOk;
    case Variant::Type::Double: {
        QString digits = QString::number(value.real(), 'g', QLocale::FloatingPointShortest);
        out = digits.replace(u'.', QLocale().decimalPoint());
        return status::kOk;
    }
    case Variant::Type::Text:
        out = value.text();
        return status::kOk;
    case Variant::Type::Error:
        return status::kTypeMismatch;
    }
    return status::kTypeMismatch;
}

qint32 CLng(const Variant &value)
{
    qint32 number = 0;
    check(variantToInt32(value, number));
    return number;
}

QString CStr(const Variant &value)
{
    QString text;
    check(variantToText(value, text));
    return text;
}

} // namespace plenvor
