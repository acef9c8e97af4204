#pragma once
// Draws a printed document into a PDF: one PDF page per page, vector text.

#include <QIODevice>

#include "core/result.h"
#include "print/page_painter.h"
#include "tools/qorxpdf/qorxpdf_job.h"

namespace qorvana::qorxpdf {

// Renders `document` as a PDF into `out` with the page size and margins of `page`; pictures
// are read from `pictureFile` (a missing picture is skipped). A failure says what went wrong.
Status RenderPdf(const PrintedDocument& document, const PageSetup& page,
                 const PictureFile& pictureFile, QIODevice* out);

}  // namespace qorvana::qorxpdf
