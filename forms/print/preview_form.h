#pragma once
// The print preview qorant ("Anteprima"): a document's pages exactly as printing composes and
// draws them, in Qt's print-preview view, page by page and at any size. Opened from the header:
// before confirming, to look at only; from the reprint, where "Stampa" prints them.

#include <QString>
#include <functional>
#include <memory>

#include "forms/common/qor_form.h"
#include "print/print_page.h"

class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

namespace qorvana {

class PreviewForm : public QorForm {
    Q_OBJECT
  public:
    PreviewForm(Session& session, FormSet& forms);
    ~PreviewForm() override;

    // Shows `pages` over `opener`, `note` above them. `print` is what "Stampa" does, after
    // which the preview closes; without it the preview has no "Stampa".
    void showPages(PrintedDocument pages, const QString& note, std::function<void()> print,
                   QWidget* opener);
    // Pages as the preview shows them: composed pages drawn on its printer.
    int pageCount() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void paintPages(QPrinter* printer);
    void showPageNumber();
    void turnPage(int by);
    void printPages();
    void fitToScreen();

    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* view_ = nullptr;
    QLabel* avviso_ = nullptr;
    QLabel* pagina_ = nullptr;
    QPushButton* stampa_ = nullptr;
    PrintedDocument pages_;
    std::function<void()> print_;
    QWidget* opener_ = nullptr;
};

}  // namespace qorvana
