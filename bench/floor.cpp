// The floor start-up is measured against: a bare Qt Widgets program with one 490x81 window
// holding two line edits and a label, or with `rows` rows of four line edits and a label at
// fixed positions (the size of Plenvor's rows).
//   plenvor_floor [rows]
#include "startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 0;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    if (rows <= 0) {
        window.setFixedSize(490, 81);
        (new QLineEdit(&window))->setGeometry(264, 24, 105, 21);
        (new QLineEdit(&window))->setGeometry(376, 24, 105, 21);
        (new QLabel(QStringLiteral("==>"), &window))->setGeometry(232, 55, 27, 14);
    } else {
        window.setFixedSize(490, 81 + 28 * (rows - 1));
        for (int i = 0; i < rows; ++i) {
            const int y = 52 + 28 * i;
            for (const int x : {8, 120, 264, 376})
                (new QLineEdit(&window))->setGeometry(x, y, 105, 21);
            (new QLabel(QStringLiteral("==>"), &window))->setGeometry(232, y, 27, 14);
        }
    }
    window.show();
    reportStartupAndExit(window);
    return app.exec();
}
