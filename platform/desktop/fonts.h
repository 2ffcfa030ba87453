#pragma once

#include <QFont>
#include <QString>

namespace plenvor {

// A font by family, size in points and weight, as a form names it.
struct FontSpec
{
    QString family;
    int points = 9;
    int weight = 400;
};

// The font at the form's scale (20 twips a point, 15 twips a pixel). When the system has
// no Tahoma, the free one from Debian's fonts-wine stands in, and failing that the
// system's sans-serif.
QFont makeFont(const FontSpec &spec);

} // namespace plenvor
