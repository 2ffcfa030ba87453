#include "window/frmMain.h"

#include "runtime/number_conversion.h"
#include "validation/validation.h"
#include "window/size_math.h"

namespace plenvor {

namespace {

using Formula = std::optional<qint32> (*)(qint32 source, qint32 width, qint32 height);

// Marks the source field and, while it holds a positive number, fills the targets of every
// row from it. A row that cannot be computed shows an empty target.
void calculateColumn(SupportLibrary &library, TextBox &source, const ControlArray<TextBox> &widths,
                     const ControlArray<TextBox> &heights, const ControlArray<TextBox> &targets,
                     Formula formula)
{
    resumeNext([&] { ValidateField(library, source); });
    bool valid = false;
    resumeNext([&] { valid = source.ForeColor() == ole::kWindowText; });
    if (!valid)
        return;

    qint16 first = 0;
    qint16 last = 0;
    resumeNext([&] { first = widths.LBound(); });
    resumeNext([&] { last = widths.UBound(); });

    // The source text cannot change during the loop (writing a target starts nothing), so
    // it is converted once: a megabyte pasted there costs one pass, not one per row. The
    // user's locale is looked up once for all the rows as well.
    const NumberReader numbers;
    qint32 s = 0;
    const Status sourceStatus = numbers.toInt32(source.Text(), s);

    for (qint32 i = first; i <= last; ++i) {
        const auto row = qint16(i);
        QString result;
        resumeNext([&] {
            check(sourceStatus);
            qint32 w = 0;
            qint32 h = 0;
            check(numbers.toInt32(widths[row].Text(), w));
            check(numbers.toInt32(heights[row].Text(), h));
            if (const std::optional<qint32> value = formula(s, w, h))
                result = QString::number(*value);
        });
        resumeNext([&] { targets[row].setText(result); });
    }
}

} // namespace

void frmMain::txtSourceWidth_Change()
{
    calculateColumn(m_services.library, *txtSourceWidth, txtResolutionWidth, txtResolutionHeight,
                    txtTargetHeight, &targetHeight);
}

void frmMain::txtSourceHeight_Change()
{
    calculateColumn(m_services.library, *txtSourceHeight, txtResolutionWidth, txtResolutionHeight,
                    txtTargetWidth, &targetWidth);
}

} // namespace plenvor
