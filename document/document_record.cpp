#include "document/document_record.h"

namespace qorvana {

DocumentRecord NewDocumentRecord() {
    DocumentRecord record;
    BlankTextFields(record, document_record::kFields);
    return record;
}

}  // namespace qorvana
