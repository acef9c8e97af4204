#include "fatturapa/sdi_notification.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/cp1252.h"
#include "fatturapa/fpa_checks.h"

namespace qorvana {
namespace {

constexpr std::string_view kPublicAdministrationNamespace =
    "http://www.fatturapa.gov.it/sdi/messaggi/v1.0";
constexpr std::string_view kBusinessNamespace =
    "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fattura/messaggi/v1.0";

// Root elements of both schemas (and of messages read by name) and the kind each is.
constexpr std::array<std::pair<std::string_view, NotificationKind>, 8> kRoots{{
    {"RicevutaConsegna", NotificationKind::RC},
    {"NotificaScarto", NotificationKind::NS},
    {"RicevutaScarto", NotificationKind::NS},
    {"NotificaMancataConsegna", NotificationKind::MC},
    {"RicevutaImpossibilitaRecapito", NotificationKind::MC},
    {"NotificaEsito", NotificationKind::NE},
    {"NotificaDecorrenzaTermini", NotificationKind::DT},
    {"AttestazioneTrasmissioneFattura", NotificationKind::AT},
}};
constexpr std::array<std::string_view, 4> kRecipientRoots{
    "MetadatiInvioFile", "FileMetadati", "NotificaEsitoCommittente", "ScartoEsitoCommittente"};

// The longest texts kept of a notification, in characters: the business schema's limits, so
// that a message read by element names cannot bring more into the store than a valid one.
constexpr std::size_t kIdLength = 36;
constexpr std::size_t kFileNameLength = 50;
constexpr std::size_t kDescriptionLength = 1000;
constexpr std::size_t kSuggestionLength = 2000;
constexpr std::size_t kShortLength = 64;  // codes, outcomes, times
constexpr std::size_t kHashLength = 128;
constexpr std::size_t kMaxErrors = 200;

// The text cut to `length` characters.
std::string Clipped(std::string text, std::size_t length) {
    std::size_t at = 0;
    for (std::size_t n = 0; n < length && at < text.size(); ++n) NextCodePoint(text, at);
    text.resize(std::min(at, text.size()));
    return text;
}

std::string Listed(const std::vector<sdi_xml::XmlProblem>& problems) {
    std::vector<std::string> said;
    for (const sdi_xml::XmlProblem& p : problems) {
        std::string text = sdi_xml::Italian(p);
        if (std::find(said.begin(), said.end(), text) == said.end()) said.push_back(text);
    }
    std::string text;
    const std::size_t shown = std::min<std::size_t>(said.size(), 3);
    for (std::size_t i = 0; i < shown; ++i) text += (i ? "; " : "") + said[i];
    if (said.size() > shown) text += " (e altri " + std::to_string(said.size() - shown) + ")";
    return text;
}

std::string Originals(const std::vector<sdi_xml::XmlProblem>& problems) {
    std::string text;
    for (const sdi_xml::XmlProblem& p : problems)
        text += (text.empty() ? "" : "; ") + p.original +
                (p.line > 0 ? " (line " + std::to_string(p.line) + ")" : "");
    return text;
}

const char* SchemaName(MessageSchema schema) {
    return schema == MessageSchema::Business ? "MessaggiFatturaTypes 1.0" : "MessaggiTypes 1.1";
}

// The notification's facts, read by element names below its root.
SdiNotification Facts(const _xmlNode* root, NotificationKind kind, MessageSchema schema) {
    using namespace sdi_xml;
    SdiNotification n;
    n.kind = kind;
    n.schema = schema;
    n.sdiId = Clipped(TextAt(root, "IdentificativoSdI"), kIdLength);
    n.invoiceFile = Clipped(TextAt(root, "NomeFile"), kFileNameLength);
    n.messageId = Clipped(TextAt(root, "MessageId"), kIdLength);
    n.moment =
        Clipped(TextAt(root, kind == NotificationKind::RC ? "DataOraConsegna" : "DataOraRicezione"),
                kShortLength);
    n.description = Clipped(TextAt(root, "Descrizione"), kDescriptionLength);
    if (kind == NotificationKind::NE) {
        n.outcome = Clipped(TextAt(root, "EsitoCommittente/Esito"), kShortLength);
        n.description = Clipped(TextAt(root, "EsitoCommittente/Descrizione"), kDescriptionLength);
    }
    n.hash = TextAt(root, "Hash");
    if (n.hash.empty()) n.hash = TextAt(root, "HashFileOriginale");
    n.hash = Clipped(n.hash, kHashLength);
    n.availableSince = Clipped(TextAt(root, "DataMessaADisposizione"), kShortLength);
    for (const _xmlNode* error : Children(Child(root, "ListaErrori"), "Errore")) {
        if (n.errors.size() == kMaxErrors) break;
        n.errors.push_back({Clipped(TextAt(error, "Codice"), kShortLength),
                            Clipped(TextAt(error, "Descrizione"), kDescriptionLength),
                            Clipped(TextAt(error, "Suggerimento"), kSuggestionLength)});
    }
    return n;
}

}  // namespace

std::string KindCode(NotificationKind kind) {
    static constexpr const char* kCodes[] = {"RC", "NS", "MC", "NE", "DT", "AT"};
    return kCodes[static_cast<int>(kind)];
}

std::optional<NotificationKind> KindOfCode(std::string_view code) {
    for (NotificationKind k : {NotificationKind::RC, NotificationKind::NS, NotificationKind::MC,
                               NotificationKind::NE, NotificationKind::DT, NotificationKind::AT})
        if (KindCode(k) == code) return k;
    return std::nullopt;
}

Result<std::unique_ptr<NotificationSchemas>> NotificationSchemas::Load() {
    auto loaded = std::unique_ptr<NotificationSchemas>(new NotificationSchemas);
    auto publicAdministration = sdi_xml::Schema::Load(SchemaFilePath("MessaggiTypes_v1.1.xsd"));
    if (!publicAdministration) return *publicAdministration.failure();
    auto business = sdi_xml::Schema::Load(SchemaFilePath("MessaggiFatturaTypes_v1.0.xsd"));
    if (!business) return *business.failure();
    loaded->publicAdministration_ = std::move(*publicAdministration);
    loaded->business_ = std::move(*business);
    return loaded;
}

const sdi_xml::Schema* NotificationSchemas::forNamespace(std::string_view ns,
                                                         MessageSchema& which) const {
    which = MessageSchema::None;
    if (ns == kPublicAdministrationNamespace) which = MessageSchema::PublicAdministration;
    if (ns == kBusinessNamespace) which = MessageSchema::Business;
    if (which == MessageSchema::None) return nullptr;
    return which == MessageSchema::Business ? business_.get() : publicAdministration_.get();
}

NotificationRead ReadNotification(std::string_view xml, const NotificationSchemas& schemas) {
    using namespace sdi_xml;
    NotificationRead read;
    XmlProblem problem;
    const Document doc = Parse(xml, problem);
    if (!doc) {
        read.problem = "non è una notifica leggibile: " + Italian(problem);
        read.original = problem.original;
        return read;
    }
    const _xmlNode* root = Root(doc);
    MessageSchema schema = MessageSchema::None;
    if (const Schema* own = schemas.forNamespace(NamespaceOf(root), schema)) {
        const std::vector<XmlProblem> violations = own->Violations(doc);
        if (!violations.empty()) {
            read.problem = std::string("non rispetta lo schema delle notifiche (") +
                           SchemaName(schema) + "): " + Listed(violations);
            read.original = Originals(violations);
            return read;
        }
    }
    const std::string name = LocalName(root);
    if (std::find(kRecipientRoots.begin(), kRecipientRoots.end(), name) != kRecipientRoots.end()) {
        read.forRecipient = true;
        return read;
    }
    const auto known = std::find_if(kRoots.begin(), kRoots.end(),
                                    [&](const auto& root) { return root.first == name; });
    if (known == kRoots.end()) {
        read.problem = "l'elemento " + Clipped(name, kShortLength) +
                       " non è una notifica del Sistema di Interscambio";
        return read;
    }
    SdiNotification n = Facts(root, known->second, schema);
    // Whatever its schema allows, a notification must say which transmission it is about.
    if (n.sdiId.empty() || n.invoiceFile.empty()) {
        read.problem = "mancano IdentificativoSdI o NomeFile: non si sa di quale invio parli";
        return read;
    }
    read.notification = std::move(n);
    return read;
}

bool IsNotificationFileName(std::string_view name) {
    // ..._XX_NNN.xml or ..._XX_NNN.xml.p7m
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.ends_with(".p7m")) lower.resize(lower.size() - 4);
    if (!lower.ends_with(".xml") || lower.size() < 12) return false;
    const std::string_view stem = std::string_view(lower).substr(0, lower.size() - 4);
    const std::string_view tail = stem.substr(stem.size() - 7);  // _xx_nnn
    return tail[0] == '_' && std::isalpha(static_cast<unsigned char>(tail[1])) &&
           std::isalpha(static_cast<unsigned char>(tail[2])) && tail[3] == '_' &&
           std::isdigit(static_cast<unsigned char>(tail[4])) &&
           std::isdigit(static_cast<unsigned char>(tail[5])) &&
           std::isdigit(static_cast<unsigned char>(tail[6]));
}

}  // namespace qorvana
