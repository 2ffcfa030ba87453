#pragma once

#include <QString>

namespace plenvor {

// What the program tells its user outside its window, where a failure would otherwise pass
// unseen: a line on the error stream, and a message box for someone who is there to read it.
class UserNotice
{
public:
    virtual ~UserNotice() = default;
    virtual void line(const QString &text) = 0;
    // Returns once the box is closed.
    virtual void box(const QString &text) = 0;
};

} // namespace plenvor
