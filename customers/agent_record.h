#pragma once
// Sales agent `age` (qorvana.age, channel 10, 600 bytes); records 1 to the count in
// counter record 16, found by the numeric value of the four-character code.
//   offset width type   meaning
//   0      40    text   agent name, line 1
//   40     40    text   agent name, line 2
//   80     40    text   address
//   120    40    text   town
//   160    5     text   postcode
//   165    40    text   second heading, line 1
//   205    40    text   second heading, line 2
//   245    40    text   second address
//   285    40    text   second town
//   325    5     text   second postcode
//   330    15    text   telephone 1
//   345    15    text   telephone 2
//   360    15    text   telephone 3
//   375    11    text   VAT number
//   386    16    text   tax code
//   402    40    text   description
//   442    8     text   carried
//   450    8     text   carried
//   458    8     text   carried
//   466    8     text   carried
//   474    2     text   carried
//   476    1     text   carried
//   477    1     text   carried
//   478    4     text   agent code (four digits)
//   482    30    text   carried
//   512    5     text   carried
//   517    5     text   carried
//   522    12    text   carried
//   534    1     text   carried
//   535    40    text   carried
//   575    1     text   carried
//   576    1     text   carried
//   577    4     text   carried
//   581    2     int16  carried
//   583    1     text   carried
//   584    2     int16  payment condition number (1..60)
//   586    2     int16  carried
//   588    1     text   carried
//   589    9     text   carried
//   598    2     int16  carried

#include <array>

#include "core/data_file_types.h"

namespace qorvana {

namespace age {
inline constexpr std::size_t kLength = AgentsFile::Record::kLength;
inline constexpr Field kName1 = TextField(0, 40);
inline constexpr Field kName2 = TextField(40, 40);
inline constexpr Field kAddress = TextField(80, 40);
inline constexpr Field kTown = TextField(120, 40);
inline constexpr Field kPostcode = TextField(160, 5);
inline constexpr Field kSecondName1 = TextField(165, 40);
inline constexpr Field kSecondName2 = TextField(205, 40);
inline constexpr Field kSecondAddress = TextField(245, 40);
inline constexpr Field kSecondTown = TextField(285, 40);
inline constexpr Field kSecondPostcode = TextField(325, 5);
inline constexpr Field kPhone1 = TextField(330, 15);
inline constexpr Field kPhone2 = TextField(345, 15);
inline constexpr Field kPhone3 = TextField(360, 15);
inline constexpr Field kVatNumber = TextField(375, 11);
inline constexpr Field kTaxCode = TextField(386, 16);
inline constexpr Field kDescription = TextField(402, 40);
inline constexpr Field kCarried442 = TextField(442, 8);
inline constexpr Field kCarried450 = TextField(450, 8);
inline constexpr Field kCarried458 = TextField(458, 8);
inline constexpr Field kCarried466 = TextField(466, 8);
inline constexpr Field kCarried474 = TextField(474, 2);
inline constexpr Field kCarried476 = TextField(476, 1);
inline constexpr Field kCarried477 = TextField(477, 1);
inline constexpr Field kCode = TextField(478, 4);
inline constexpr Field kCarried482 = TextField(482, 30);
inline constexpr Field kCarried512 = TextField(512, 5);
inline constexpr Field kCarried517 = TextField(517, 5);
inline constexpr Field kCarried522 = TextField(522, 12);
inline constexpr Field kCarried534 = TextField(534, 1);
inline constexpr Field kCarried535 = TextField(535, 40);
inline constexpr Field kCarried575 = TextField(575, 1);
inline constexpr Field kCarried576 = TextField(576, 1);
inline constexpr Field kCarried577 = TextField(577, 4);
inline constexpr Field kCarried581 = Int16Field(581);
inline constexpr Field kCarried583 = TextField(583, 1);
inline constexpr Field kPaymentCondition = Int16Field(584);
inline constexpr Field kCarried586 = Int16Field(586);
inline constexpr Field kCarried588 = TextField(588, 1);
inline constexpr Field kCarried589 = TextField(589, 9);
inline constexpr Field kCarried598 = Int16Field(598);

inline constexpr std::array<FieldDef, 40> kFields{{
    {"name1", kName1, "agent name, line 1"},
    {"name2", kName2, "agent name, line 2"},
    {"address", kAddress, "address"},
    {"town", kTown, "town"},
    {"postcode", kPostcode, "postcode"},
    {"secondName1", kSecondName1, "second heading, line 1"},
    {"secondName2", kSecondName2, "second heading, line 2"},
    {"secondAddress", kSecondAddress, "second address"},
    {"secondTown", kSecondTown, "second town"},
    {"secondPostcode", kSecondPostcode, "second postcode"},
    {"phone1", kPhone1, "telephone 1"},
    {"phone2", kPhone2, "telephone 2"},
    {"phone3", kPhone3, "telephone 3"},
    {"vatNumber", kVatNumber, "VAT number"},
    {"taxCode", kTaxCode, "tax code"},
    {"description", kDescription, "description"},
    {"carried442", kCarried442, "carried"},
    {"carried450", kCarried450, "carried"},
    {"carried458", kCarried458, "carried"},
    {"carried466", kCarried466, "carried"},
    {"carried474", kCarried474, "carried"},
    {"carried476", kCarried476, "carried"},
    {"carried477", kCarried477, "carried"},
    {"code", kCode, "agent code (four digits)"},
    {"carried482", kCarried482, "carried"},
    {"carried512", kCarried512, "carried"},
    {"carried517", kCarried517, "carried"},
    {"carried522", kCarried522, "carried"},
    {"carried534", kCarried534, "carried"},
    {"carried535", kCarried535, "carried"},
    {"carried575", kCarried575, "carried"},
    {"carried576", kCarried576, "carried"},
    {"carried577", kCarried577, "carried"},
    {"carried581", kCarried581, "carried"},
    {"carried583", kCarried583, "carried"},
    {"paymentCondition", kPaymentCondition, "payment condition number (1..60)"},
    {"carried586", kCarried586, "carried"},
    {"carried588", kCarried588, "carried"},
    {"carried589", kCarried589, "carried"},
    {"carried598", kCarried598, "carried"},
}};
static_assert(FieldsCover(kFields, kLength));
inline constexpr Layout kLayout{"age", kLength, kFields};
}  // namespace age

using AgentRecord = AgentsFile::Record;

}  // namespace qorvana
