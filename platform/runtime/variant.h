#pragma once

#include "runtime/status.h"

#include <QString>

#include <cstdint>
#include <variant>

namespace plenvor {

// A tagged value in the manner of an OLE Automation variant, as values cross the
// settings store. The platform converts it (platform/variant_conversions.h).
class Variant
{
public:
    enum class Type : std::uint8_t { Empty, Int16, Int32, Double, Text, Error };

    Variant() = default;
    static Variant fromInt16(qint16 v) { return Variant(v); }
    static Variant fromInt32(qint32 v) { return Variant(v); }
    static Variant fromDouble(double v) { return Variant(v); }
    static Variant fromText(QString v) { return Variant(std::move(v)); }
    static Variant error(Status code) { return Variant(ErrorTag{code}); }
    // An argument left out: the error type holding DISP_E_PARAMNOTFOUND.
    static Variant omitted() { return error(status::kParamNotFound); }

    Type type() const { return Type(m_value.index()); }
    bool isOmitted() const
    {
        return type() == Type::Error && errorCode() == status::kParamNotFound;
    }

    // The stored value of the given type; calling one for another type is a programming error.
    qint16 int16() const { return std::get<qint16>(m_value); }
    qint32 int32() const { return std::get<qint32>(m_value); }
    double real() const { return std::get<double>(m_value); }
    const QString &text() const { return std::get<QString>(m_value); }
    Status errorCode() const { return std::get<ErrorTag>(m_value).code; }

    bool operator==(const Variant &other) const = default;

private:
    struct ErrorTag
    {
        Status code;
        bool operator==(const ErrorTag &) const = default;
    };
    using Value = std::variant<std::monostate, qint16, qint32, double, QString, ErrorTag>;

    template <class T> explicit Variant(T v) : m_value(std::move(v)) {}

    Value m_value;
};

} // namespace plenvor
