#pragma once

#include "platform/handles.h"
#include "platform/ole_color.h"
#include "platform/twips.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include <functional>
#include <map>
#include <tuple>

namespace plenvor {

// What every control on a form shares: a position and size in twips, kept exactly as
// written and shown rounded to pixels, and a text and background colour as OLE colours,
// read back exactly as written and painted through the widget's palette.
template <class Widget, QPalette::ColorRole kForeRole, QPalette::ColorRole kBackRole>
class ControlBase : public Widget
{
public:
    using Widget::Widget;

    qint32 Left() const { return m_left; }
    qint32 Top() const { return m_top; }
    qint32 Width() const { return m_width; }
    qint32 Height() const { return m_height; }
    void setTop(qint32 v) { Move(m_left, v, m_width, m_height); }
    void setHeight(qint32 v) { Move(m_left, m_top, m_width, v); }
    void Move(qint32 left, qint32 top, qint32 width, qint32 height)
    {
        m_left = left;
        m_top = top;
        m_width = width;
        m_height = height;
        applyGeometry();
    }

    OleColor ForeColor() const { return m_fore; }
    OleColor BackColor() const { return m_back; }
    void setForeColor(OleColor c)
    {
        m_fore = c;
        applyColors();
    }
    void setBackColor(OleColor c)
    {
        m_back = c;
        applyColors();
    }

    // The control's own flag, not whether its window happens to be on screen.
    bool Visible() const { return !this->isHidden(); }

    // Stops the control's events, as it goes.
    virtual void detachEvents() {}

protected:
    // The pixel size to show for the laid-out size; labels grow so their text is never cut.
    virtual QSize fittedSize(QSize laidOut) const { return laidOut; }

    void copyPropertiesTo(ControlBase &copy) const
    {
        if (this->testAttribute(Qt::WA_SetFont))
            copy.setFont(this->font());
        copy.m_fore = m_fore;
        copy.m_back = m_back;
        copy.applyColors();
        copy.Move(m_left, m_top, m_width, m_height);
        copy.setFocusPolicy(this->focusPolicy());
        copy.setAccessibleName(this->accessibleName());
        copy.setAccessibleDescription(this->accessibleDescription());
    }

    void applyGeometry()
    {
        const QSize laidOut(twipsToPixels(m_width), twipsToPixels(m_height));
        this->setGeometry(
            QRect(QPoint(twipsToPixels(m_left), twipsToPixels(m_top)), fittedSize(laidOut)));
    }

    void changeEvent(QEvent *event) override
    {
        // System colours follow a change of the desktop's palette.
        if (event->type() == QEvent::ApplicationPaletteChange)
            applyColors();
        Widget::changeEvent(event);
    }

private:
    void applyColors()
    {
        // A colour the widget shows anyway is left to the palette it inherits, so it keeps
        // following the desktop's; most fields need no palette of their own.
        const QPalette system = QApplication::palette(this);
        const QColor fore = resolveOleColor(m_fore, system);
        const QColor back = resolveOleColor(m_back, system);
        if (fore == system.color(kForeRole) && back == system.color(kBackRole)) {
            if (this->testAttribute(Qt::WA_SetPalette))
                this->setPalette(QPalette());
            return;
        }
        this->setPalette(sharedPalette(system, fore, back));
    }

    // With every role set, fields of the same colours share one palette's data instead of
    // each holding a copy: a thousand rows would otherwise cost megabytes.
    static QPalette sharedPalette(const QPalette &system, const QColor &fore, const QColor &back)
    {
        static std::map<std::tuple<qint64, QRgb, QRgb>, QPalette> cache;
        QPalette &palette = cache[{system.cacheKey(), fore.rgba(), back.rgba()}];
        if (palette.resolveMask() == 0) {
            palette = system;
            palette.setColor(kForeRole, fore);
            palette.setColor(kBackRole, back);
            palette.setResolveMask(~QPalette::ResolveMask(0));
        }
        return palette;
    }

    qint32 m_left = 0;
    qint32 m_top = 0;
    qint32 m_width = 0;
    qint32 m_height = 0;
    OleColor m_fore = ole::kWindowText;
    OleColor m_back = ole::kWindow;
};

// A single-line edit field with a handle, the Change and GotFocus events, and no length
// limit. Events go to plain handlers rather than signals: a connection costs each of
// thousands of fields a table of all its class's signals.
class TextBox : public ControlBase<QLineEdit, QPalette::Text, QPalette::Base>
{
    Q_OBJECT
public:
    using Handler = std::function<void()>;

    explicit TextBox(QWidget *parent);

    // Change: after every change of the text, typed, deleted, pasted or set by the program.
    void setChangeHandler(Handler handler);
    // GotFocus: when the field receives the keyboard focus.
    void setGotFocusHandler(Handler handler) { m_onGotFocus = std::move(handler); }
    void detachEvents() override;

    QString Text() const { return text(); }
    bool Locked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }
    Hwnd hWnd() const { return m_handle.value(); }

    // A hidden copy with every property, the text included, owned by the parent.
    TextBox *cloneInto(QWidget *parent) const;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    WindowHandle m_handle{this};
    Handler m_onChange;
    Handler m_onGotFocus;
    bool m_changeForwarded = false; // only fields that handle Change pay for it
    bool m_onlyAway = false;        // the focus went to a menu or another window, not another field
};

// A label: plain text on the form's background, never focused.
class Label : public ControlBase<QLabel, QPalette::WindowText, QPalette::Window>
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption);

    Label *cloneInto(QWidget *parent) const;

protected:
    QSize fittedSize(QSize laidOut) const override;
};

} // namespace plenvor
