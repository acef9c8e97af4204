#pragma once
// The exchange system's messages to the sender of an e-invoice: delivery receipt RC, rejection
// NS, failed delivery MC, the administration's outcome NE, expiry of the terms DT, attestation
// of transmission AT. Two schemas define them, told apart by the root element's namespace:
// MessaggiTypes 1.1 for the public-administration flow, MessaggiFatturaTypes 1.0 for business
// and consumer e-invoices (RicevutaScarto, RicevutaImpossibilitaRecapito, a Hash in every
// message). A message of either is checked against its own schema before anything is read
// from it; one in a namespace the program knows no schema for is read by its element names.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fatturapa/sdi_xml.h"

namespace qorvana {

enum class NotificationKind { RC, NS, MC, NE, DT, AT };

// The schema a notification was checked against before it was read.
enum class MessageSchema {
    PublicAdministration,  // MessaggiTypes 1.1
    Business,              // MessaggiFatturaTypes 1.0
    None,                  // another namespace: read by element names, not verified
};

struct SdiError {
    std::string code;         // "00305"
    std::string description;  // the exchange system's text
    std::string suggestion;   // its Suggerimento (business flow)
};

struct SdiNotification {
    NotificationKind kind = NotificationKind::RC;
    std::string sdiId;             // IdentificativoSdI: the system's number of the sent file
    std::string invoiceFile;       // NomeFile: the file the notification is about
    std::string moment;            // delivery (RC) or reception time (NS, MC, AT), as written
    std::string outcome;           // NE: EC01 accepted, EC02 refused
    std::string description;       // NE's reason, MC's and DT's description
    std::vector<SdiError> errors;  // NS
    std::string messageId;
    std::string hash;            // SHA-256 of the file received, as the system computed it
    std::string availableSince;  // MC of a business e-invoice: DataMessaADisposizione
    MessageSchema schema = MessageSchema::PublicAdministration;
};

// What reading one file gives: a notification, or the reason it was refused. A valid message
// meant for the recipient of an invoice (MT, EC, SE, metadata) is neither: `forRecipient` is
// set.
struct NotificationRead {
    std::optional<SdiNotification> notification;
    std::string problem;   // Italian; empty when read
    std::string original;  // what the XML library said, for the log
    bool forRecipient = false;
};

// "RC", "NS" ...
std::string KindCode(NotificationKind kind);
std::optional<NotificationKind> KindOfCode(std::string_view code);

// The two messages schemas, compiled once.
class NotificationSchemas {
  public:
    // Both schemas from where the program keeps them; a failure, in Italian, when one cannot
    // be loaded.
    static Result<std::unique_ptr<NotificationSchemas>> Load();
    // The schema of a root namespace; nullptr for a namespace without one.
    const sdi_xml::Schema* forNamespace(std::string_view ns, MessageSchema& which) const;

  private:
    std::unique_ptr<sdi_xml::Schema> publicAdministration_;
    std::unique_ptr<sdi_xml::Schema> business_;
};

NotificationRead ReadNotification(std::string_view xml, const NotificationSchemas& schemas);

// True for the exchange system's notification file names: IT01234567890_0000H_RC_001.xml and
// the like (any kind of two letters, .xml or .xml.p7m).
bool IsNotificationFileName(std::string_view name);

}  // namespace qorvana
