#include "tools/qorxpdf/pdf_renderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace qorvana::qorxpdf {

Status RenderPdf(const PrintedDocument& document, const PageSetup& page,
                 const PictureFile& pictureFile, QIODevice* out) {
    if (document.empty()) return Failure{"Il file di stampa non contiene pagine."};
    QPdfWriter writer(out);
    writer.setCreator(QStringLiteral("Qorvana"));
    // A page size is given upright; a wide page is that size turned.
    const bool wide = page.width > page.height;
    const QSizeF upright(std::min(page.width, page.height), std::max(page.width, page.height));
    const QPageLayout layout(QPageSize(upright, QPageSize::Millimeter),
                             wide ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(page.left, page.top, page.right, page.bottom),
                             QPageLayout::Millimeter);
    if (!writer.setPageLayout(layout))
        return Failure{"Il formato di pagina non è valido (controllare qorvana.lxf)."};
    QPainter painter;
    if (!painter.begin(&writer))
        return Failure{"Il PDF non si può disegnare (avvisare l'assistenza)."};
    for (std::size_t p = 0; p < document.size(); ++p) {
        if (p > 0) writer.newPage();
        PaintPage(painter, document[p], pictureFile);
    }
    painter.end();
    return {};
}

}  // namespace qorvana::qorxpdf
