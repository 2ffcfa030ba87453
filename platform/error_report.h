#pragma once

#include "support/status.h"

#include <QString>

#include <functional>

namespace plenvor {

// The platform's report of an untrapped run-time error: a modal message box naming the
// status, then the end of the process with a non-zero exit status.
void reportAndExit(Status status);

// The text of that message box.
QString errorReportText(Status status);

// The caption of the message box: the application's title.
void setErrorReportCaption(const QString &caption);

// Replaces the report, for tests that observe it without a modal box; returns the one
// it replaces. A replacement that returns lets the program go on.
using ErrorReportHook = std::function<void(Status)>;
ErrorReportHook setErrorReportHook(ErrorReportHook hook);

// Runs code that Qt calls, so that no exception ever reaches Qt's event loop: a
// run-time error ends in the report.
template <class Handler> void stopAtEdge(Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const RuntimeError &error) {
        reportAndExit(error.status());
    } catch (const std::bad_alloc &) {
        reportAndExit(status::kOutOfMemory);
    } catch (...) {
        reportAndExit(status::kUnexpected);
    }
}

} // namespace plenvor
