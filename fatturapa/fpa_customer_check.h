#pragma once
// The early warning about a customer chosen for a document that carries an e-invoice: the
// identifiers of its record that the exchange system would refuse on every e-invoice to it,
// told before the document is typed rather than at the XML file.

#include <string>
#include <vector>

#include "customers/customer_record.h"

namespace qorvana {

// The faults of the VAT number and tax code the e-invoice would carry for `customer` (a
// foreign VAT number is not checked), one Italian sentence each with the exchange system's
// code; empty when none. The same rules as the checks of the file (fpa_party_checks.cpp).
std::vector<std::string> CustomerIdentityFaults(const CustomerRecord& customer);

// The faults as one message for the operator; empty when there are none.
std::string CustomerIdentityWarning(const CustomerRecord& customer);

}  // namespace qorvana
