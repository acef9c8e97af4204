// The start-up floor: a process that shows one bare Qt window of the start form's size, lets
// it draw, says so on its output, and ends; with --stay it stays until it is ended, so that
// what it loaded can be looked at.
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool stay = argc > 1 && std::strcmp(argv[1], "--stay") == 0;
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qorvana"));
    window.resize(980, 640);
    window.show();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    std::puts("shown");
    std::fflush(stdout);
    return stay ? QApplication::exec() : 0;
}
