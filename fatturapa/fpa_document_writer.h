#pragma once
// What the FatturaPA writers of every format version write alike: the seller, the customer,
// the document's general data and references, the withholding, the line loop and the VAT
// summaries, the payment. A format version adds its prolog, its transmission data, its lines
// and the values that only it carries.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fatturapa/fpa_composer.h"
#include "fatturapa/fpa_writer_v10.h"

namespace qorvana::fpaxml {

class FpaDocumentWriter {
  public:
    explicit FpaDocumentWriter(const FpaWriterInput& d);
    virtual ~FpaDocumentWriter() = default;
    FpaDocumentWriter(const FpaDocumentWriter&) = delete;
    FpaDocumentWriter& operator=(const FpaDocumentWriter&) = delete;

    FpaComposition compose();

  protected:
    // --- what a format version writes its own way ---
    virtual void prolog() = 0;
    virtual void transmission() = 0;  // DatiTrasmissione
    // The transmission contacts: whether the block is written without any of them.
    virtual bool emptyContactsWritten() const = 0;
    virtual bool regimeAccepted(int regime) const = 0;  // RF + regime
    // The format carries what came with 1.2 (withholdings RT03-RT06, reasons of two
    // characters, pension funds, declarations of intent).
    virtual bool format123() const { return true; }
    // The Natura of exemption entry `entry` (1..12); empty, with a problem, when it has none.
    virtual std::string nature(int entry) = 0;
    virtual void line(int n, int number, int defaultVatCode) = 0;
    // The DettaglioLinee of the stamp duty charged to the customer (figures' stampDuty), written
    // as line `number` after the document's lines.
    virtual void stampDutyLine(int /*number*/) {}
    // Inside DatiGeneraliDocumento, after DatiRitenuta.
    virtual void documentTotals() {}
    // Inside a DettaglioLinee of VAT code `code`, after its Natura.
    virtual void lineManagementData(int /*code*/) {}
    // Inside the DatiRiepilogo of the VAT codes `codes` (13 to 24 for the exempt entries),
    // before ImponibileImporto.
    virtual void summaryRounding(const std::vector<int>& /*codes*/, double /*taxable*/) {}
    // One DatiRiepilogo per rate (taxable codes) and per nature and reference (exempt
    // entries), rather than one per VAT code.
    virtual bool summaryPerRate() const { return false; }
    // Quantita and PrezzoUnitario with the decimals they have, rather than 2 and 8.
    virtual bool exactLineNumbers() const { return false; }
    // The IBANs the format accepts for the company's account.
    virtual const TextRule& companyIbanRule() const { return kIban; }

    // --- shared pieces ---
    // The three lines that open the document, with the root's version and namespace.
    void writeProlog(std::string_view version, std::string_view nameSpace);
    // IdTrasmittente and ProgressivoInvio.
    void transmitter();
    void transmitterContacts();
    // The problem of a recipient code whose 7th character (customer offset 521) a 6-character
    // code would lose; `why` says why the code must have 6.
    void recipientCodeTooLong(const std::string& why);
    std::string field(Field<FpaLayout> f) const { return r_.text(f); }
    // A table line written as a DettaglioLinee: one with a description, a price or a quantity;
    // not the pension fund's line, which is DatiCassaPrevidenziale.
    static bool Written(const DocumentLine& l) {
        return !IsFundLine(l) &&
               (!Trim(l.description).empty() || l.unitPrice != 0 || l.quantity != 0);
    }
    // The code given to a line without one and without an amount.
    int defaultCode() const;
    // The quantity of a line: the marker -9999 counts as none (0), as in the arithmetic.
    static double LineQuantity(const DocumentLine& l) {
        return l.quantity == -9999 ? 0 : l.quantity;
    }
    // The VAT code written for a line: a line without code and without amount takes
    // `defaultVatCode`; any other line the arithmetic's code (outside 1..24 gives 1).
    static int LineVatCode(const DocumentLine& l, double amount, int defaultVatCode) {
        return l.vatCode == 0 && amount == 0 ? defaultVatCode : NormalisedVatCode(l.vatCode);
    }
    // DettaglioLinee of table line `n`, written as line `number`, up to PrezzoUnitario;
    // Quantita only when `quantity` is given.
    void openLine(int n, int number, std::optional<double> quantity, double price);
    // A ScontoMaggiorazione: Tipo SC for a positive percentage, MG with the absolute value
    // for a negative one; Importo only when `amount` is given.
    void discount(int n, int percent, std::optional<double> amount);
    // PrezzoTotale, the VAT elements of the line's code, the end of DettaglioLinee.
    void closeLine(int n, double total, int code);
    // AliquotaIVA, Ritenuta and Natura of a line's VAT code.
    void vatOfCode(int code, const std::string& label);

    const FpaWriterInput& d_;
    const FpaRecord& r_;
    Composer c_;

  private:
    // A DatiRiepilogo: the VAT codes it sums up (13 to 24 for exempt entries) and their amounts.
    struct Summary {
        bool exempt = false;
        std::string rate;       // as written, "22.00"
        std::string nature;     // exempt entries
        std::string reference;  // exempt entries: the exemption's description
        std::vector<int> codes;
        double amount = 0;  // taxable or exempt amount
        double tax = 0;
    };
    // The summaries of the document's breakdown, taxable codes first, in code order.
    std::vector<Summary> summariesOf();
    void header();
    void seller();
    void address(const char* tag, Field<FpaLayout> street, Field<FpaLayout> postcode,
                 Field<FpaLayout> town, Field<FpaLayout> province, Field<FpaLayout> country,
                 const std::string& of);
    void companyRegister();
    void customer();
    void anagrafica();
    void generalData();
    void withholding();
    void importedNotes();
    // The reference block of document `id`; false when it has no id.
    bool reference(const char* tag, Field<FpaLayout> id, Field<FpaLayout> date,
                   Field<FpaLayout> item, Field<FpaLayout> job, const std::string& of);
    void carrier();
    void goodsAndServices();
    void payment();
    void bankAccount(const std::string& mode);
};

}  // namespace qorvana::fpaxml
