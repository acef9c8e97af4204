// The FatturaPA checker (qorvana-check and the check before an export): the input is the XML
// file, checked against the 1.2.3 schema and by the content checks, every finding formatted.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "fatturapa/fpa_checks.h"

namespace {

using namespace qorvana;

const FpaSchema& Schema() {
    static const std::unique_ptr<FpaSchema> schema = [] {
        std::string error;
        auto loaded = FpaSchema::Load(DefaultFpaSchemaPath(), error);
        if (!loaded) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
        return loaded;
    }();
    return *schema;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    for (const FpaFinding& finding : CheckFatturaPA(xml, Schema())) FormatFinding(finding);
    CheckFatturaPAContent(xml);
    return 0;
}
