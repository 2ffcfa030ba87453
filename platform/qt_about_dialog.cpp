#include "platform/qt_about_dialog.h"

#include "platform/icons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace plenvor {

namespace {

QLabel *addLine(QVBoxLayout *column, const QString &text)
{
    auto *label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(label);
    return label;
}

// The lines beside the picture: the title in bold, the version, the description, the extra
// text where there is one, the maker and the dedication.
QVBoxLayout *describe(const AppObject &app, const QString &extraText, const QString &dedication)
{
    auto *column = new QVBoxLayout;
    QLabel *title = addLine(column, app.title);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    addLine(column, QStringLiteral("Версия %1").arg(app.versionText()));
    addLine(column, app.fileDescription);
    if (!extraText.isEmpty())
        addLine(column, extraText);
    addLine(column, QStringLiteral("© %1").arg(app.productName));
    if (!dedication.isEmpty()) {
        column->addSpacing(8);
        addLine(column, QStringLiteral("Посвящается %1").arg(dedication));
    }
    return column;
}

} // namespace

Status QtAboutDialog::ShowAbout(QWidget *owner, const AppObject &app, const QString &extraText,
                                const QPixmap *picture, const QString &dedication)
{
    // A fixed box with a close button only, in the owner's font, over the owner (a dialog
    // with a parent is centred on it).
    QDialog box(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    if (owner)
        box.setFont(owner->font());
    box.setWindowTitle(QStringLiteral("О программе %1").arg(app.exeName));
    const QIcon icon = iconResource(kMainIcon);
    box.setWindowIcon(icon);

    auto *row = new QHBoxLayout;
    auto *image = new QLabel;
    image->setPixmap(picture && !picture->isNull() ? *picture : icon.pixmap(32, 32));
    image->setAlignment(Qt::AlignTop);
    row->addWidget(image);
    row->addSpacing(12);

    row->addLayout(describe(app, extraText, dedication));
    row->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("ОК"));
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);

    // Window managers cut a caption that is wider than the box: leave room for it, in a bold
    // title font a little larger than the box's own, and for the buttons beside it.
    QFont caption = box.font();
    caption.setBold(true);
    caption.setPixelSize(caption.pixelSize() * 5 / 4);
    buttons->setMinimumWidth(QFontMetrics(caption).horizontalAdvance(box.windowTitle()) + 128);

    auto *layout = new QVBoxLayout(&box);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    box.exec();
    // Give the keyboard back to the owner: on some desktops it stays with no window otherwise.
    if (owner) {
        owner->raise();
        owner->activateWindow();
    }
    return status::kOk;
}

AboutDialogFactory QtAboutDialog::factory()
{
    return [](std::unique_ptr<AboutDialog> &out) {
        out = std::make_unique<QtAboutDialog>();
        return status::kOk;
    };
}

} // namespace plenvor
