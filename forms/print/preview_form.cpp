#include "forms/print/preview_form.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/session.h"
#include "forms/common/form_names.h"
#include "forms/print/printer_form.h"

namespace qorvana {
namespace {

QPushButton* Button(const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(true);  // Enter presses it, as Space does
    return button;
}

}  // namespace

PreviewForm::PreviewForm(Session& session, FormSet& forms)
    : QorForm(QString(form_name::kPreview), session, forms),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle(QStringLiteral("Anteprima di stampa"));
    // Looking at the pages needs no printer: they are drawn as a PDF printer draws them.
    printer_->setOutputFormat(QPrinter::PdfFormat);
    SetDocumentPage(*printer_);

    auto* column = new QVBoxLayout(this);
    avviso_ = new QLabel;
    avviso_->setWordWrap(true);
    column->addWidget(avviso_);
    registerControl(QStringLiteral("avviso"), avviso_);

    auto* bar = new QHBoxLayout;
    auto* precedente = Button(QStringLiteral("Pagina pr&ecedente"));
    auto* successiva = Button(QStringLiteral("Pagina &successiva"));
    pagina_ = new QLabel;
    auto* riduci = Button(QStringLiteral("&Riduci"));
    auto* ingrandisci = Button(QStringLiteral("&Ingrandisci"));
    auto* intera = Button(QStringLiteral("Pagina inter&a"));
    stampa_ = Button(QStringLiteral("S&tampa"));
    auto* chiudi = Button(QStringLiteral("&Chiudi"));
    for (QWidget* w : std::initializer_list<QWidget*>{precedente, successiva, pagina_, riduci,
                                                      ingrandisci, intera})
        bar->addWidget(w);
    bar->addStretch(1);
    bar->addWidget(stampa_);
    bar->addWidget(chiudi);
    column->addLayout(bar);
    registerControl(QStringLiteral("precedente"), precedente);
    registerControl(QStringLiteral("successiva"), successiva);
    registerControl(QStringLiteral("pagina"), pagina_);
    registerControl(QStringLiteral("riduci"), riduci);
    registerControl(QStringLiteral("ingrandisci"), ingrandisci);
    registerControl(QStringLiteral("intera"), intera);
    registerControl(QStringLiteral("stampa"), stampa_);
    registerControl(QStringLiteral("chiudi"), chiudi);

    view_ = new QPrintPreviewWidget(printer_.get());
    view_->setZoomMode(QPrintPreviewWidget::FitInView);
    column->addWidget(view_, 1);
    registerControl(QStringLiteral("pagine"), view_);

    connect(view_, &QPrintPreviewWidget::paintRequested, this, &PreviewForm::paintPages);
    connect(view_, &QPrintPreviewWidget::previewChanged, this, &PreviewForm::showPageNumber);
    connect(precedente, &QPushButton::clicked, this, [this] { turnPage(-1); });
    connect(successiva, &QPushButton::clicked, this, [this] { turnPage(1); });
    connect(riduci, &QPushButton::clicked, view_, [this] { view_->zoomOut(); });
    connect(ingrandisci, &QPushButton::clicked, view_, [this] { view_->zoomIn(); });
    connect(intera, &QPushButton::clicked, view_, &QPrintPreviewWidget::fitInView);
    connect(stampa_, &QPushButton::clicked, this, &PreviewForm::printPages);
    connect(chiudi, &QPushButton::clicked, this, &PreviewForm::close);

    // Nothing else is done while the preview shows: it shows a moment of the document.
    setWindowModality(Qt::ApplicationModal);
}

PreviewForm::~PreviewForm() = default;

void PreviewForm::showPages(PrintedDocument pages, const QString& note, std::function<void()> print,
                            QWidget* opener) {
    pages_ = std::move(pages);
    print_ = std::move(print);
    opener_ = opener;
    avviso_->setText(note);
    stampa_->setVisible(static_cast<bool>(print_));
    fitToScreen();
    forms().show(formName());
    view_->setZoomMode(QPrintPreviewWidget::FitInView);
    view_->updatePreview();
    view_->setCurrentPage(1);
    showPageNumber();
}

int PreviewForm::pageCount() const {
    return view_->pageCount();
}

void PreviewForm::paintPages(QPrinter* printer) {
    QPainter painter(printer);
    PaintDocument(painter, *printer, pages_, DocumentPictures(session()));
}

void PreviewForm::showPageNumber() {
    pagina_->setText(
        QStringLiteral("Pagina %1 di %2").arg(view_->currentPage()).arg(view_->pageCount()));
}

void PreviewForm::turnPage(int by) {
    view_->setCurrentPage(std::clamp(view_->currentPage() + by, 1, view_->pageCount()));
    showPageNumber();
}

void PreviewForm::printPages() {
    // The preview closes first: what printing tells the operator comes over the opener.
    const std::function<void()> print = std::move(print_);
    close();
    if (print) print();
}

void PreviewForm::fitToScreen() {
    // An A4 page upright, as tall as the screen's free area allows.
    const QScreen* screen = this->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const int height = std::max(400, area.height() - 60);
    resize(std::min(area.width() - 20, height * 9 / 10), height);
    CentreOnScreen(this);
}

void PreviewForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QorForm::keyPressEvent(event);
}

void PreviewForm::closeEvent(QCloseEvent* event) {
    event->accept();
    pages_.clear();
    print_ = nullptr;
    if (opener_) {
        opener_->activateWindow();
        opener_->raise();
    }
}

}  // namespace qorvana
