// The start-up floor: a process that shows one bare Qt window of the start form's size, lets
// it draw, and ends, as the program does with its start form.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qorvana"));
    window.resize(980, 640);
    window.show();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    return 0;
}
