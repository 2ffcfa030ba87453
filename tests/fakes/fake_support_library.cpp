#include "fakes/fake_support_library.h"

namespace plenvor::test {

Status FakeSupportLibrary::record(const QString &name, const QString &call)
{
    calls << call;
    if (m_log)
        *m_log << call;
    return failing.value(name, status::kOk);
}

qsizetype FakeSupportLibrary::count(const QString &name) const
{
    qsizetype n = 0;
    for (const QString &call : calls)
        n += call == name || call.startsWith(name + u'(');
    return n;
}

Status FakeSupportLibrary::asRegisterAppPath(qint32 &result)
{
    result = outValue;
    return record(QStringLiteral("asRegisterAppPath"), QStringLiteral("asRegisterAppPath"));
}

Status FakeSupportLibrary::asIsInIDE(VbBool &result)
{
    result = inIde;
    return record(QStringLiteral("asIsInIDE"), QStringLiteral("asIsInIDE"));
}

Status FakeSupportLibrary::asGetThunderMainHandle(Hwnd &handle)
{
    if (const Status s = record(QStringLiteral("asGetThunderMainHandle"),
                                QStringLiteral("asGetThunderMainHandle"));
        failed(s))
        return s;
    return m_real.asGetThunderMainHandle(handle);
}

Status FakeSupportLibrary::asSetWindowResIconAll(Hwnd window, const QString &resourceName)
{
    const QString who =
        window == applicationHandle() ? QStringLiteral("owner") : QStringLiteral("window");
    if (const Status s =
            record(QStringLiteral("asSetWindowResIconAll"),
                   QStringLiteral("asSetWindowResIconAll(%1,%2)").arg(who, resourceName));
        failed(s))
        return s;
    return m_real.asSetWindowResIconAll(window, resourceName);
}

Status FakeSupportLibrary::asCenterFormEx(Hwnd window, qint32 &result)
{
    if (const Status s = record(QStringLiteral("asCenterFormEx"), QStringLiteral("asCenterFormEx"));
        failed(s))
        return s;
    const Status s = m_real.asCenterFormEx(window, result);
    result = outValue;
    return s;
}

Status FakeSupportLibrary::asTrimEx2(const QString &text, VbBool spaces, VbBool tabs,
                                     VbBool carriageReturns, VbBool lineFeeds, VbBool nulls,
                                     VbBool otherControls, VbBool noBreakSpaces,
                                     VbBool unicodeSpaces, VbBool zeroWidth, VbBool lineSeparators,
                                     QString &result)
{
    trimmedTexts << text;
    const QString options = QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
                                .arg(spaces)
                                .arg(tabs)
                                .arg(carriageReturns)
                                .arg(lineFeeds)
                                .arg(nulls)
                                .arg(otherControls)
                                .arg(noBreakSpaces)
                                .arg(unicodeSpaces)
                                .arg(zeroWidth)
                                .arg(lineSeparators);
    if (const Status s =
            record(QStringLiteral("asTrimEx2"), QStringLiteral("asTrimEx2(%1)").arg(options));
        failed(s))
        return s;
    return m_real.asTrimEx2(text, spaces, tabs, carriageReturns, lineFeeds, nulls, otherControls,
                            noBreakSpaces, unicodeSpaces, zeroWidth, lineSeparators, result);
}

Status FakeSupportLibrary::asHighlightText(Hwnd field)
{
    if (const Status s =
            record(QStringLiteral("asHighlightText"), QStringLiteral("asHighlightText"));
        failed(s))
        return s;
    return m_real.asHighlightText(field);
}

Status FakeSupportLibrary::asOpenReadMeFile(qint32 reserved, qint32 &result)
{
    result = outValue;
    return record(QStringLiteral("asOpenReadMeFile"),
                  QStringLiteral("asOpenReadMeFile(%1)").arg(reserved));
}

} // namespace plenvor::test
