#pragma once
// What the content checks of the exchange system read from a FatturaPA 1.2.x file, and the
// findings they report. Values are kept as read; amounts are parsed once, tolerantly.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qorvana {

// One reason the exchange system would reject the file: its code ("00423", or "schema"
// for a file that does not follow the XML schema), what to correct in Italian, and where.
struct FpaFinding {
    std::string code;
    std::string message;
    std::string path;  // element path, e.g. "FatturaElettronicaBody/.../PrezzoTotale"
    int line = 0;      // line of the file, 0 when unknown
};

// "CODE: message (path, riga N)"; the path or the line is left out when unknown.
std::string FormatFinding(const FpaFinding& finding);

// A number written in a FatturaPA amount or rate: surrounding blanks allowed, optional
// sign, digits, optional "." and decimals. nullopt for anything else ("12,50", "1e3", "").
std::optional<double> ParseFpaDecimal(std::string_view text);

// A text element of the file; absent elements have present == false.
struct FpaText {
    std::string value;
    bool present = false;
    std::string path;
    int line = 0;
};

// A decimal element: value is nullopt when absent or not a number.
struct FpaAmount {
    std::optional<double> value;
    bool present = false;
    std::string path;
    int line = 0;
};

struct FpaDiscount {  // ScontoMaggiorazione
    std::string path;
    int line = 0;
    FpaText type;  // SC or MG
    FpaAmount percent;
    FpaAmount amount;
};

struct FpaLine {  // DettaglioLinee
    std::string path;
    int line = 0;
    FpaAmount quantity;
    FpaAmount unitPrice;
    std::vector<FpaDiscount> discounts;
    FpaAmount totalPrice;
    FpaAmount rate;
    FpaText withholding;  // Ritenuta
    FpaText nature;
};

struct FpaFundContribution {  // DatiCassaPrevidenziale: its contribution is taxed like a line
    std::string path;
    int line = 0;
    FpaAmount amount;  // ImportoContributoCassa
    FpaAmount rate;
    FpaText withholding;  // Ritenuta
    FpaText nature;
};

struct FpaSummary {  // DatiRiepilogo
    std::string path;
    int line = 0;
    FpaAmount rate;
    FpaText nature;
    FpaAmount rounding;     // Arrotondamento
    FpaAmount taxable;      // ImponibileImporto
    FpaAmount tax;          // Imposta
    FpaText chargeability;  // EsigibilitaIVA: I, D or S (split payment)
};

struct FpaBody {  // FatturaElettronicaBody
    std::string path;
    int line = 0;
    FpaText documentType;                // TipoDocumento
    FpaText date;                        // Data, yyyy-mm-dd
    FpaText number;                      // Numero
    bool hasWithholdingData = false;     // at least one DatiRitenuta
    std::vector<FpaDiscount> discounts;  // of the whole document
    std::vector<FpaFundContribution> funds;
    std::vector<FpaText> linkedInvoiceDates;  // Data of each DatiFattureCollegate
    int goodsLine = 0;                        // DatiBeniServizi
    std::vector<FpaLine> lines;
    std::vector<FpaSummary> summaries;
};

// A fiscal identifier: IdFiscaleIVA, or IdTrasmittente; present == false when absent.
struct FpaTaxId {
    bool present = false;
    std::string path;
    int line = 0;
    FpaText country;  // IdPaese
    FpaText code;     // IdCodice
};

// A party of the header: its DatiAnagrafici (for a fiscal representative of the customer,
// the block itself).
struct FpaParty {
    bool present = false;
    std::string path;
    int line = 0;
    FpaTaxId vatId;   // IdFiscaleIVA
    FpaText taxCode;  // CodiceFiscale
};

struct FpaDocument {
    FpaText version;                        // attribute versione of the root
    FpaTaxId transmitter;                   // IdTrasmittente
    FpaText transmissionFormat;             // FormatoTrasmissione
    FpaText recipientCode;                  // CodiceDestinatario
    FpaText certifiedEmail;                 // PECDestinatario
    FpaParty seller;                        // CedentePrestatore
    FpaParty customer;                      // CessionarioCommittente
    std::vector<FpaParty> representatives;  // RappresentanteFiscale of seller and customer
    std::vector<FpaBody> bodies;
};

// Every content check of the exchange system on the document, the findings in code order.
std::vector<FpaFinding> RunFpaContentChecks(const FpaDocument& document);
// The checks of the identifiers, the parties and the document types (fpa_party_checks.cpp),
// appended to `out`; RunFpaContentChecks runs them.
void AddFpaPartyFindings(const FpaDocument& document, std::vector<FpaFinding>& out);

}  // namespace qorvana
