#pragma once

#include <QStyle>
#include <QWidget>

class QStyleOptionTitleBar;

namespace plenvor {

// The frame's title bar that a window draws itself where nobody else draws one: its icon and
// caption, a minimise and a close button, drawn by the style. Dragging it moves the window.
// A window of fixed size offers no maximise.
class TitleBar final : public QWidget
{
    Q_OBJECT
public:
    explicit TitleBar(QWidget &window);

    // How high the style draws a title bar.
    int barHeight() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QStyleOptionTitleBar option() const;

    QWidget &m_window;
    QStyle::SubControl m_pressed = QStyle::SC_None;
};

} // namespace plenvor
