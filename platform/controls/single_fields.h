#pragma once

#include "controls/controls.h"

#include <memory>
#include <vector>

namespace plenvor {

// A form's single text fields, each by its name: few enough to look at each. For Tab they
// stand at index 0.
class SingleFields final : public ControlGroup
{
public:
    using ControlGroup::ControlGroup;

    TextBox &add(QString name, const FieldClass &fieldClass)
    {
        auto &[named, field] =
            m_fields.emplace_back(std::move(name), std::make_unique<TextBox>(*this, 0, fieldClass));
        host().moved(*field);
        return *field;
    }

    void collect(qint32 top, qint32 bottom, ShownControls &out) const override
    {
        for (const auto &[name, field] : m_fields) {
            if (field->standsIn(top, bottom))
                out.add(field.get());
        }
    }
    void fieldsAt(qint32 index, std::vector<TextBox *> &out) const override
    {
        for (const auto &[name, field] : m_fields) {
            if (index == 0)
                out.push_back(field.get());
        }
    }
    std::optional<qint32> fieldIndexAfter(qint32 index) const override
    {
        return index < 0 && !m_fields.empty() ? std::optional<qint32>(0) : std::nullopt;
    }
    std::optional<qint32> fieldIndexBefore(qint32 index) const override
    {
        return index > 0 && !m_fields.empty() ? std::optional<qint32>(0) : std::nullopt;
    }
    void memberMoved(const Control &, qint32) override {}
    Control *named(QStringView name, qint32 index) const override
    {
        for (const auto &[own, field] : m_fields) {
            if (own == name && index == 0)
                return field.get();
        }
        return nullptr;
    }
    qint32 countNamed(QStringView name) const override { return named(name, 0) ? 1 : 0; }

private:
    std::vector<std::pair<QString, std::unique_ptr<TextBox>>> m_fields;
};

} // namespace plenvor
