#include "window/frmMain.h"

#include "shell/key_table.h"

namespace plenvor {

void frmMain::Form_KeyDown(qint16 &KeyCode, qint16 &Shift)
{
    switch (commandForKey(KeyCode, Shift)) {
    case KeyCommand::AddRow:
        AddResolutionRow();
        describeRows();
        break;
    case KeyCommand::RemoveRow:
        RemoveResolutionRow();
        describeRows();
        break;
    case KeyCommand::ShowAbout:
        showAboutBox();
        break;
    case KeyCommand::OpenReadMe: {
        qint32 ignored = 0;
        check(m_services.library.asOpenReadMeFile(0, ignored));
        break;
    }
    case KeyCommand::Unload:
        Unload();
        break;
    case KeyCommand::None:
        break;
    }
}

void frmMain::showAboutBox()
{
    const AppObject &app = m_services.app;
    AboutDialog &box = m_services.aboutBox.get();
    check(box.ShowAbout(this, app, QString(), nullptr, QStringLiteral("Ovelin")));
}

void frmMain::highlightFocusedField()
{
    check(m_services.library.asHighlightText(GetFocus()));
}

void frmMain::txtSourceWidth_GotFocus()
{
    highlightFocusedField();
}
void frmMain::txtSourceHeight_GotFocus()
{
    highlightFocusedField();
}

// The row index is not needed: the focused field is asked of the window system.
void frmMain::txtResolutionWidth_GotFocus(qint16)
{
    highlightFocusedField();
}
void frmMain::txtResolutionHeight_GotFocus(qint16)
{
    highlightFocusedField();
}
void frmMain::txtTargetWidth_GotFocus(qint16)
{
    highlightFocusedField();
}
void frmMain::txtTargetHeight_GotFocus(qint16)
{
    highlightFocusedField();
}

} // namespace plenvor
