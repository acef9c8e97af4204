#pragma once
// The printer back end: draws composed pages with QPainter on the printer chosen with the
// header form's printer dialog, or the system's default printer; with --print-to every job
// becomes the next DIR/print-N.pdf instead.

#include <QString>
#include <memory>
#include <optional>

#include "print/form_drawing.h"
#include "print/page_painter.h"
#include "print/print_page.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace qorvana {

struct Session;

// Sets a printer for the composed pages: A4 upright, without margins, positions from the
// paper's top left corner.
void SetDocumentPage(QPrinter& printer);
// Draws the pages on a painter already begun on an A4 device, each page after the first on a
// new one; false when a page could not be started. The printer, --print-to and the preview all
// draw through here.
bool PaintDocument(QPainter& painter, QPagedPaintDevice& device, const PrintedDocument& document,
                   const PictureFile& pictureFile);
// Where the pictures of the company's form drawing are read from.
PictureFile DocumentPictures(const Session& session);

class DocumentPrinter {
  public:
    // `chosen`: the printer picked with the printer dialog; nullptr for the default one.
    DocumentPrinter(const Session& session, QPrinter* chosen);
    ~DocumentPrinter();

    // False, with the operator's message in `problem`, when there is nothing to print on.
    bool ready(QString* problem);
    // Prints one copy as one job; the operator's message when it failed.
    std::optional<QString> print(const PrintedDocument& document, const QString& jobName);

  private:
    // The --print-to job: the next DIR/print-N.pdf, written whole or not at all.
    std::optional<QString> printToFile(const PrintedDocument& document, const QString& jobName);

    const Session& session_;
    QPrinter* printer_ = nullptr;
    std::unique_ptr<QPrinter> own_;
};

}  // namespace qorvana
