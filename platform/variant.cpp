#include "platform/variant.h"

#include "platform/number_conversion.h"
#include "platform/rounding.h"

#include <QLocale>

namespace plenvor {

namespace {
constexpr Status kInvalidUseOfNull = makeStatus(0x800A005Eu);
}

Status Variant::toInt32(qint32 &out) const
{
    switch (type()) {
    case Type::Empty:
        out = 0;
        return status::kOk;
    case Type::Int16:
        out = int16();
        return status::kOk;
    case Type::Int32:
        out = int32();
        return status::kOk;
    case Type::Double:
        if (const auto rounded = roundToInt32(real())) {
            out = *rounded;
            return status::kOk;
        }
        return status::kOverflow;
    case Type::Text:
        return VarI4FromStr(text(), out);
    case Type::Null:
        return kInvalidUseOfNull;
    case Type::Error:
        return status::kTypeMismatch;
    }
    return status::kTypeMismatch;
}

Status Variant::toText(QString &out) const
{
    switch (type()) {
    case Type::Empty:
        out.clear();
        return status::kOk;
    case Type::Int16:
        out = QString::number(int16());
        return status::kOk;
    case Type::Int32:
        out = QString::number(int32());
        return status::kOk;
    case Type::Double: {
        QString digits = QString::number(real(), 'g', QLocale::FloatingPointShortest);
        out = digits.replace(u'.', QLocale().decimalPoint());
        return status::kOk;
    }
    case Type::Text:
        out = text();
        return status::kOk;
    case Type::Null:
        return kInvalidUseOfNull;
    case Type::Error:
        return status::kTypeMismatch;
    }
    return status::kTypeMismatch;
}

qint32 Variant::CLng() const
{
    qint32 value = 0;
    check(toInt32(value));
    return value;
}

QString Variant::CStr() const
{
    QString value;
    check(toText(value));
    return value;
}

} // namespace plenvor
