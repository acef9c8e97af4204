#pragma once
// Sales agent `age` (qorvana.age, channel 10, 600 bytes); records 1 to the count in
// counter record 16, found by the numeric value of the four-character code.

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

namespace age {
inline constexpr std::size_t kLength = AgentsFile::Record::kLength;
inline constexpr auto kFields = DeclareFields<AgentLayout>({
    {"name1", TextField(0, 40), "agent name, line 1"},
    {"name2", TextField(40, 40), "agent name, line 2"},
    {"address", TextField(80, 40), "address"},
    {"town", TextField(120, 40), "town"},
    {"postcode", TextField(160, 5), "postcode"},
    {"secondName1", TextField(165, 40), "second heading, line 1"},
    {"secondName2", TextField(205, 40), "second heading, line 2"},
    {"secondAddress", TextField(245, 40), "second address"},
    {"secondTown", TextField(285, 40), "second town"},
    {"secondPostcode", TextField(325, 5), "second postcode"},
    {"phone1", TextField(330, 15), "telephone 1"},
    {"phone2", TextField(345, 15), "telephone 2"},
    {"phone3", TextField(360, 15), "telephone 3"},
    {"vatNumber", TextField(375, 11), "VAT number"},
    {"taxCode", TextField(386, 16), "tax code"},
    {"description", TextField(402, 40), "description"},
    {"carried442", TextField(442, 8), "carried"},
    {"carried450", TextField(450, 8), "carried"},
    {"carried458", TextField(458, 8), "carried"},
    {"carried466", TextField(466, 8), "carried"},
    {"carried474", TextField(474, 2), "carried"},
    {"carried476", TextField(476, 1), "carried"},
    {"carried477", TextField(477, 1), "carried"},
    {"code", TextField(478, 4), "agent code (four digits)"},
    {"carried482", TextField(482, 30), "carried"},
    {"carried512", TextField(512, 5), "carried"},
    {"carried517", TextField(517, 5), "carried"},
    {"carried522", TextField(522, 12), "carried"},
    {"carried534", TextField(534, 1), "carried"},
    {"carried535", TextField(535, 40), "carried"},
    {"carried575", TextField(575, 1), "carried"},
    {"carried576", TextField(576, 1), "carried"},
    {"carried577", TextField(577, 4), "carried"},
    {"carried581", Int16Field(581), "carried"},
    {"carried583", TextField(583, 1), "carried"},
    {"paymentCondition", Int16Field(584), "payment condition number (1..60)"},
    {"carried586", Int16Field(586), "carried"},
    {"carried588", TextField(588, 1), "carried"},
    {"carried589", TextField(589, 9), "carried"},
    {"carried598", Int16Field(598), "carried"},
});

inline constexpr auto kName1 = kFields["name1"];
inline constexpr auto kName2 = kFields["name2"];
inline constexpr auto kAddress = kFields["address"];
inline constexpr auto kTown = kFields["town"];
inline constexpr auto kPostcode = kFields["postcode"];
inline constexpr auto kPhone1 = kFields["phone1"];
inline constexpr auto kPhone2 = kFields["phone2"];
inline constexpr auto kPhone3 = kFields["phone3"];
inline constexpr auto kVatNumber = kFields["vatNumber"];
inline constexpr auto kTaxCode = kFields["taxCode"];
inline constexpr auto kDescription = kFields["description"];
inline constexpr auto kCode = kFields["code"];
inline constexpr auto kCarried535 = kFields["carried535"];
inline constexpr auto kCarried581 = kFields["carried581"];
inline constexpr auto kPaymentCondition = kFields["paymentCondition"];
inline constexpr auto kCarried586 = kFields["carried586"];
inline constexpr auto kCarried588 = kFields["carried588"];
inline constexpr auto kCarried598 = kFields["carried598"];

inline constexpr Layout kLayout = kFields.layout("age");
}  // namespace age

using AgentRecord = AgentsFile::Record;

}  // namespace qorvana
