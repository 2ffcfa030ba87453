#pragma once

#include "runtime/error_report.h"

namespace plenvor {

// The report on Qt: the text on the error stream, then in a modal message box under the
// application's title; then the process ends at once, running nothing more of the program.
class QtErrorReport final : public ErrorReport
{
public:
    explicit QtErrorReport(QString caption) : m_caption(std::move(caption)) {}

    [[noreturn]] void reportAndExit(Status status) override;

private:
    QString m_caption;
};

} // namespace plenvor
