#pragma once
// The settings this run reads once and every form uses: the currency mode, price decimals and
// electronic-invoice switch of the data root's qorvana.eur (core/settings.h), and the PDF
// folder of the company's qorvana.pdf (print/print_settings.h).

#include <string>

namespace qorvana {

struct RunSettings {
    // Amounts with decimals (euro) or whole units (lire); lire until qorvana.eur is read.
    bool euro = false;
    // Decimals of euro prices, 2..5.
    int priceDecimals = 2;
    // Electronic invoices and the PDF hand-off: the suite has no PDF switch of its own.
    bool electronicInvoices = false;
    // Folder of the documents' PDF files, "C:" when qorvana.pdf names none.
    std::string pdfFolder;
};

}  // namespace qorvana
