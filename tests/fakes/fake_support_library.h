#pragma once

#include "platform/qt_support_library.h"
#include "support/support_library.h"

#include <QHash>
#include <QStringList>

namespace plenvor::test {

// Records every call by name (with its arguments where they matter) and returns the status
// it is told to for the functions named in `failing`. Window services act for real through
// the Qt library; nothing starts another program or writes settings.
class FakeSupportLibrary final : public SupportLibrary
{
public:
    QStringList calls;
    QHash<QString, Status> failing;
    VbBool inIde = kVbFalse;
    qint32 outValue = 4242;   // what the functions with an ignored out value give
    QStringList trimmedTexts; // every text asTrimEx2 was given

    explicit FakeSupportLibrary(QStringList *sharedLog = nullptr) : m_log(sharedLog) {}

    Status asRegisterAppPath(qint32 &result) override;
    Status asIsInIDE(VbBool &result) override;
    Status asGetThunderMainHandle(Hwnd &handle) override;
    Status asSetWindowResIconAll(Hwnd window, const QString &resourceName) override;
    Status asCenterFormEx(Hwnd window, qint32 &result) override;
    Status asTrimEx2(const QString &text, VbBool spaces, VbBool tabs, VbBool carriageReturns,
                     VbBool lineFeeds, VbBool nulls, VbBool otherControls, VbBool noBreakSpaces,
                     VbBool unicodeSpaces, VbBool zeroWidth, VbBool lineSeparators,
                     QString &result) override;
    Status asHighlightText(Hwnd field) override;
    Status asOpenReadMeFile(qint32 reserved, qint32 &result) override;

    qsizetype count(const QString &name) const;

private:
    // The status to return for the function, after recording the call.
    Status record(const QString &name, const QString &call);

    QStringList *m_log;
    QtSupportLibrary m_real{AppObject::plenvor()};
};

} // namespace plenvor::test
