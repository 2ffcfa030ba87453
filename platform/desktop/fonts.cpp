#include "desktop/fonts.h"

#include "runtime/twips.h"

#include <QFile>
#include <QFontDatabase>

namespace plenvor {

namespace {

constexpr int kTwipsPerPoint = 20;

void registerStandInTahoma()
{
    static const bool done = [] {
        // The family list, not hasFamily(): that one asks fontconfig to resolve aliases,
        // which costs more than the rest of start-up.
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive))
            return true;
        for (const char *path :
             {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/fonts/truetype/wine/tahoma.ttf"}) {
            if (QFile::exists(QLatin1String(path)) &&
                QFontDatabase::addApplicationFont(QLatin1String(path)) >= 0)
                return true;
        }
        return false;
    }();
    Q_UNUSED(done)
}

} // namespace

QFont makeFont(const FontSpec &spec)
{
    if (spec.family.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0)
        registerStandInTahoma();
    QFont font(spec.family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(spec.points * kTwipsPerPoint / kTwipsPerPixel);
    font.setWeight(QFont::Weight(spec.weight));
    return font;
}

} // namespace plenvor
