#pragma once

#include "controls/control_array.h"
#include "controls/controls.h"
#include "controls/form.h"
#include "controls/single_fields.h"
#include "support/services.h"

#include <optional>

namespace plenvor {

// The program's one window: the source size at the top right, the resolution rows below.
class frmMain final : public Form
{
    Q_OBJECT
public:
    explicit frmMain(Services &services);

    // Whether the list was kept the last time it was stored (true before that).
    bool listKept() const { return !m_unkept; }

private:
    // What the fields of each kind share: their handlers and their names for screen readers.
    // Before the controls, which use them to their end.
    FieldClass m_sourceWidthClass;
    FieldClass m_sourceHeightClass;
    FieldClass m_resolutionWidthClass;
    FieldClass m_resolutionHeightClass;
    FieldClass m_targetWidthClass;
    FieldClass m_targetHeightClass;

    // The controls, reached from outside by name (Form::control).
    SingleFields m_singleFields{controls()};
    ControlArray<Label> lblTag{controls(), QStringLiteral("lblTag")};
    TextBox *txtSourceWidth = nullptr;
    TextBox *txtSourceHeight = nullptr;
    ControlArray<TextBox> txtResolutionWidth{controls(), QStringLiteral("txtResolutionWidth")};
    ControlArray<TextBox> txtResolutionHeight{controls(), QStringLiteral("txtResolutionHeight")};
    ControlArray<Label> lblArrow{controls(), QStringLiteral("lblArrow")};
    ControlArray<TextBox> txtTargetWidth{controls(), QStringLiteral("txtTargetWidth")};
    ControlArray<TextBox> txtTargetHeight{controls(), QStringLiteral("txtTargetHeight")};

protected:
    void Form_Load() override;
    void Form_Unload(qint16 &Cancel) override;
    void Form_KeyDown(qint16 &KeyCode, qint16 &Shift) override;
    bool keepWork() noexcept override;

private:
    void AddResolutionRow();
    void RemoveResolutionRow();
    void LoadSettings();
    void SaveSettings();
    // A line on the error stream where the last save failed, and a box for a user who is there.
    void sayIfNotKept(bool userIsThere) noexcept;

    void txtSourceWidth_Change();
    void txtSourceHeight_Change();

    void txtSourceWidth_GotFocus();
    void txtSourceHeight_GotFocus();
    void txtResolutionWidth_GotFocus(qint16 Index);
    void txtResolutionHeight_GotFocus(qint16 Index);
    void txtTargetWidth_GotFocus(qint16 Index);
    void txtTargetHeight_GotFocus(qint16 Index);

    // The row indexes, from the lower bound of txtResolutionWidth to the upper bound of
    // txtResolutionHeight; a bound that cannot be read stays 0.
    std::pair<qint32, qint32> rowRange() const noexcept;

    void buildLayout();
    void describeFields();
    void labelFields();
    void describeRows();
    void highlightFocusedField();
    void showAboutBox();

    // The five arrays that make up a resolution row, in the order rows are built.
    template <class Step> void forEachRowArray(Step &&step)
    {
        step(txtResolutionWidth);
        step(txtResolutionHeight);
        step(lblArrow);
        step(txtTargetWidth);
        step(txtTargetHeight);
    }

    template <class Step> void forEachRowField(Step &&step)
    {
        step(txtResolutionWidth);
        step(txtResolutionHeight);
        step(txtTargetWidth);
        step(txtTargetHeight);
    }

    Services &m_services;
    std::optional<StoreFailure> m_unkept;
};

} // namespace plenvor
