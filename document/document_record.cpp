#include "document/document_record.h"

namespace qorvana {

DocumentRecord NewDocumentRecord() {
    DocumentRecord record;
    record.blankTexts(document_record::kFields);
    return record;
}

}  // namespace qorvana
