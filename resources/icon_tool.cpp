// Build-time tool: writes the "A_MAIN" icon at a size, as PNG (pixels scaled whole, so the
// 16-colour drawing stays sharp), ICO or SVG (one square a pixel).
//   plenvor_icon_tool A_MAIN.xpm out.png 64
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

bool writeSvg(const QImage &image, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << image.width() << ' '
        << image.height() << "\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width();) {
            const QRgb pixel = image.pixel(x, y);
            int run = 1;
            while (x + run < image.width() && image.pixel(x + run, y) == pixel)
                ++run;
            if (qAlpha(pixel) > 0) {
                out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << run
                    << "\" height=\"1\" fill=\"" << QColor(pixel).name() << "\"/>\n";
            }
            x += run;
        }
    }
    out << "</svg>\n";
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fputs("usage: plenvor_icon_tool input.xpm output.(png|ico|svg) size\n", stderr);
        return 2;
    }
    const QImage source(QString::fromLocal8Bit(argv[1]));
    const QString output = QString::fromLocal8Bit(argv[2]);
    const int size = QString::fromLatin1(argv[3]).toInt();
    if (source.isNull() || size <= 0)
        return 1;
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    if (output.endsWith(QLatin1String(".svg")))
        return writeSvg(image, output) ? 0 : 1;
    const QImage scaled = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return scaled.save(output) ? 0 : 1;
}
