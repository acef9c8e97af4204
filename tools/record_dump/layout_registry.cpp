#include "tools/record_dump/layout_registry.h"

#include <array>
#include <cctype>
#include <string>

#include "articles/article_index_record.h"
#include "articles/article_record.h"
#include "articles/barcode_index_record.h"
#include "articles/extra_description_record.h"
#include "core/counters_record.h"
#include "core/general_settings_record.h"
#include "customers/agent_record.h"
#include "customers/customer_record.h"
#include "customers/name_index_record.h"
#include "document/document_continuation_record.h"
#include "document/document_record.h"
#include "document/stock_movement_record.h"
#include "fatturapa/fpa_record.h"
#include "journal/account_record.h"
#include "journal/journal_record.h"
#include "sources/delivery_note_record.h"
#include "sources/quote_record.h"

namespace qorvana {
namespace {

const std::array kLayouts{
    NamedLayout{"tot", &tot::kLayout},
    NamedLayout{"cli", &cli::kLayout},
    NamedLayout{"src", &src::kLayout},
    NamedLayout{"fte", &document_record::kLayout},
    NamedLayout{"f2e", &continuation_record::kLayout},
    NamedLayout{"ric", &document_record::kLayout},
    NamedLayout{"art", &art::kLayout},
    NamedLayout{"sra", &sra::kLayout},
    NamedLayout{"mag", &stock_movement_record::kLayout},
    NamedLayout{"srb", &srb::kLayout},
    NamedLayout{"bol", &bol::kLayout},
    NamedLayout{"age", &age::kLayout},
    NamedLayout{"prv", &prv::kLayout},
    NamedLayout{"prx", &prx::kLayout},
    NamedLayout{"con", &con::kLayout},
    NamedLayout{"gio", &gio::kLayout},
    NamedLayout{"fpa", &fpa::kLayout},
    NamedLayout{"gnr", &gnr::kLayout},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::span<const NamedLayout> DumpLayouts() {
    return kLayouts;
}

const Layout* FindDumpLayout(std::string_view name) {
    for (const auto& entry : kLayouts)
        if (SameIgnoringCase(entry.name, name)) return entry.layout;
    return nullptr;
}

const Layout* GuessDumpLayout(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    if (extension.size() < 2) return nullptr;
    return FindDumpLayout(std::string_view(extension).substr(1));
}

}  // namespace qorvana
