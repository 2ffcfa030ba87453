#include "controls/tab_order.h"

#include <algorithm>
#include <tuple>

namespace plenvor {

namespace {

std::vector<TextBox *> fieldsAt(const std::vector<ControlGroup *> &groups, qint32 index)
{
    std::vector<TextBox *> fields;
    for (const ControlGroup *group : groups)
        group->fieldsAt(index, fields);
    return fields;
}

} // namespace

TextBox *nextInTabOrder(const std::vector<ControlGroup *> &groups, const TextBox *from, bool next)
{
    const auto following = [&](qint32 index) {
        std::optional<qint32> found;
        for (const ControlGroup *group : groups) {
            const std::optional<qint32> own =
                next ? group->fieldIndexAfter(index) : group->fieldIndexBefore(index);
            if (own && (!found || (next ? *own < *found : *own > *found)))
                found = own;
        }
        return found;
    };
    const qint32 outside = next ? INT32_MIN : INT32_MAX;
    qint32 index = from ? from->Index() : outside;
    std::vector<TextBox *> here = from ? fieldsAt(groups, index) : std::vector<TextBox *>();
    auto at = qsizetype(std::find(here.begin(), here.end(), from) - here.begin());
    if (!from)
        at = next ? -1 : 0;
    for (int starts = 0; starts < 2;) {
        at += next ? 1 : -1;
        if (at < 0 || at >= qsizetype(here.size())) {
            std::optional<qint32> moved = following(index);
            if (!moved) {
                ++starts;
                moved = following(outside);
            }
            if (!moved)
                return nullptr;
            index = *moved;
            here = fieldsAt(groups, index);
            at = next ? 0 : qsizetype(here.size()) - 1;
        }
        if (here[std::size_t(at)]->Visible())
            return here[std::size_t(at)];
    }
    return nullptr;
}

std::vector<QWidget *> readingOrder(const std::vector<ControlGroup *> &groups,
                                    std::vector<TextBox *> fields)
{
    const auto rank = [&](const TextBox *field) {
        const auto group = std::find(groups.begin(), groups.end(), &field->group());
        const std::vector<TextBox *> here = fieldsAt(groups, field->Index());
        return std::tuple(field->Index(), group - groups.begin(),
                          std::find(here.begin(), here.end(), field) - here.begin());
    };
    std::sort(fields.begin(), fields.end(),
              [&](const TextBox *a, const TextBox *b) { return rank(a) < rank(b); });
    std::vector<QWidget *> order;
    std::vector<const Label *> placed;
    for (const TextBox *field : fields) {
        for (const Label *label : field->fieldClass().labels) {
            if (label->widget() && std::find(placed.begin(), placed.end(), label) == placed.end()) {
                placed.push_back(label);
                order.push_back(label->view());
            }
        }
        order.push_back(field->view());
    }
    return order;
}

} // namespace plenvor
