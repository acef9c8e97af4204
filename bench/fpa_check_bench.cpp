// qorvana-check on a 500-line FatturaPA file, against the floor of parsing the same bytes with
// libxml2 alone (xmlReadMemory, no schema, no checks).

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <chrono>
#include <string>

#include "fatturapa/fpa_checks.h"
#include "fatturapa/xml_text.h"

namespace {

constexpr int kLines = 500;

// A valid FPR12 document of kLines lines at 22%, 10% and 4%, each with a quantity and a
// 10% discount on the unit price, and its three summaries.
std::string Document500() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<p:FatturaElettronica versione=\"FPR12\" "
        "xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\">\n"
        "<FatturaElettronicaHeader><DatiTrasmissione><IdTrasmittente><IdPaese>IT</IdPaese>"
        "<IdCodice>01234567897</IdCodice></IdTrasmittente><ProgressivoInvio>0001A"
        "</ProgressivoInvio><FormatoTrasmissione>FPR12</FormatoTrasmissione>"
        "<CodiceDestinatario>ABC1234</CodiceDestinatario></DatiTrasmissione>\n"
        "<CedentePrestatore><DatiAnagrafici><IdFiscaleIVA><IdPaese>IT</IdPaese><IdCodice>"
        "01234567897</IdCodice></IdFiscaleIVA><Anagrafica><Denominazione>Ferramenta Rossi"
        "</Denominazione></Anagrafica><RegimeFiscale>RF01</RegimeFiscale></DatiAnagrafici>"
        "<Sede><Indirizzo>Via Roma 1</Indirizzo><CAP>20121</CAP><Comune>Milano</Comune>"
        "<Nazione>IT</Nazione></Sede></CedentePrestatore>\n"
        "<CessionarioCommittente><DatiAnagrafici><IdFiscaleIVA><IdPaese>IT</IdPaese>"
        "<IdCodice>09876543217</IdCodice></IdFiscaleIVA><Anagrafica><Denominazione>Edilizia "
        "Bianchi</Denominazione></Anagrafica></DatiAnagrafici><Sede><Indirizzo>Corso Francia "
        "20</Indirizzo><CAP>10143</CAP><Comune>Torino</Comune><Nazione>IT</Nazione></Sede>"
        "</CessionarioCommittente></FatturaElettronicaHeader>\n"
        "<FatturaElettronicaBody><DatiGenerali><DatiGeneraliDocumento><TipoDocumento>TD01"
        "</TipoDocumento><Divisa>EUR</Divisa><Data>2025-05-14</Data><Numero>15</Numero>"
        "</DatiGeneraliDocumento></DatiGenerali>\n<DatiBeniServizi>\n";
    const double rates[] = {22, 10, 4};
    double taxable[3] = {0, 0, 0};
    for (int i = 1; i <= kLines; ++i) {
        const int quantity = i % 7 + 1;
        const double price = 10 + i % 50;  // 10% off leaves whole cents
        const double total = price * 0.9 * quantity;
        taxable[i % 3] += total;
        xml += "<DettaglioLinee><NumeroLinea>" + std::to_string(i) +
               "</NumeroLinea><Descrizione>Articolo di magazzino numero " + std::to_string(i) +
               "</Descrizione><Quantita>" + qorvana::XmlAmount(quantity) +
               "</Quantita><PrezzoUnitario>" + qorvana::XmlAmount(price) +
               "</PrezzoUnitario><ScontoMaggiorazione><Tipo>SC</Tipo><Percentuale>10.00"
               "</Percentuale></ScontoMaggiorazione><PrezzoTotale>" +
               qorvana::XmlAmount(total) + "</PrezzoTotale><AliquotaIVA>" +
               qorvana::XmlAmount(rates[i % 3]) + "</AliquotaIVA></DettaglioLinee>\n";
    }
    for (int r = 0; r < 3; ++r)
        xml += "<DatiRiepilogo><AliquotaIVA>" + qorvana::XmlAmount(rates[r]) +
               "</AliquotaIVA><ImponibileImporto>" + qorvana::XmlAmount(taxable[r]) +
               "</ImponibileImporto><Imposta>" + qorvana::XmlAmount(taxable[r] * rates[r] / 100) +
               "</Imposta></DatiRiepilogo>\n";
    xml += "</DatiBeniServizi></FatturaElettronicaBody></p:FatturaElettronica>\n";
    return xml;
}

const std::string& Xml() {
    static const std::string xml = Document500();
    return xml;
}

// What qorvana-check does for one file: load the schema, parse, validate, check.
bool CheckAsTheToolDoes() {
    const auto schema = qorvana::FpaSchema::Load(qorvana::DefaultFpaSchemaPath());
    return schema && qorvana::CheckFatturaPA(Xml(), **schema).empty();
}

void ParseOnly() {
    xmlDoc* doc = xmlReadMemory(Xml().data(), static_cast<int>(Xml().size()), nullptr, nullptr,
                                XML_PARSE_NONET);
    benchmark::DoNotOptimize(doc);
    xmlFreeDoc(doc);
}

void BM_CheckFile500Lines(benchmark::State& state) {
    if (!CheckAsTheToolDoes()) state.SkipWithError("the 500-line document does not pass");
    for (auto _ : state) benchmark::DoNotOptimize(CheckAsTheToolDoes());
}
BENCHMARK(BM_CheckFile500Lines)->Unit(benchmark::kMillisecond);

void BM_CheckWithLoadedSchema500Lines(benchmark::State& state) {
    const auto schema = qorvana::FpaSchema::Load(qorvana::DefaultFpaSchemaPath());
    if (!schema) state.SkipWithError(schema.message().c_str());
    for (auto _ : state) benchmark::DoNotOptimize(qorvana::CheckFatturaPA(Xml(), **schema));
}
BENCHMARK(BM_CheckWithLoadedSchema500Lines)->Unit(benchmark::kMillisecond);

void BM_ParseFloor500Lines(benchmark::State& state) {
    for (auto _ : state) ParseOnly();
}
BENCHMARK(BM_ParseFloor500Lines)->Unit(benchmark::kMillisecond);

// Both in every iteration: check_ms, parse_ms and ratio = check / parse.
void BM_CheckRatio500Lines(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    double checkSeconds = 0, parseSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(CheckAsTheToolDoes());
        const auto t1 = Clock::now();
        ParseOnly();
        const auto t2 = Clock::now();
        checkSeconds += std::chrono::duration<double>(t1 - t0).count();
        parseSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["check_ms"] = checkSeconds / n * 1000;
    state.counters["parse_ms"] = parseSeconds / n * 1000;
    state.counters["ratio"] = checkSeconds / parseSeconds;
    state.counters["bytes"] = static_cast<double>(Xml().size());
}
BENCHMARK(BM_CheckRatio500Lines)->Unit(benchmark::kMillisecond);

}  // namespace
