#include "document/document_continuation_record.h"

namespace qorvana {

ContinuationRecord NewContinuationRecord() {
    ContinuationRecord record;
    record.blankTexts(continuation_record::kFields);
    record.setInt16(continuation_record::kMarker, 999);
    record.setInt16(continuation_record::kWord526, 1);
    return record;
}

}  // namespace qorvana
