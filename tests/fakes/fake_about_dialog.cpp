#include "fakes/fake_about_dialog.h"

namespace plenvor::test {

FakeAboutDialog::FakeAboutDialog(std::shared_ptr<FakeAboutState> state)
    : m_state(std::move(state)), m_instance(++m_state->instancesCreated)
{}

Status FakeAboutDialog::ShowAbout(QWidget *owner, const AppObject &app, const QString &extraText,
                                  const QPixmap *picture, const QString &dedication)
{
    m_state->calls << AboutCall{owner, &app, extraText, picture, dedication, m_instance};
    return m_state->showStatus;
}

AboutDialogFactory FakeAboutDialog::factory(std::shared_ptr<FakeAboutState> state)
{
    return [state](std::unique_ptr<AboutDialog> &out) {
        if (state->creationFails)
            return status::kCannotCreateObject;
        out = std::make_unique<FakeAboutDialog>(state);
        return status::kOk;
    };
}

} // namespace plenvor::test
