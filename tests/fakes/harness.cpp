#include "fakes/harness.h"

#include "runtime/twips.h"
#include "runtime/variant_conversions.h"
#include "settings/keys.h"

#include <QKeyEvent>
#include <QTest>

namespace plenvor::test {

namespace {

class FakeSettingsStore final : public SettingsStore
{
public:
    explicit FakeSettingsStore(std::shared_ptr<FakeStoreState> state) : m_state(std::move(state)) {}
    // What was written reaches the store in one step, at commit or on release.
    ~FakeSettingsStore() override
    {
        StoreFailure ignored;
        commit(ignored);
    }

    Status ReadValue(const QString &, const QString &key, qint32, const AppObject &,
                     const Variant &defaultValue, VbBool, VbBool &found, Variant *result) override
    {
        if (m_state->failing.contains(key))
            return status::kAccessDenied;
        found = m_state->values.contains(key) ? kVbTrue : kVbFalse;
        *result = found                      ? Variant::fromText(m_state->values.value(key))
                  : defaultValue.isOmitted() ? Variant()
                                             : defaultValue;
        return status::kOk;
    }
    Status WriteValue(const QString &, const QString &key, qint32, const Variant &value,
                      const AppObject &, VbBool, VbBool *) override
    {
        ++m_state->writes;
        QString text;
        const Status s =
            m_state->failing.contains(key) ? status::kAccessDenied : variantToText(value, text);
        if (!failed(s))
            m_written.insert(key, text);
        return s;
    }
    Status commit(StoreFailure &failure) override
    {
        if (!m_state->unwritable.isEmpty()) {
            failure = {QStringLiteral("/fake/Plenvor.conf"), m_state->unwritable};
            m_written.clear();
            return status::kAccessDenied;
        }
        m_state->values.insert(std::exchange(m_written, {}));
        return status::kOk;
    }

private:
    std::shared_ptr<FakeStoreState> m_state;
    QMap<QString, QString> m_written;
};

class FakeAboutDialog final : public AboutDialog
{
public:
    explicit FakeAboutDialog(std::shared_ptr<FakeAboutState> state) : m_state(std::move(state)) {}

    Status ShowAbout(QWidget *owner, const AppObject &, const QString &, const QPixmap *,
                     const QString &) override
    {
        ++m_state->shown;
        m_state->owner = owner;
        // A modal box takes the keyboard from its owner, which gets it back only once the box
        // has gone.
        if (QWidget *focused = QApplication::focusWidget())
            focused->clearFocus();
        return m_state->status;
    }

private:
    std::shared_ptr<FakeAboutState> m_state;
};

} // namespace

SettingsStoreFactory fakeSettingsStore(std::shared_ptr<FakeStoreState> state)
{
    return [state](std::unique_ptr<SettingsStore> &out) {
        out = state->creationFails ? nullptr : std::make_unique<FakeSettingsStore>(state);
        return out ? status::kOk : status::kCannotCreateObject;
    };
}

AboutDialogFactory fakeAboutDialog(std::shared_ptr<FakeAboutState> state)
{
    return [state](std::unique_ptr<AboutDialog> &out) {
        state->created += !state->creationFails;
        out = state->creationFails ? nullptr : std::make_unique<FakeAboutDialog>(state);
        return out ? status::kOk : status::kCannotCreateObject;
    };
}

frmMain &WindowHarness::show()
{
    if (!form)
        create();
    form->Show();
    form->activateWindow();
    if (!QTest::qWaitForWindowExposed(form.get()))
        QTest::qFail("the window was not exposed", __FILE__, __LINE__);
    else if (!QTest::qWaitForWindowActive(form.get()))
        QTest::qFail("the window did not become active", __FILE__, __LINE__);
    return *form;
}

void WindowHarness::press(Qt::Key key, int times) const
{
    // To the window, where the user's keys enter; nothing else runs in between, as a burst of
    // keys reaches the program.
    for (int i = 0; i < times; ++i) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::ControlModifier | Qt::KeypadModifier);
            QApplication::sendEvent(form->windowHandle(), &event);
        }
    }
}

QWidget *WindowHarness::widgetOf(const Control &control) const
{
    QCoreApplication::sendPostedEvents(form.get());
    return control.view();
}

void WindowHarness::setRows(const QStringList &texts) const
{
    addRows(int(texts.size() / 2) - rows());
    for (int i = 0; i < texts.size() / 2; ++i)
        setRow(i, texts[2 * i], texts[2 * i + 1]);
}

QStringList WindowHarness::resolutions() const
{
    QStringList texts;
    for (int i = 0; i < rows(); ++i)
        texts << field(u"txtResolutionWidth", i).Text() << field(u"txtResolutionHeight", i).Text();
    return texts;
}

bool WindowHarness::inPlace(const Control &control) const
{
    const QWidget *widget = control.view();
    return widget && widget->y() == twipsToPixels(control.Top()) - form->viewOffset();
}

bool WindowHarness::rowsAreWhole() const
{
    const qint32 n = rows();
    for (const char16_t *name : {u"txtResolutionHeight", u"lblArrow", u"txtTargetWidth",
                                 u"txtTargetHeight", u"txtResolutionWidth"})
        if (form->countOf(name) != n || form->control<Control>(name, 0).Index() != 0 ||
            form->control<Control>(name, qint16(n - 1)).Index() != n - 1)
            return false; // a missing element raises a run-time error, which fails the test too
    return n >= 1 && n <= kRowLimit;
}

} // namespace plenvor::test
