#include "fatturapa/sdi_notification.h"

#include <array>
#include <utility>

#include "fatturapa/fpa_checks.h"

namespace qorvana {
namespace {

constexpr std::array<std::pair<const char*, NotificationKind>, 6> kRoots{{
    {"RicevutaConsegna", NotificationKind::RC},
    {"NotificaScarto", NotificationKind::NS},
    {"NotificaMancataConsegna", NotificationKind::MC},
    {"NotificaEsito", NotificationKind::NE},
    {"NotificaDecorrenzaTermini", NotificationKind::DT},
    {"AttestazioneTrasmissioneFattura", NotificationKind::AT},
}};
constexpr std::array<const char*, 3> kRecipientRoots{
    "MetadatiInvioFile", "NotificaEsitoCommittente", "ScartoEsitoCommittente"};

std::string Listed(const std::vector<std::string>& problems) {
    std::string text;
    const std::size_t shown = std::min<std::size_t>(problems.size(), 3);
    for (std::size_t i = 0; i < shown; ++i) text += (i ? "; " : "") + problems[i];
    if (problems.size() > shown)
        text += " (e altri " + std::to_string(problems.size() - shown) + ")";
    return text;
}

}  // namespace

std::string KindCode(NotificationKind kind) {
    static constexpr const char* kCodes[] = {"RC", "NS", "MC", "NE", "DT", "AT"};
    return kCodes[static_cast<int>(kind)];
}

std::unique_ptr<NotificationSchema> NotificationSchema::Load(std::string& error) {
    auto loaded = std::unique_ptr<NotificationSchema>(new NotificationSchema);
    loaded->schema_ = sdi_xml::Schema::Load(SchemaFilePath("MessaggiTypes_v1.1.xsd"), error);
    if (!loaded->schema_) return nullptr;
    return loaded;
}

NotificationRead ReadNotification(std::string_view xml, const NotificationSchema& schema) {
    using namespace sdi_xml;
    NotificationRead read;
    std::string problem;
    const Document doc = Parse(xml, problem);
    if (!doc) {
        read.problem = "non è un file XML leggibile: " + problem;
        return read;
    }
    const std::vector<std::string> violations = schema.schema().Violations(doc);
    if (!violations.empty()) {
        read.problem =
            "non rispetta lo schema delle notifiche (MessaggiTypes 1.1): " + Listed(violations);
        return read;
    }
    const _xmlNode* root = Root(doc);
    const std::string name = LocalName(root);
    for (const char* recipient : kRecipientRoots)
        if (name == recipient) {
            read.forRecipient = true;
            return read;
        }
    SdiNotification n;
    bool known = false;
    for (const auto& [rootName, kind] : kRoots)
        if (name == rootName) {
            n.kind = kind;
            known = true;
        }
    if (!known) {
        read.problem = "l'elemento " + name + " non è una notifica del Sistema di Interscambio";
        return read;
    }
    n.sdiId = TextAt(root, "IdentificativoSdI");
    n.invoiceFile = TextAt(root, "NomeFile");
    n.messageId = TextAt(root, "MessageId");
    n.moment =
        TextAt(root, n.kind == NotificationKind::RC ? "DataOraConsegna" : "DataOraRicezione");
    n.description = TextAt(root, "Descrizione");
    if (n.kind == NotificationKind::NE) {
        n.outcome = TextAt(root, "EsitoCommittente/Esito");
        n.description = TextAt(root, "EsitoCommittente/Descrizione");
    }
    for (const _xmlNode* error : Children(Child(root, "ListaErrori"), "Errore"))
        n.errors.push_back({TextAt(error, "Codice"), TextAt(error, "Descrizione")});
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
