#include "fuzz/scratch_company.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <vector>

#include "core/paths.h"
#include "core/settings.h"
#include "core/tab_file.h"
#include "document/document_math.h"
#include "fuzz/confirmation.h"
#include "journal/account_list.h"
#include "journal/entry_proposal.h"
#include "journal/journal_posting.h"
#include "posting/posting.h"
#include "print/print_settings.h"
#include "tools/demo/demo_company.h"

namespace qorvana::fuzz {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void SetUpFailed(const std::string& what) {
    std::fprintf(stderr, "scratch company: %s\n", what.c_str());
    std::abort();
}

std::optional<std::string> Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr std::string_view kDrivePrefix = "qorvana-fuzz-";

// Drives left by harness processes that ended without cleaning up (a crash is how a finding
// ends): their names carry the process number.
void RemoveAbandonedDrives(const fs::path& base) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(base, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(kDrivePrefix)) continue;
        const int pid = std::atoi(name.c_str() + kDrivePrefix.size());
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), ec);
    }
}

// A folder on a memory-backed file system when there is one: inputs write files many
// thousand times a second.
fs::path MakeDrive() {
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0
                              ? fs::path("/dev/shm")
                              : fs::temp_directory_path();
    RemoveAbandonedDrives(base);
    std::string pattern =
        (base / (std::string(kDrivePrefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) SetUpFailed("cannot create a folder in " + base.string());
    return pattern;
}

// Invoice 1 (SampleDraft) posted with its journal entry, so that the invoice files, the
// movements and the journal hold data.
void PostSampleInvoice(Session& s) {
    const TabFile tab = TabFile::Load(s.companyFile("qorvana.tab"));
    const PrintSettings print = LoadPrintSettings(s);
    const VatTable vat = VatTable::FromTab(tab);
    DocumentDraft draft = SampleDraft(1, "1");
    Recompute(s, vat, draft);

    PostingInput input;
    input.draft = &draft;
    input.vat = &vat;
    input.money = s.money();
    input.pdfFolder = s.runSettings.pdfFolder;
    input.issueMoment = CivilDateTime{CivilDate{2025, 3, 5}, 10, 0, 0};
    const Result<DocumentStored> posted = PostDocument(s.files, input);
    if (!posted.ok()) SetUpFailed("posting the sample invoice: " + posted.message());

    const JournalEntry entry =
        ProposeEntry(ProposalFor(draft, s.files, s.money(), s.numberWithYear(), print.printLines));
    const EntryCheck check = CheckEntry(entry, AccountList::Load(s.files));
    if (check.problem != EntryProblem::None) SetUpFailed("journal entry: " + check.message);
    const Result<int> journal =
        PostJournalEntry(s.files, entry, check.accounts, input.issueMoment.dateTimeValue());
    if (!journal.ok()) SetUpFailed("posting the journal entry: " + journal.message());
}

}  // namespace

ScratchCompany& ScratchCompany::Get() {
    static ScratchCompany company;
    return company;
}

ScratchCompany::ScratchCompany() : drive_(MakeDrive()) {
    demo::DemoOptions options;
    options.drive = drive_;
    options.customers = 12;
    options.articles = 12;
    try {
        demo::WriteDemoCompany(options);
    } catch (const std::exception& e) {
        SetUpFailed(e.what());
    }
    PostSampleInvoice(*openSession());
    folders_.insert(".");
    for (const auto& entry : fs::recursive_directory_iterator(drive_)) {
        const std::string relative = fs::relative(entry.path(), drive_).string();
        if (entry.is_directory()) folders_.insert(relative);
        if (entry.is_regular_file()) files_[relative] = *Contents(entry.path());
    }
    // Every change inside the company's folders is noted, so that restore() puts back only
    // what an input changed.
    watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ < 0) SetUpFailed("inotify");
    constexpr std::uint32_t kChanges =
        IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
    for (const std::string& folder : folders_) {
        const int wd = ::inotify_add_watch(watch_, (drive_ / folder).c_str(), kChanges);
        if (wd < 0) SetUpFailed("inotify on " + folder);
        watched_[wd] = folder;
    }
}

ScratchCompany::~ScratchCompany() {
    ::close(watch_);
    std::error_code ignored;
    fs::remove_all(drive_, ignored);
}

fs::path ScratchCompany::folder() const {
    return PathMapper(drive_).map(CompanyFolder(1));
}

fs::path ScratchCompany::dataRoot() const {
    return PathMapper(drive_).map(kDataRoot);
}

void ScratchCompany::Put(const fs::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) SetUpFailed("cannot write " + file.string());
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) SetUpFailed("cannot write " + file.string());
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

void ScratchCompany::restore() {
    std::set<std::string> changed;
    bool overflow = false;
    alignas(inotify_event) char buffer[16384];
    for (ssize_t n; (n = ::read(watch_, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            overflow = overflow || (event->mask & IN_Q_OVERFLOW) != 0;
            const auto folder = watched_.find(event->wd);
            if (folder != watched_.end() && event->len > 0)
                changed.insert(folder->second == "."
                                   ? std::string(event->name)
                                   : (fs::path(folder->second) / event->name).string());
            at += sizeof(inotify_event) + event->len;
        }
    }
    if (overflow) {
        changed.clear();
        for (const auto& entry : fs::recursive_directory_iterator(drive_))
            changed.insert(fs::relative(entry.path(), drive_).string());
        for (const auto& [relative, bytes] : files_) changed.insert(relative);
    }
    std::error_code ignored;
    for (const std::string& relative : changed) {
        const auto file = files_.find(relative);
        if (file != files_.end()) {
            if (Contents(drive_ / relative) != file->second) Put(drive_ / relative, file->second);
        } else if (!folders_.contains(relative)) {
            fs::remove_all(drive_ / relative, ignored);
        }
    }
    // What putting back changed is not a change to undo next time.
    while (::read(watch_, buffer, sizeof buffer) > 0) {
    }
}

std::unique_ptr<Session> ScratchCompany::openSession() const {
    auto s = std::make_unique<Session>();
    s->paths = PathMapper(drive_);
    s->companyNumber = 1;
    LoadSharedSettings(*s);
    s->files.open(s->companyFolder());
    return s;
}

Selected Select(std::span<const std::uint8_t> input, int choices) {
    if (input.empty()) return {};
    return {input[0] % choices,
            std::string_view(reinterpret_cast<const char*>(input.data()) + 1, input.size() - 1)};
}

}  // namespace qorvana::fuzz
