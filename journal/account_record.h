#pragma once
// Account qorvana.con (channel 17, 150 bytes), counted by word 1 of counters record 6.
// Created by the suite's accounting programs; this module adds to the two running totals.
//   0 10 text    account code (its numeric value identifies the account)
//  10 40 text    account name
//  50  8 double  (carried)
//  58  8 double  running debit total
//  66  8 double  running credit total
//  74 8x4 double (carried)
// 106 2x3 int16  (carried)
// 112 36 text    (carried)
// 148  2 int16   (carried)

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

using AccountRecord = AccountsFile::Record;

namespace con {

inline constexpr std::size_t kLength = AccountsFile::Record::kLength;

inline constexpr Field kCode = TextField(0, 10);
inline constexpr Field kName = TextField(10, 40);
inline constexpr Field kDebit = DoubleField(58);
inline constexpr Field kCredit = DoubleField(66);

inline constexpr std::array<FieldDef, 14> kFields{{
    {"code", kCode, "account code"},
    {"name", kName, "account name"},
    {"carried50", CarriedField(50, 8), "carried double"},
    {"debit", kDebit, "running debit total"},
    {"credit", kCredit, "running credit total"},
    {"carried74", CarriedField(74, 8), "carried double"},
    {"carried82", CarriedField(82, 8), "carried double"},
    {"carried90", CarriedField(90, 8), "carried double"},
    {"carried98", CarriedField(98, 8), "carried double"},
    {"carried106", CarriedField(106, 2), "carried small integer"},
    {"carried108", CarriedField(108, 2), "carried small integer"},
    {"carried110", CarriedField(110, 2), "carried small integer"},
    {"carried112", CarriedField(112, 36), "carried text"},
    {"carried148", CarriedField(148, 2), "carried small integer"},
}};
static_assert(FieldsCover(kFields, kLength));

inline constexpr Layout kLayout{"con", kLength, kFields};

}  // namespace con
}  // namespace qorvana
