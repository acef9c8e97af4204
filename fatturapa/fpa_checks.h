#pragma once
// Checking a FatturaPA 1.2.x file before it is sent: the 1.2.3 schema (offline) and the
// content checks of the exchange system. Works on any such file, whoever wrote it.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "fatturapa/fpa_check_model.h"

namespace qorvana {

// The compiled FatturaPA 1.2.3 schema. Compiling it is the costly part of a check: load it
// once and check many files with it.
class FpaSchema {
  public:
    // The schema at xsdPath (xmldsig-core-schema.xsd beside it); a failure, in Italian, when it
    // cannot be read or compiled.
    static Result<std::unique_ptr<FpaSchema>> Load(const std::string& xsdPath);
    ~FpaSchema();
    FpaSchema(const FpaSchema&) = delete;
    FpaSchema& operator=(const FpaSchema&) = delete;

  private:
    struct Parts;
    friend std::vector<FpaFinding> CheckFatturaPA(std::string_view xml, const FpaSchema& schema);
    explicit FpaSchema(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};

// Where the program finds the 1.2.3 schema: schemas/ beside the executable when present
// (an installed program), otherwise the copy the build made in the build tree.
std::string DefaultFpaSchemaPath();
// The same place for any schema file the program carries (MessaggiTypes_v1.1.xsd ...).
std::string SchemaFilePath(std::string_view file);

// Every finding of the XML text: well-formedness and schema (code "schema"), then the
// content checks. Empty when the exchange system would accept the file's content.
std::vector<FpaFinding> CheckFatturaPA(std::string_view xml, const FpaSchema& schema);

// The content checks alone (well-formedness findings still reported as "schema").
std::vector<FpaFinding> CheckFatturaPAContent(std::string_view xml);

// The findings on a file as it would be sent under the name `fileName` (no folder), before its
// content: the name (00001) and the size (00003).
std::vector<FpaFinding> CheckFatturaPAFileName(std::string_view fileName, std::string_view bytes);

// Every finding of an unsigned file as it would be sent: CheckFatturaPAFileName, then the
// findings of CheckFatturaPA on its XML. A ".zip" gets the name and size checks only: the files
// inside are not opened. A signed ".xml.p7m" is checked, signature included, by
// CheckFatturaPAFileAsSent (fpa_signed_file_checks.h, with the exchange-system channel).
std::vector<FpaFinding> CheckFatturaPAFile(std::string_view fileName, std::string_view bytes,
                                           const FpaSchema& schema);

// CheckFatturaPAFile against the program's 1.2.3 schema (DefaultFpaSchemaPath), compiled the
// first time and kept for the run; refused, with why, when the schema cannot be read.
Result<std::vector<FpaFinding>> CheckWithProgramSchema(std::string_view fileName,
                                                       std::string_view bytes);

// The end of a finding on the file as sent, which the exchange system refuses whole.
inline const std::string kFileRefused = ": il Sistema di Interscambio scarta il file";

// True for a name ending ".zip" (any case).
bool IsFpaArchiveName(std::string_view fileName);

}  // namespace qorvana
