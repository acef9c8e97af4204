#pragma once
// Record numbers of the demo company's fixed customers and articles. End-to-end tests rely
// on them; tools/demo/README.md says which behaviour each one is for.

namespace qorvana::demo {

namespace customer {
inline constexpr int kAlfa = 1;     // instalments 30-60-90, agent 1
inline constexpr int kArco = 2;     // end of month, agent 2
inline constexpr int kNordica = 3;  // contains "ORD"
inline constexpr int kBordo = 4;    // contains "ORD"
inline constexpr int kNodo = 5;     // no "ORD"
inline constexpr int kRossi = 6;    // "ROSSI" and "ROSSI MARIO": two names, one prefix
inline constexpr int kRossiMario = 7;
inline constexpr int kDeleted = 8;    // deleted, name with "ORD" behind a marker
inline constexpr int kComune = 9;     // public administration
inline constexpr int kIstituto = 10;  // VAT-code override 14 (exempt)
inline constexpr int kGrandi = 11;    // second price list
inline constexpr int kBassi = 12;     // six instalments, agent code without an agent
inline constexpr int kFixtureCount = 12;
}  // namespace customer

namespace article {
inline constexpr int kAbc = 1;        // code ABC, before AB in record order
inline constexpr int kAb = 2;         // code AB
inline constexpr int kLed = 3;        // known bar code
inline constexpr int kDeleted = 4;    // deleted, still in the bar-code index
inline constexpr int kBoiler = 5;     // 3 extended description lines
inline constexpr int kPanel = 6;      // 10 extended description lines
inline constexpr int kLabour = 7;     // VAT code 0
inline constexpr int kFilter = 8;     // extended description with marker 122 (not in use)
inline constexpr int kManual = 9;     // VAT code 4 (4%)
inline constexpr int kCourse = 10;    // VAT code 14 (exempt)
inline constexpr int kDesign = 11;    // VAT code 5 (22% with withholding 20%)
inline constexpr int kRadiator = 12;  // VAT code 2 (10%)
inline constexpr int kFixtureCount = 12;
}  // namespace article

inline constexpr const char* kLedBarCode = "8001234567897";
inline constexpr const char* kDeletedBarCode = "8001234567804";

}  // namespace qorvana::demo
