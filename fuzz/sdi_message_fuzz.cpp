// Notifications as they arrive, chosen by the input's first byte:
//   0  a saved certified-mail message (.eml): its parts, nested messages and attachments
//   1  a signed notification (.xml.p7m): the file enveloped in the signature
// The input is the file, found in a folder of notifications as the tool and the window find
// it; the notifications gathered are recorded in a store of two sent e-invoices, which is then
// listed, written and read back.

#include <cstdint>
#include <filesystem>
#include <string>

#include "fatturapa/sdi_channel.h"
#include "fatturapa/sdi_notification.h"
#include "fuzz/confirmation.h"
#include "fuzz/scratch_company.h"
#include "fuzz/sdi_support.h"

namespace {

using namespace qorvana;
using namespace qorvana::fuzz;

constexpr const char* kFiles[] = {"notifica.eml", "IT01234567890_00001_RC_001.xml.p7m"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScratchCompany& company = ScratchCompany::Get();
    const Selected input = Select({data, size}, 2);
    const std::filesystem::path folder = company.drive() / "notifiche";
    std::filesystem::create_directories(folder);
    ScratchCompany::Put(folder / kFiles[input.choice], input.bytes);
    {
        const Gathered gathered = GatherNotifications({folder});
        for (const NotificationSource& source : gathered.sources)
            Expect(IsNotificationFileName(source.fileName) &&
                       source.fileName.find_first_of("/\\") == std::string::npos,
                   "a notification gathered is named as one, without folders");
        SdiStore store = SentStore();
        ApplyAndUse(store, gathered.sources);
    }
    company.restore();
    return 0;
}
