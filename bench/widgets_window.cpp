// The start form's kinds of widgets in a plain Qt window, with nothing of the program: what Qt
// alone takes to build, lay out and draw them. Like the start form, it holds three group boxes
// of labelled line edits (37 in all, most holding a text), three combo boxes (two editable),
// three radio buttons, six push buttons and a scroll bar, at the start form's size. It writes a
// line once its window is drawn, and ends.
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cstdio>

namespace {

QGroupBox* BoxOfLines(const QString& title, int rows) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    for (int row = 0; row < rows; ++row) {
        grid->addWidget(new QLabel(QStringLiteral("Campo %1").arg(row + 1)), row, 0);
        grid->addWidget(new QLineEdit(QStringLiteral("Via dell'Artigianato 8")), row, 1);
        grid->addWidget(new QLineEdit(QStringLiteral("37121")), row, 2);
    }
    return box;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) row->addWidget(widget);
    return row;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qorvana"));
    window.resize(980, 640);
    auto* column = new QVBoxLayout(&window);
    column->addLayout(
        Row({new QLabel(QStringLiteral("Cliente:")), new QLineEdit,
             new QPushButton(QStringLiteral("Cerca")), new QPushButton(QStringLiteral("Elenco"))}));
    column->addWidget(new QScrollBar(Qt::Horizontal));
    column->addLayout(
        Row({BoxOfLines(QStringLiteral("Sede legale e dati fiscali"), 6),
             BoxOfLines(QStringLiteral("Sede amministrativa e dati commerciali"), 6)}));
    QGroupBox* shipping =
        BoxOfLines(QStringLiteral("Dati inerenti la fatturazione e la spedizione"), 6);
    auto* grid = static_cast<QGridLayout*>(shipping->layout());
    for (int i = 0; i < 3; ++i) {
        auto* combo = new QComboBox;
        combo->setEditable(i > 0);
        combo->addItems({QStringLiteral("Vendita"), QStringLiteral("Scatole")});
        grid->addWidget(combo, 6, i);
        grid->addWidget(new QRadioButton(QStringLiteral("Mittente")), 7, i);
    }
    column->addWidget(shipping);
    column->addLayout(Row({new QPushButton(QStringLiteral("Fattura")),
                           new QPushButton(QStringLiteral("Nota credito")),
                           new QPushButton(QStringLiteral("Fatture elettroniche")),
                           new QPushButton(QStringLiteral("Esci"))}));
    window.show();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    std::puts("shown");
    std::fflush(stdout);
    return 0;
}
