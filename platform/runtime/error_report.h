#pragma once

#include "runtime/status.h"

#include <QString>

namespace plenvor {

// The platform's report of an untrapped run-time error: it tells the user the status and ends
// the process with a non-zero exit status. One that returns lets the program go on.
class ErrorReport
{
public:
    virtual ~ErrorReport() = default;
    virtual void reportAndExit(Status status) = 0;
};

// What the report says: the status in decimal and hexadecimal, and what it means.
QString errorReportText(Status status);

// Runs code that Qt calls, so that no exception ever reaches Qt's event loop: a run-time error
// ends in the report.
template <class Handler> void stopAtEdge(ErrorReport &report, Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const RuntimeError &error) {
        report.reportAndExit(error.status());
    } catch (const std::bad_alloc &) {
        report.reportAndExit(status::kOutOfMemory);
    } catch (...) {
        report.reportAndExit(status::kUnexpected);
    }
}

} // namespace plenvor
