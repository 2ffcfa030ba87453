#pragma once

#include <QString>
#include <QtGlobal>

#include <exception>
#include <utility>

namespace plenvor {

// A 32-bit status in HRESULT form: zero or positive is success, negative is failure.
using Status = qint32;

constexpr Status makeStatus(quint32 code)
{
    return static_cast<Status>(code);
}

namespace status {
constexpr Status kOk = 0;
constexpr Status kFalse = 1;
constexpr Status kUnexpected = makeStatus(0x8000FFFFu);
constexpr Status kFail = makeStatus(0x80004005u);
constexpr Status kInvalidArg = makeStatus(0x80070057u);
constexpr Status kInvalidHandle = makeStatus(0x80070006u);
constexpr Status kOutOfMemory = makeStatus(0x8007000Eu);
constexpr Status kFileNotFound = makeStatus(0x80070002u);
constexpr Status kAccessDenied = makeStatus(0x80070005u);
constexpr Status kResourceNotFound = makeStatus(0x80070716u);
constexpr Status kTypeMismatch = makeStatus(0x80020005u);  // DISP_E_TYPEMISMATCH
constexpr Status kOverflow = makeStatus(0x8002000Au);      // DISP_E_OVERFLOW
constexpr Status kParamNotFound = makeStatus(0x80020004u); // DISP_E_PARAMNOTFOUND
constexpr Status kCannotCreateObject = makeStatus(0x800A01ADu);
constexpr Status kNoSuchElement = makeStatus(0x800A0154u); // control array element missing
constexpr Status kAlreadyLoaded = makeStatus(0x800A0168u);
constexpr Status kCannotUnloadLayoutControl = makeStatus(0x800A016Au);
} // namespace status

constexpr bool failed(Status s)
{
    return s < 0;
}

// Russian description of a status, for the error report.
QString describeStatus(Status s);

// A run-time error: a failure status raised where it was returned.
class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(Status status) : m_status(status) {}
    Status status() const { return m_status; }
    const char *what() const noexcept override { return "plenvor run-time error"; }

private:
    Status m_status;
};

// Raises a negative status as a run-time error; success passes through.
inline void check(Status s)
{
    if (failed(s))
        throw RuntimeError(s);
}

// Runs one step of a procedure that resumes at the next step after any error:
// the step is abandoned and whatever it should have computed keeps its old value.
template <class Step> void resumeNext(Step &&step) noexcept
{
    try {
        std::forward<Step>(step)();
    } catch (...) { // NOLINT(bugprone-empty-catch): the failed step is abandoned, no more
    }
}

} // namespace plenvor
