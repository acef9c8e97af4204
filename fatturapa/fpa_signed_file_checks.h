#pragma once
// A FatturaPA file checked as the exchange system checks it on arrival, signed or not: the
// signature of a ".xml.p7m" needs OpenSSL, so this is part of the exchange-system channel.

#include <string_view>
#include <vector>

#include "fatturapa/fpa_checks.h"

namespace qorvana {

// Every finding of a file as it would be sent under the name `fileName` (no folder): the name
// (00001), the size (00003), for a ".xml.p7m" its signature (00106, 00102, 00103), then the
// findings of CheckFatturaPA on the XML, signed or not. A ".zip" gets the name and size checks
// only: the files inside are not opened.
std::vector<FpaFinding> CheckFatturaPAFileAsSent(std::string_view fileName, std::string_view bytes,
                                                 const FpaSchema& schema);

}  // namespace qorvana
