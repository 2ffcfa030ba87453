#include "window/frmMain.h"

#include "window/size_math.h"

namespace plenvor {

void frmMain::AddResolutionRow()
{
    qint32 n = 0;
    bool indexed = false;
    resumeNext([&] {
        n = nextRowIndex(txtResolutionWidth.UBound());
        indexed = true;
    });
    // Past the last 16-bit index the steps below would land on row 0 and empty it.
    if (!indexed)
        return;
    const auto index = qint16(n);

    forEachRowArray([&](auto &array) { resumeNext([&] { array.Load(index); }); });

    qint32 pitch = 0;
    resumeNext([&] { pitch = rowPitch(txtResolutionWidth[index].Height()); });
    qint32 top = 0;
    resumeNext([&] { top = rowTop(txtResolutionWidth[0].Top(), pitch, n); });

    forEachRowArray([&](auto &array) { resumeNext([&] { array[index].setTop(top); }); });
    forEachRowArray([&](auto &array) { resumeNext([&] { array[index].setVisible(true); }); });
    forEachRowField([&](auto &array) { resumeNext([&] { array[index].setText(QString()); }); });

    // Half a pitch up and half down, so the window keeps its vertical centre; the half in
    // whole twips, truncated toward zero.
    const qint32 halfPitch = pitch / 2;
    resumeNext([&] { setHeight(float(double(Height()) + pitch)); });
    resumeNext([&] { setTop(float(double(Top()) - halfPitch)); });
}

void frmMain::RemoveResolutionRow()
{
    qint32 n = 0;
    resumeNext([&] { n = txtResolutionWidth.UBound(); });
    if (n <= 0)
        return;
    const auto index = qint16(n);

    qint32 pitch = 0;
    resumeNext([&] { pitch = rowPitch(txtResolutionWidth[index].Height()); });
    // The same pitch as when the row came, so the window returns exactly to where it was.
    const qint32 halfPitch = pitch / 2;
    resumeNext([&] { setHeight(float(double(Height()) - pitch)); });
    resumeNext([&] { setTop(float(double(Top()) + halfPitch)); });

    forEachRowArray([&](auto &array) { resumeNext([&] { array.Unload(index); }); });
}

} // namespace plenvor
