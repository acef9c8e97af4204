#pragma once
// The exchange system's messages to the sender of an e-invoice (MessaggiTypes 1.1): delivery
// receipt RC, rejection NS, failed delivery MC, the administration's outcome NE, expiry of the
// terms DT, attestation of transmission AT. Each is checked against the schema before
// anything is read from it.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fatturapa/sdi_xml.h"

namespace qorvana {

enum class NotificationKind { RC, NS, MC, NE, DT, AT };

struct SdiError {
    std::string code;         // "00305"
    std::string description;  // the exchange system's text
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
};

// What reading one file gives: a notification, or the reason it was refused. A valid message
// meant for the recipient of an invoice (MT, EC, SE) is neither: `forRecipient` is set.
struct NotificationRead {
    std::optional<SdiNotification> notification;
    std::string problem;  // Italian; empty when read
    bool forRecipient = false;
};

// "RC", "NS" ...
std::string KindCode(NotificationKind kind);

// The messages schema, compiled once.
class NotificationSchema {
  public:
    // MessaggiTypes_v1.1.xsd where the program keeps its schemas; nullptr and an Italian
    // message in `error` when it cannot be loaded.
    static std::unique_ptr<NotificationSchema> Load(std::string& error);
    const sdi_xml::Schema& schema() const { return *schema_; }

  private:
    std::unique_ptr<sdi_xml::Schema> schema_;
};

NotificationRead ReadNotification(std::string_view xml, const NotificationSchema& schema);

// True for the exchange system's notification file names: IT01234567890_0000H_RC_001.xml and
// the like (any kind of two letters, .xml or .xml.p7m).
bool IsNotificationFileName(std::string_view name);

}  // namespace qorvana
