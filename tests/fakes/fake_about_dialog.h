#pragma once

#include "support/about_dialog.h"

#include <QVector>

#include <memory>

namespace plenvor::test {

struct AboutCall
{
    QWidget *owner = nullptr;
    const AppObject *app = nullptr;
    QString extraText;
    const QPixmap *picture = reinterpret_cast<const QPixmap *>(1);
    QString dedication;
    int instance = 0; // which instance of the component showed it
};

struct FakeAboutState
{
    QVector<AboutCall> calls;
    int instancesCreated = 0;
    Status showStatus = status::kOk;
    bool creationFails = false;
};

class FakeAboutDialog final : public AboutDialog
{
public:
    explicit FakeAboutDialog(std::shared_ptr<FakeAboutState> state);

    Status ShowAbout(QWidget *owner, const AppObject &app, const QString &extraText,
                     const QPixmap *picture, const QString &dedication) override;

    static AboutDialogFactory factory(std::shared_ptr<FakeAboutState> state);

private:
    std::shared_ptr<FakeAboutState> m_state;
    int m_instance;
};

} // namespace plenvor::test
