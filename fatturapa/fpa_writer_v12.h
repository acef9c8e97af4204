#pragma once
// The FatturaPA 1.2.3 XML of one document: FPA12 to a public administration, FPR12 to a
// business. It shares the 1.0 writer's input, text rules and sections; what differs is the
// transmission data, the nature codes in force since 2021, and lines written the way the
// exchange system's checks compute them: discounts as percentages on the unit price, no
// Quantita for a line without quantity, VAT-inclusive prices written net of VAT, and a
// rounding in the summary where the cent-rounded lines and the document's taxable amount
// differ.

#include <string>
#include <string_view>

#include "fatturapa/fpa_writer_v10.h"

namespace qorvana {

FpaComposition ComposeFpaV12(const FpaWriterInput& document);

// The customer's recipient code as written: a public administration (flag "1") has the
// 6-character office code at offset 515; any other customer the 7-character code at offsets
// 515 and 521, "0000000" when it has none. Trimmed and upper-cased.
std::string RecipientCode(const CustomerRecord& customer);
// FormatoTrasmissione and the root's versione: "FPA12" for a 6-character recipient code,
// "FPR12" otherwise.
std::string TransmissionFormat(std::string_view recipientCode);
// The Natura of an exemption-table entry's nature digits: the nature index, then for N2,
// N3 and N6 the detail ("0" gives N1, "11" gives N2.1, "25" gives N3.5, "5" gives the bare
// N6); empty when the digits name no nature.
std::string NatureOfDigits(std::string_view digits);
// The progressive in the file name: the transmission progressive in base 36, five
// characters ("0000H" for 17); empty outside 1..36^5-1.
std::string FileProgressive(int progressive);

}  // namespace qorvana
