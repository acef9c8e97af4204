// The exchange system's notifications (RC, NS, MC, NE, DT, AT; the recipient's messages
// ignored): the input is the XML file, read against the MessaggiTypes 1.1 schema, recorded in
// a store of two sent e-invoices as a notification that came by certified mail from the
// system, and the store then listed, written and read back.

#include <cstdint>
#include <string>

#include "fuzz/confirmation.h"
#include "fuzz/sdi_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qorvana;
    using namespace qorvana::fuzz;
    const std::string xml(reinterpret_cast<const char*>(data), size);
    const NotificationRead read = ReadNotification(xml, NotificationsSchema());
    Expect(read.notification || read.forRecipient || !read.problem.empty(),
           "a notification refused says why");
    SdiStore store = SentStore();
    ApplyAndUse(store,
                {{"IT01234567890_00001_RC_001.xml", xml, "messaggio 1", "sdi07@pec.fatturapa.it"}});
    return 0;
}
