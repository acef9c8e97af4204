#include "document/document_continuation_record.h"

#include "core/civil_date.h"

namespace qorvana {

ContinuationRecord NewContinuationRecord() {
    ContinuationRecord record;
    record.blankTexts(continuation_record::kFields);
    record.setInt16(continuation_record::kMarker, 999);
    record.setInt16(continuation_record::kWord526, 1);
    return record;
}

std::string DeferredVatLimit(const std::string& documentDateDdMmYyyy) {
    const std::string date = CivilDate::RecordFromShown(documentDateDdMmYyyy);
    if (date.empty()) return {};
    return date.substr(4, 2) + std::to_string(std::stoi(date.substr(0, 4)) + 1);
}

}  // namespace qorvana
