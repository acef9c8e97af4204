#pragma once
// The company's settings, read from its files when the program starts and held by the session,
// so that posting, printing, the XML export and the registration find them whichever windows
// exist: the start form's tables (qorvana.tab, qorvana.prg), the header's tables, payment terms
// and FatturaPA record (qorvana.tab, qorvana.fpa), the print tables (qorvana.int, .ilx, .lyf,
// .prg, .pdf), the VAT table (qorvana.tab), the e-invoices to every customer (qorvana-fe.ini,
// this program's own). The suite's shared settings (qorvana.int, .eur, .tbl, .gnr) are read
// with them: the currency mode, amount decimals and e-invoice switch into the session's
// runSettings and the general settings record, which the core's lower folders read.
//
// The suite's other programs may change these files while the program runs. Each part is read
// again where it was always read: the shared settings when the header and the body form load,
// the header's part when the header form loads, the print tables when the body form loads, the
// start form's tables and the e-invoice setting when the start form loads (each window loads
// once a run). Every file is optional; a file that is there but cannot be
// read gives its defaults and a message naming it, said by the window that reads it.

#include <memory>
#include <string>
#include <vector>

#include "core/settings.h"
#include "document/due_dates.h"
#include "document/payment_terms.h"
#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_record.h"
#include "fatturapa/fpa_tables.h"
#include "print/print_settings.h"

namespace qorvana {

struct Session;

struct CompanySettings {
    StartTables start;
    HeaderTables headerTables;
    PaymentTerms paymentTerms;
    PostponeRules postponeRules;
    FpaRecord fpa;              // marker "0" when the company has no qorvana.fpa
    EInvoiceSettings einvoice;  // qorvana-fe.ini: e-invoices to every customer, stamp duty
    PrintSettings print;
    // qorvana.tab's VAT rates, withholding and exemption texts: one table for the lines, the
    // XML, printing and posting.
    VatTable vat;

    // The company numbers electronic invoices in a series of their own (qorvana.fpa, 707 "1").
    bool fpaSeparateNumbering() const;
    // The series list position an electronic invoice starts on (qorvana.fpa, offset 708).
    int fpaSeriesPosition() const;
};

// The session's settings; the defaults of a company without files until they are loaded.
CompanySettings& SettingsOf(Session& session);
const CompanySettings& SettingsOf(const Session& session);

// Start-up: reads every part but the print tables, which the body form reads when it loads.
// Returns the messages the start form tells (its own files, the e-invoice setting and the shared
// settings); the header part's messages are told when the header form reads it again.
std::vector<std::string> LoadCompanySettings(Session& session);
// The header form's load: the shared settings, the header's tables, the payment terms, the
// VAT table and qorvana.fpa again; the messages of the files that could not be read.
std::vector<std::string> RereadHeaderSettings(Session& session);
// The body form's load: the shared settings and the print tables again; their messages.
std::vector<std::string> RereadBodySettings(Session& session);

}  // namespace qorvana
