#pragma once

#include "support/user_notice.h"

namespace plenvor {

// The notice on Qt: "plenvor: " and the line on the error stream; the box a modal warning
// under the application's title, over the active window.
class QtUserNotice final : public UserNotice
{
public:
    explicit QtUserNotice(QString caption) : m_caption(std::move(caption)) {}

    void line(const QString &text) override;
    void box(const QString &text) override;

private:
    QString m_caption;
};

} // namespace plenvor
