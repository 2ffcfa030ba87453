#include "window/frmMain.h"

#include "desktop/icons.h"

namespace plenvor {

void frmMain::Form_Load()
{
    qint32 ignored = 0;
    check(m_services.library.asCenterFormEx(hWnd(), ignored));
    VbBool inIde = 0;
    check(m_services.library.asIsInIDE(inIde));
    if (inIde == kVbFalse)
        check(m_services.library.asSetWindowResIconAll(hWnd(), kMainIcon));
    // The window is centred at its one-row size; each restored row then grows it by half
    // a pitch up and half down, so it stays centred.
    LoadSettings();
    describeRows();
}

void frmMain::Form_Unload(qint16 &Cancel)
{
    Q_UNUSED(Cancel)
    SaveSettings();
    sayIfNotKept(userCloses());
}

bool frmMain::keepWork() noexcept
{
    // Neither a failed command nor the end of the session may throw away the user's list;
    // storing cannot fail itself, and what it could not keep is said.
    SaveSettings();
    sayIfNotKept(false);
    return listKept();
}

void frmMain::sayIfNotKept(bool userIsThere) noexcept
{
    if (!m_unkept)
        return;
    const QString &where = m_unkept->where;
    const QString &why = m_unkept->why;
    resumeNext([&] {
        m_services.notice.line(
            where.isEmpty() ? QStringLiteral("the list of resolutions was not stored: %1").arg(why)
                            : QStringLiteral("the list of resolutions was not stored in "
                                             "%1: %2")
                                  .arg(where, why));
    });
    // Never at the session's end: nobody may be there, and nothing may wait for an answer.
    if (userIsThere) {
        resumeNext([&] {
            m_services.notice.box(
                where.isEmpty()
                    ? QStringLiteral("Список разрешений не сохранён.\n\nПричина: %1").arg(why)
                    : QStringLiteral("Список разрешений не сохранён.\n\nФайл: %1\nПричина: %2")
                          .arg(where, why));
        });
    }
}

} // namespace plenvor
