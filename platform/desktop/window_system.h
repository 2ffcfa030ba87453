#pragma once

#include <QString>

#include <vector>

namespace plenvor {

// How the program reaches a window system: the arguments for QApplication, and what it says
// when there is none to reach.
class WindowSystem
{
public:
    // Where the user has chosen no platform and the session offers X11 beside Wayland, the
    // program asks for X11: there it can centre and move its own window, which a Wayland
    // client cannot. The arguments live as long as this does.
    WindowSystem(int &argc, char **argv);
    ~WindowSystem();
    WindowSystem(const WindowSystem &) = delete;
    WindowSystem &operator=(const WindowSystem &) = delete;

    int &argc() { return m_argc; }
    char **argv() { return m_argv.data(); }

    // Nothing to show a window on at all; then `why` says so in one line.
    static bool missing(QString &why);

    // Until the QApplication is made: Qt would end the program with an abort and a page of
    // plugin advice when it cannot open the display; this says it in one line instead and
    // ends with status 1.
    void guardStart();
    void startDone();

private:
    int m_argc;
    std::vector<char *> m_argv;
    QByteArray m_platform = "-platform";
    QByteArray m_xcb = "xcb";
    bool m_guarding = false;
};

} // namespace plenvor
