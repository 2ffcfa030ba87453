#include "desktop/qt_about_dialog.h"

#include "desktop/icons.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

// The lines beside the picture. A screen reader reads a dialog's labels of three words or more
// as it opens, so to assistive technology the lines are one text, which it reads whole.
class AboutText final : public QWidget
{
    Q_OBJECT
public:
    AboutText() { m_column->setContentsMargins(0, 0, 0, 0); }

    QLabel *addLine(const QString &text)
    {
        auto *label = new QLabel(text);
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_column->addWidget(label);
        m_lines << text;
        return label;
    }
    void addSpacing(int pixels) { m_column->addSpacing(pixels); }
    QString lines() const { return m_lines.join(u'\n'); }

private:
    QVBoxLayout *m_column = new QVBoxLayout(this);
    QStringList m_lines;
};

class AboutTextAccessible final : public QAccessibleWidget
{
public:
    explicit AboutTextAccessible(AboutText *text)
        : QAccessibleWidget(text, QAccessible::StaticText), m_text(text)
    {}

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? m_text->lines() : QAccessibleWidget::text(kind);
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

private:
    AboutText *m_text;
};

QAccessibleInterface *accessibleAboutText(const QString &, QObject *object)
{
    auto *text = qobject_cast<AboutText *>(object);
    return text ? new AboutTextAccessible(text) : nullptr;
}

// The title in bold, the version, the description, the extra text where there is one, the
// maker and the dedication.
AboutText *describe(const AppObject &app, const QString &extraText, const QString &dedication)
{
    static const bool readable = [] {
        QAccessible::installFactory(accessibleAboutText);
        return true;
    }();
    Q_UNUSED(readable)
    auto *column = new AboutText;
    QLabel *title = column->addLine(app.title);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    column->addLine(QStringLiteral("Версия %1").arg(app.versionText()));
    column->addLine(app.fileDescription);
    if (!extraText.isEmpty())
        column->addLine(extraText);
    column->addLine(QStringLiteral("© %1").arg(app.productName));
    if (!dedication.isEmpty()) {
        column->addSpacing(8);
        column->addLine(QStringLiteral("Посвящается %1").arg(dedication));
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

    row->addWidget(describe(app, extraText, dedication));
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
    caption.setPixelSize(QFontInfo(caption).pixelSize() * 5 / 4);
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

#include "qt_about_dialog.moc"
