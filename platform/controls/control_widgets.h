#pragma once

#include "controls/control_colours.h"
#include "controls/control_host.h"

#include <QLabel>
#include <QLineEdit>

namespace plenvor {

// The widgets a form lends its controls while a screen shows them or they have the focus.
// Each shows one control at a time, or none while the widget waits.

// What a field widget tells the control it shows.
class FieldOwner
{
public:
    virtual void userEdited(const QString &text) = 0;
    // The field received the focus anew.
    virtual void focusReceived() = 0;

protected:
    ~FieldOwner() = default;
};

// A one-line field never holds a line break: text that arrives with one keeps what stands
// before the first (CR, LF, or a Unicode line or paragraph separator).
QString firstLine(const QString &text);

class FieldWidget final : public QLineEdit
{
    Q_OBJECT
public:
    explicit FieldWidget(QWidget *parent);

    // Writes the control's text, raising no Change of the user's.
    void push(const QString &text);
    Selection selection() const;
    void select(const Selection &selection);
    // A field is exactly the size its control gives it.
    QSize minimumSizeHint() const override { return {}; }

    FieldOwner *owner = nullptr;
    bool onlyAway = false; // the focus went to a menu or another window, not another field

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_pushing = false;
};

class LabelWidget final : public QLabel
{
    Q_OBJECT
public:
    explicit LabelWidget(QWidget *parent);

    // A label never cuts its text.
    QSize minimumSizeHint() const override { return sizeHint(); }
};

} // namespace plenvor
