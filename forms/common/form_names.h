#pragma once
// The nine forms' names, as FormSet keys them and operator scripts address them.

namespace qorvana::form_name {

inline constexpr char kStart[] = "qoremf";
inline constexpr char kCustomerList[] = "qorsel";
inline constexpr char kBody[] = "qoremfx";
inline constexpr char kHeader[] = "qoremft";
inline constexpr char kDeliveryNotePicker[] = "qoremfb";
inline constexpr char kReceiptPicker[] = "qoremfr";
inline constexpr char kInvoicePicker[] = "qoremff";
inline constexpr char kQuotePicker[] = "qoremfp";
inline constexpr char kRegistration[] = "qorxord";
// The e-invoice window, reached from the start form.
inline constexpr char kEInvoices[] = "qorsdi";
// A customer's e-invoice data (qorvana.fec), reached from the start form.
inline constexpr char kEInvoiceCustomer[] = "qorfec";
// The print preview, reached from the header form.
inline constexpr char kPreview[] = "qorant";

}  // namespace qorvana::form_name
