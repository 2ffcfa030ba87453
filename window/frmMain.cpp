#include "window/frmMain.h"

#include "window/layout.h"

namespace plenvor {

namespace {

using layout::Control;

bool isReadOnly(Control c)
{
    return c == Control::TargetWidth || c == Control::TargetHeight;
}

} // namespace

frmMain::frmMain(Services &services) : m_services(services)
{
    // A fixed frame: only the program changes the window's height.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setCaption(QString::fromUtf16(layout::kCaption));
    setFont(makeFont(layout::kFont));
    setClientSize(layout::kClientWidth, layout::kClientHeight);
    bindEvents();
    buildLayout();
    txtSourceWidth->setFocus(Qt::OtherFocusReason);
}

void frmMain::buildLayout()
{
    // Created in tab order, which is also the order Tab walks them.
    for (const layout::ControlSpec &spec : layout::kControls) {
        const QString text = QString::fromUtf16(spec.text);
        if (spec.control == Control::Tag || spec.control == Control::Arrow) {
            auto *label = new Label(this);
            label->setCaption(text);
            label->Move(spec.left, spec.top, spec.width, spec.height);
            (spec.control == Control::Tag ? lblTag : lblArrow).adopt(spec.index, label);
            continue;
        }
        auto *field = new TextBox(this);
        field->setText(text);
        field->setLocked(isReadOnly(spec.control));
        field->setForeColor(ole::kWindowText);
        field->setBackColor(isReadOnly(spec.control) ? ole::kButtonFace : ole::kWindow);
        field->Move(spec.left, spec.top, spec.width, spec.height);
        switch (spec.control) {
        case Control::SourceWidth:
            txtSourceWidth = field;
            break;
        case Control::SourceHeight:
            txtSourceHeight = field;
            break;
        case Control::ResolutionWidth:
            txtResolutionWidth.adopt(spec.index, field);
            break;
        case Control::ResolutionHeight:
            txtResolutionHeight.adopt(spec.index, field);
            break;
        case Control::TargetWidth:
            txtTargetWidth.adopt(spec.index, field);
            break;
        case Control::TargetHeight:
            txtTargetHeight.adopt(spec.index, field);
            break;
        default:
            break;
        }
    }
    txtSourceWidth->setAccessibleName(QStringLiteral("Ширина исходного изображения"));
    txtSourceWidth->setAccessibleDescription(
        QStringLiteral("Ширина изображения в пикселях; по ней рассчитывается нужная высота."));
    txtSourceHeight->setAccessibleName(QStringLiteral("Высота исходного изображения"));
    txtSourceHeight->setAccessibleDescription(
        QStringLiteral("Высота изображения в пикселях; по ней рассчитывается нужная ширина."));
    txtSourceWidth->setChangeHandler([this] { guarded([this] { txtSourceWidth_Change(); }); });
    txtSourceHeight->setChangeHandler([this] { guarded([this] { txtSourceHeight_Change(); }); });
    txtSourceWidth->setGotFocusHandler([this] { guarded([this] { txtSourceWidth_GotFocus(); }); });
    txtSourceHeight->setGotFocusHandler(
        [this] { guarded([this] { txtSourceHeight_GotFocus(); }); });
}

void frmMain::bindEvents()
{
    // Every element of a row array shares the array's focus handler, with its index. Screen
    // readers tell the rows apart by the number in each field's name.
    struct Column
    {
        ControlArray<TextBox> &array;
        const char16_t *name;
        const char16_t *description;
    };
    const Column columns[] = {
        {txtResolutionWidth, u"Ширина экрана", u"Ширина разрешения экрана в пикселях."},
        {txtResolutionHeight, u"Высота экрана", u"Высота разрешения экрана в пикселях."},
        {txtTargetWidth, u"Нужная ширина изображения",
         u"Ширина, которую должно иметь изображение для пропорций этого экрана."},
        {txtTargetHeight, u"Нужная высота изображения",
         u"Высота, которую должно иметь изображение для пропорций этого экрана."},
    };
    static constexpr void (frmMain::*kFocusHandlers[])(qint16) = {
        &frmMain::txtResolutionWidth_GotFocus, &frmMain::txtResolutionHeight_GotFocus,
        &frmMain::txtTargetWidth_GotFocus, &frmMain::txtTargetHeight_GotFocus};
    for (quint8 column = 0; column < std::size(columns); ++column) {
        const Column &c = columns[column];
        // One description string for the whole column, shared by its fields.
        const QString name = QString::fromUtf16(c.name);
        const QString description = QString::fromUtf16(c.description);
        c.array.setEventBinder([this, column, name, description](TextBox &field, qint16 index) {
            field.setAccessibleName(QStringLiteral("%1, строка %2").arg(name).arg(index + 1));
            field.setAccessibleDescription(description);
            // Small enough to live inside the handler itself: no allocation per field.
            field.setGotFocusHandler([this, column, index] {
                guarded([&] { (this->*kFocusHandlers[column])(index); });
            });
        });
    }
}

} // namespace plenvor
