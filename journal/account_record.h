#pragma once
// Account qorvana.con (channel 17, 150 bytes), counted by word 1 of counters record 6.
// Created by the suite's accounting programs; this module adds to the two running totals.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using AccountRecord = AccountsFile::Record;

namespace con {

inline constexpr std::size_t kLength = AccountsFile::Record::kLength;

inline constexpr auto kFields = DeclareFields<AccountLayout>({
    {"code", TextField(0, 10), "account code"},
    {"name", TextField(10, 40), "account name"},
    {"carried50", CarriedField(50, 8), "carried double"},
    {"debit", DoubleField(58), "running debit total"},
    {"credit", DoubleField(66), "running credit total"},
    {"carried74", CarriedField(74, 8), "carried double"},
    {"carried82", CarriedField(82, 8), "carried double"},
    {"carried90", CarriedField(90, 8), "carried double"},
    {"carried98", CarriedField(98, 8), "carried double"},
    {"carried106", CarriedField(106, 2), "carried small integer"},
    {"carried108", CarriedField(108, 2), "carried small integer"},
    {"carried110", CarriedField(110, 2), "carried small integer"},
    {"carried112", CarriedField(112, 36), "carried text"},
    {"carried148", CarriedField(148, 2), "carried small integer"},
});

inline constexpr auto kCode = kFields["code"];
inline constexpr auto kName = kFields["name"];
inline constexpr auto kDebit = kFields["debit"];
inline constexpr auto kCredit = kFields["credit"];

inline constexpr Layout kLayout = kFields.layout("con");

}  // namespace con
}  // namespace qorvana
