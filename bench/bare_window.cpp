// The start-up floor: a process that shows one bare Qt window of the start form's size, lets
// it draw, says so on its output, and ends.
#include <QApplication>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qorvana"));
    window.resize(980, 640);
    window.show();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    std::puts("shown");
    std::fflush(stdout);
    return 0;
}
