// The FatturaPA checker (qorvana-check and the check before an export): the input is the file
// as sent, named by its first line (up to 40 bytes), checked as qorvana-check checks it (name,
// size, schema 1.2.3, content and identifiers); the same bytes as a signed .xml.p7m (its
// signature and the XML inside); every finding formatted.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "fatturapa/fpa_checks.h"
#include "fatturapa/fpa_signed_file_checks.h"

namespace {

using namespace qorvana;

const FpaSchema& Schema() {
    static const std::unique_ptr<FpaSchema> schema = [] {
        auto loaded = FpaSchema::Load(DefaultFpaSchemaPath());
        if (!loaded) {
            std::fprintf(stderr, "%s\n", loaded.message().c_str());
            std::abort();
        }
        return std::move(*loaded);
    }();
    return *schema;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view name = bytes.substr(0, std::min(bytes.find('\n'), std::size_t{40}));
    for (std::string_view as : {name, std::string_view("IT01234567897_00001.xml.p7m")})
        for (const FpaFinding& finding : CheckFatturaPAFileAsSent(as, bytes, Schema()))
            FormatFinding(finding);
    CheckFatturaPAContent(bytes);
    return 0;
}
