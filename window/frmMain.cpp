#include "window/frmMain.h"

#include "window/layout.h"
#include "window/row_count.h"

namespace plenvor {

namespace {

using layout::Role;

bool isReadOnly(Role role)
{
    return role == Role::TargetWidth || role == Role::TargetHeight;
}

} // namespace

frmMain::frmMain(Services &services) : Form(services.errorReport), m_services(services)
{
    // A fixed frame: only the program changes the window's height.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf16(layout::kCaption));
    setFont(makeFont(layout::kFont));
    setClientSize(layout::kClientWidth, layout::kClientHeight);
    describeFields();
    buildLayout();
    labelFields();
    txtSourceWidth->SetFocus();
}

void frmMain::buildLayout()
{
    // Made in tab order, which is also the order Tab walks them.
    for (const layout::ControlSpec &spec : layout::kControls) {
        const QString text = QString::fromUtf16(spec.text);
        if (spec.role == Role::Tag || spec.role == Role::Arrow) {
            Label &label = (spec.role == Role::Tag ? lblTag : lblArrow).create(spec.index);
            label.setCaption(text);
            label.Move(spec.left, spec.top, spec.width, spec.height);
            continue;
        }
        TextBox *field = nullptr;
        switch (spec.role) {
        case Role::SourceWidth:
            field = txtSourceWidth =
                &m_singleFields.add(QStringLiteral("txtSourceWidth"), m_sourceWidthClass);
            break;
        case Role::SourceHeight:
            field = txtSourceHeight =
                &m_singleFields.add(QStringLiteral("txtSourceHeight"), m_sourceHeightClass);
            break;
        case Role::ResolutionWidth:
            field = &txtResolutionWidth.create(spec.index, m_resolutionWidthClass);
            break;
        case Role::ResolutionHeight:
            field = &txtResolutionHeight.create(spec.index, m_resolutionHeightClass);
            break;
        case Role::TargetWidth:
            field = &txtTargetWidth.create(spec.index, m_targetWidthClass);
            break;
        default:
            field = &txtTargetHeight.create(spec.index, m_targetHeightClass);
            break;
        }
        field->setText(text);
        field->setLocked(isReadOnly(spec.role));
        field->setForeColor(ole::kWindowText);
        field->setBackColor(isReadOnly(spec.role) ? ole::kButtonFace : ole::kWindow);
        field->Move(spec.left, spec.top, spec.width, spec.height);
    }
}

void frmMain::describeFields()
{
    // Every field of an array shares the array's handlers, with its index; screen readers tell
    // the rows apart by the number in each field's name.
    const auto handler = [this](auto procedure) {
        return [this, procedure](qint16 index) { guarded([&] { (this->*procedure)(index); }); };
    };
    m_sourceWidthClass = {
        .change = [this](qint16) { guarded([this] { txtSourceWidth_Change(); }); },
        .gotFocus = [this](qint16) { guarded([this] { txtSourceWidth_GotFocus(); }); },
        .accessibleName = QStringLiteral("Ширина исходного изображения"),
        .accessibleDescription =
            QStringLiteral("Ширина изображения в пикселях; по ней рассчитывается нужная высота.")};
    m_sourceHeightClass = {
        .change = [this](qint16) { guarded([this] { txtSourceHeight_Change(); }); },
        .gotFocus = [this](qint16) { guarded([this] { txtSourceHeight_GotFocus(); }); },
        .accessibleName = QStringLiteral("Высота исходного изображения"),
        .accessibleDescription =
            QStringLiteral("Высота изображения в пикселях; по ней рассчитывается нужная ширина.")};
    m_resolutionWidthClass = {.gotFocus = handler(&frmMain::txtResolutionWidth_GotFocus),
                              .accessibleName = QStringLiteral("Ширина экрана, строка %1"),
                              .accessibleDescription =
                                  QStringLiteral("Ширина разрешения экрана в пикселях.")};
    m_resolutionHeightClass = {.gotFocus = handler(&frmMain::txtResolutionHeight_GotFocus),
                               .accessibleName = QStringLiteral("Высота экрана, строка %1"),
                               .accessibleDescription =
                                   QStringLiteral("Высота разрешения экрана в пикселях.")};
    m_targetWidthClass = {
        .gotFocus = handler(&frmMain::txtTargetWidth_GotFocus),
        .accessibleName = QStringLiteral("Нужная ширина изображения, строка %1"),
        .accessibleDescription =
            QStringLiteral("Ширина, которую должно иметь изображение для пропорций этого экрана.")};
    m_targetHeightClass = {
        .gotFocus = handler(&frmMain::txtTargetHeight_GotFocus),
        .accessibleName = QStringLiteral("Нужная высота изображения, строка %1"),
        .accessibleDescription =
            QStringLiteral("Высота, которую должно иметь изображение для пропорций этого экрана.")};
}

void frmMain::labelFields()
{
    // The labels over the source fields; the heading and the column labels over the rows.
    m_sourceWidthClass.labels = {&lblTag[0]};
    m_sourceHeightClass.labels = {&lblTag[1]};
    m_resolutionWidthClass.labels = {&lblTag[4], &lblTag[2]};
    m_resolutionHeightClass.labels = {&lblTag[3]};
}

void frmMain::describeRows()
{
    // A screen reader reads the change out when a row comes or goes; the focus stays put.
    setAccessibleDescription(rowCountText(txtResolutionWidth.Count()));
}

} // namespace plenvor
