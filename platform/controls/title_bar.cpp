#include "controls/title_bar.h"

#include <QMouseEvent>
#include <QStyleOptionTitleBar>
#include <QStylePainter>
#include <QWindow>

namespace plenvor {

TitleBar::TitleBar(QWidget &window) : QWidget(&window), m_window(window)
{
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Заголовок окна"));
}

QStyleOptionTitleBar TitleBar::option() const
{
    QStyleOptionTitleBar option;
    option.initFrom(this);
    option.rect = rect();
    option.text = m_window.windowTitle();
    option.icon = m_window.windowIcon();
    option.titleBarFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    // The style reads the window's activity from the bar's state, as Qt's own windows in a
    // window set it.
    const bool active = m_window.isActiveWindow();
    option.titleBarState = int(m_window.windowState()) | (active ? int(QStyle::State_Active) : 0);
    option.state.setFlag(QStyle::State_Active, active);
    option.subControls = QStyle::SC_TitleBarLabel | QStyle::SC_TitleBarSysMenu |
                         QStyle::SC_TitleBarMinButton | QStyle::SC_TitleBarCloseButton;
    option.activeSubControls = m_pressed;
    option.state.setFlag(QStyle::State_Sunken, m_pressed != QStyle::SC_None);
    return option;
}

int TitleBar::barHeight() const
{
    QStyleOptionTitleBar option;
    option.initFrom(this);
    option.titleBarFlags = Qt::Window | Qt::WindowTitleHint;
    return style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, this);
}

void TitleBar::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    const QStyleOptionTitleBar drawn = option();
    painter.drawComplexControl(QStyle::CC_TitleBar, drawn);
}

void TitleBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QStyleOptionTitleBar bar = option();
    const QStyle::SubControl under = style()->hitTestComplexControl(
        QStyle::CC_TitleBar, &bar, event->position().toPoint(), this);
    if (under == QStyle::SC_TitleBarMinButton || under == QStyle::SC_TitleBarCloseButton) {
        m_pressed = under;
        update();
        return;
    }
    // The rest of the bar moves the window, as the compositor does it.
    if (QWindow *window = m_window.windowHandle())
        window->startSystemMove();
}

void TitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    const QStyle::SubControl pressed = std::exchange(m_pressed, QStyle::SC_None);
    update();
    const QStyleOptionTitleBar bar = option();
    if (style()->hitTestComplexControl(QStyle::CC_TitleBar, &bar, event->position().toPoint(),
                                       this) != pressed)
        return;
    if (pressed == QStyle::SC_TitleBarCloseButton)
        m_window.close();
    else if (pressed == QStyle::SC_TitleBarMinButton)
        m_window.showMinimized();
}

} // namespace plenvor
