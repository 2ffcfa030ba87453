#pragma once

#include "platform/control_host.h"
#include "platform/ole_color.h"

#include <QLabel>
#include <QLineEdit>

namespace plenvor {

class Label;
class TextBox;

// The widgets a form lends its controls while a screen shows them or they have the focus.
// Each shows one control at a time; `control` is that one, or null while the widget waits.

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

    TextBox *control = nullptr;
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

    Label *control = nullptr;
};

// Paints the OLE colours through the widget's palette. Fields of the same colours share one
// palette's data; a colour the widget shows anyway is left to the palette it inherits, so it
// keeps following the desktop's.
void applyColours(QWidget &widget, OleColor foreColour, OleColor backColour,
                  QPalette::ColorRole foreRole, QPalette::ColorRole backRole);

} // namespace plenvor
