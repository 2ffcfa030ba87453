#pragma once

#include "support/app_object.h"
#include "support/support_library.h"

#include <QHash>
#include <QIcon>

namespace plenvor {

// The support library on Qt.
class QtSupportLibrary final : public SupportLibrary
{
public:
    // The read-me is looked for in `readMeFolders`, in order; by default beside the program
    // (a build tree), then in the installed data folder.
    explicit QtSupportLibrary(AppObject app, QStringList readMeFolders = {});

    Status asRegisterAppPath(qint32 &result) override;
    Status asIsInIDE(VbBool &inIde) override;
    Status asGetThunderMainHandle(Hwnd &handle) override;
    Status asSetWindowResIconAll(Hwnd window, const QString &resourceName) override;
    Status asCenterFormEx(Hwnd window, qint32 &result) override;
    Status asTrimEx2(const QString &text, VbBool spaces, VbBool tabs, VbBool carriageReturns,
                     VbBool lineFeeds, VbBool nulls, VbBool otherControls, VbBool noBreakSpaces,
                     VbBool unicodeSpaces, VbBool zeroWidth, VbBool lineSeparators,
                     QString &result) override;
    Status asHighlightText(Hwnd field) override;
    Status asOpenReadMeFile(qint32 reserved, qint32 &result) override;

private:
    AppObject m_app;
    QStringList m_readMeFolders;
    QHash<QString, QIcon> m_icons;
};

} // namespace plenvor
