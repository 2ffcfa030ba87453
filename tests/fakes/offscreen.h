#pragma once

#include <QObject>

namespace plenvor::test {

// A test program on Qt's offscreen platform, also one run by hand: it opens no window.
class OffscreenTest : public QObject
{
public:
    static void initMain() { qputenv("QT_QPA_PLATFORM", "offscreen"); }
};

} // namespace plenvor::test
