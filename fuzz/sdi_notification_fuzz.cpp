// The exchange system's notifications (RC, NS, MC, NE, DT, AT; the recipient's messages
// ignored): the input is the XML file, read against the schema of its root's namespace
// (MessaggiTypes 1.1 or MessaggiFatturaTypes 1.0) or, in another namespace, by element names,
// recorded in a store of two sent e-invoices and one not sent as a notification that came by
// certified mail from the system, and the store then listed, written and read back.

#include <cstdint>
#include <string>

#include "fuzz/confirmation.h"
#include "fuzz/sdi_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qorvana;
    using namespace qorvana::fuzz;
    const std::string xml(reinterpret_cast<const char*>(data), size);
    const NotificationRead read = ReadNotification(xml, NotificationsSchemas());
    Expect(read.notification || read.forRecipient || !read.problem.empty(),
           "a notification refused says why");
    SdiStore store = SentStore();
    ApplyAndUse(store,
                {{"IT01234567890_00001_RC_001.xml", xml, "messaggio 1", "sdi07@pec.fatturapa.it"}});
    return 0;
}
