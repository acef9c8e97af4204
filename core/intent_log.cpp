#include "core/intent_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

#include "core/data_files.h"
#include "core/paths.h"
#include "core/system_error.h"
#include "core/whole_file.h"
#include "core/write_hook.h"

namespace qorvana {
namespace {

constexpr std::string_view kMagic = "QORVANA-INTENT 1\n";

// Checksum of the intent's body: 64-bit FNV-1a, enough to tell a torn or damaged file.
std::uint64_t Checksum(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::string Hex(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 15];
    return text;
}

// Fields are "LENGTH:BYTES\n": any bytes, read back exactly.
void Put(std::string& out, std::string_view bytes) {
    out += std::to_string(bytes.size());
    out += ':';
    out += bytes;
    out += '\n';
}
void Put(std::string& out, std::span<const std::uint8_t> bytes) {
    Put(out, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

class FieldReader {
  public:
    explicit FieldReader(std::string_view text) : text_(text) {}
    std::optional<std::string_view> next() {
        const auto colon = text_.find(':', at_);
        if (colon == std::string_view::npos || colon == at_ || colon - at_ > 10) return {};
        std::size_t length = 0;
        for (std::size_t i = at_; i < colon; ++i) {
            if (text_[i] < '0' || text_[i] > '9') return {};
            length = length * 10 + static_cast<std::size_t>(text_[i] - '0');
        }
        if (colon + 1 + length >= text_.size() || text_[colon + 1 + length] != '\n') return {};
        const std::string_view field = text_.substr(colon + 1, length);
        at_ = colon + 2 + length;
        return field;
    }
    std::optional<long> number() {
        const auto field = next();
        if (!field || field->empty() || field->size() > 10 ||
            field->find_first_not_of("0123456789") != std::string_view::npos)
            return {};
        return std::stol(std::string(*field));
    }
    bool done() const { return at_ == text_.size(); }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// A record the intent writes, its writes of one operation taken together: the bytes before the
// first, those after each.
struct IntentRecord {
    int channel = 0;
    std::int32_t number = 0;
    std::vector<std::uint8_t> before;
    std::vector<std::vector<std::uint8_t>> afters;
};
// A whole file staged under its temporary name.
struct IntentFile {
    std::filesystem::path file;
    std::filesystem::path temporary;
    std::string suiteName;
    std::string afterChecksum;
};
struct Intent {
    std::string what;
    std::vector<IntentRecord> records;
    std::vector<IntentFile> files;
};

// A file of the company folder is named by its name alone: another workstation reaches the
// folder by a path of its own.
std::string FileReference(const std::filesystem::path& file,
                          const std::filesystem::path& companyFolder) {
    std::error_code error;
    if (std::filesystem::equivalent(file.parent_path(), companyFolder, error))
        return "@" + file.filename().string();
    return file.string();
}
std::filesystem::path FileOfReference(std::string_view reference,
                                      const std::filesystem::path& companyFolder) {
    if (reference.starts_with('@')) return companyFolder / std::string(reference.substr(1));
    return std::filesystem::path(std::string(reference));
}

std::string FileChecksum(const FileRead& read) {
    return read.missing ? "missing" : Hex(Checksum(read.bytes));
}

// The intent of `set`; a staged file that can no longer be read refuses it.
Result<std::string> IntentBytes(const WriteSet& set, const std::filesystem::path& companyFolder,
                                const std::string& what) {
    std::string out(kMagic);
    Put(out, what);
    for (const WriteSet::Entry& entry : set.entries()) {
        if (const auto* r = std::get_if<WriteSet::RecordWrite>(&entry.write)) {
            Put(out, "R");
            Put(out, std::to_string(r->channel));
            Put(out, std::to_string(r->number));
            Put(out, r->before);
            Put(out, r->after);
        } else if (const auto* f = std::get_if<WriteSet::FileWrite>(&entry.write)) {
            const FileRead staged = ReadWholeFile(f->staged->temporary());
            if (!staged.ok())
                return Failure{
                    ReadFailureMessage(f->suiteName, staged.missing ? ENOENT : staged.error)};
            Put(out, "F");
            Put(out, FileReference(f->file, companyFolder));
            Put(out, f->staged->temporary().filename().string());
            Put(out, f->suiteName);
            Put(out, FileChecksum(staged));
        }
    }
    out += "E" + Hex(Checksum(out)) + "\n";
    return out;
}

// The intent of `bytes`, or nothing when it is torn or damaged.
std::optional<Intent> ParseIntent(std::string_view bytes,
                                  const std::filesystem::path& companyFolder) {
    constexpr std::size_t kTrailer = 18;  // "E" + 16 hex digits + "\n"
    if (bytes.size() < kMagic.size() + kTrailer || !bytes.starts_with(kMagic)) return {};
    const std::string_view body = bytes.substr(0, bytes.size() - kTrailer);
    if (bytes.substr(body.size()) != "E" + Hex(Checksum(body)) + "\n") return {};
    FieldReader in(body.substr(kMagic.size()));
    Intent intent;
    const auto what = in.next();
    if (!what) return {};
    intent.what = *what;
    std::map<std::pair<int, std::int32_t>, std::size_t> recordAt;
    while (!in.done()) {
        const auto kind = in.next();
        if (kind == "R") {
            const auto channel = in.number();
            const auto number = in.number();
            const auto before = in.next();
            const auto after = in.next();
            if (!channel || !number || !before || !after) return {};
            const auto key =
                std::make_pair(static_cast<int>(*channel), static_cast<std::int32_t>(*number));
            auto [at, added] = recordAt.emplace(key, intent.records.size());
            if (added)
                intent.records.push_back({key.first,
                                          key.second,
                                          std::vector<std::uint8_t>(before->begin(), before->end()),
                                          {}});
            intent.records[at->second].afters.emplace_back(after->begin(), after->end());
        } else if (kind == "F") {
            const auto reference = in.next();
            const auto temporary = in.next();
            const auto suiteName = in.next();
            const auto checksum = in.next();
            if (!reference || !temporary || !suiteName || !checksum) return {};
            IntentFile f;
            f.file = FileOfReference(*reference, companyFolder);
            f.temporary = f.file.parent_path() / std::string(*temporary);
            f.suiteName = *suiteName;
            f.afterChecksum = *checksum;
            intent.files.push_back(std::move(f));
        } else {
            return {};
        }
    }
    return intent;
}

// Removes the intent file and flushes the folder; what failed, for the operator ("" when
// nothing). An intent left behind finds everything written at the next recovery and goes then.
std::string RemoveIntent(const std::filesystem::path& intentFile) {
    if (AtWritePoint([&] { return ::unlink(intentFile.c_str()); }) != 0 && errno != ENOENT) {
        const int error = errno;
        LogSystemError("rimozione di " + intentFile.string(), error);
        return std::string("il file ") + kIntentFile +
               ", che la descrive, non si è potuto eliminare: " + ItalianReason(error);
    }
    const int folder = ::open(intentFile.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return {};
    int error = 0;
    if (AtWritePoint([&] { return ::fsync(folder); }) != 0) error = errno;
    ::close(folder);
    if (error == 0) return {};
    LogSystemError("scrittura su disco della cartella di " + intentFile.string(), error);
    return std::string("il disco non ha confermato l'eliminazione del file ") + kIntentFile +
           ", che la descrive: " + ItalianReason(error);
}

// The operation is complete, its intent perhaps not yet removed: said when it is not.
std::string CompletedButIntentLeft(const std::string& what, const std::string& problem) {
    return what + " è stata completata, ma " + problem +
           ". Sarà eliminato alla prossima memorizzazione o al prossimo avvio del programma, "
           "senza scrivere altro.";
}

std::string RecordName(const DataFiles& files, int channel, std::int32_t number) {
    return files.pathOf(channel).filename().string() + " record " + std::to_string(number);
}

// What recovery does to one intent: the records to write (with their last bytes) and the
// files to name; or the records and files that disagree.
struct RecoveryPlan {
    std::vector<std::pair<const IntentRecord*, const std::vector<std::uint8_t>*>> records;
    std::vector<const IntentFile*> files;
    std::vector<std::string> disagreeing;
};

RecoveryPlan PlanRecovery(const DataFiles& files, const Intent& intent) {
    RecoveryPlan plan;
    for (const IntentRecord& r : intent.records) {
        std::vector<std::uint8_t> disk(r.before.size());
        files.readRaw(r.channel, r.number, disk);
        const auto& last = r.afters.back();
        if (disk == last) continue;
        const bool ours =
            disk == r.before || std::find(r.afters.begin(), r.afters.end(), disk) != r.afters.end();
        if (ours)
            plan.records.emplace_back(&r, &last);
        else
            plan.disagreeing.push_back(RecordName(files, r.channel, r.number));
    }
    for (const IntentFile& f : intent.files) {
        const FileRead staged = ReadWholeFile(f.temporary);
        if (staged.ok() && FileChecksum(staged) == f.afterChecksum) {
            plan.files.push_back(&f);
        } else if (FileChecksum(ReadWholeFile(f.file)) != f.afterChecksum) {
            plan.disagreeing.push_back("il file " + f.suiteName);
        }
    }
    return plan;
}

Result<> CarryOut(DataFiles& files, const RecoveryPlan& plan) {
    std::vector<int> channels;
    try {
        for (const auto& [record, after] : plan.records) {
            files.writeRaw(record->channel, record->number, *after);
            if (std::find(channels.begin(), channels.end(), record->channel) == channels.end())
                channels.push_back(record->channel);
        }
        files.sync(channels);
    } catch (const RecordIoError& e) {
        return Failure{e.what(), true};
    }
    for (const IntentFile* f : plan.files)
        if (auto named = GiveWrittenFileItsName(f->temporary, f->file, f->suiteName); !named)
            return named;
    return {};
}

// Removes the temporary files left in `folders` and in the folders of `intent`'s files, except
// those `kept` names.
void RemoveTemporaries(std::set<std::filesystem::path> folders, const Intent* intent,
                       const std::vector<std::string>& kept) {
    if (intent)
        for (const IntentFile& f : intent->files) folders.insert(f.file.parent_path());
    for (const auto& folder : folders) RemoveLeftTemporaries(folder, kept);
}

}  // namespace

Result<> ApplyWithIntent(WriteSet& set, const std::filesystem::path& companyFolder,
                         const std::string& what) {
    const std::filesystem::path intentFile = FindInFolder(companyFolder, kIntentFile);
    const Result<std::string> bytes = IntentBytes(set, companyFolder, what);
    if (!bytes) return Failure{bytes.message() + ". Non è stato scritto niente."};
    const auto keepStaged = [&set] {
        for (const WriteSet::Entry& entry : set.entries())
            if (const auto* f = std::get_if<WriteSet::FileWrite>(&entry.write)) f->staged->keep();
    };
    const auto toBeCompleted = [&what](const std::string& problem) {
        return Failure{"Errore di scrittura (" + problem + "). " + what +
                           " resta da completare: lo sarà, come indicato nel file " + kIntentFile +
                           ", alla prossima memorizzazione o al prossimo avvio del programma.",
                       true};
    };
    if (auto written = WriteFileDurably(intentFile, kIntentFile, *bytes); !written) {
        if (!written.partlyDone())
            return Failure{written.message() + ". Non è stato scritto niente."};
        // Named, but the disk did not confirm the name: taken back, so that nothing is written
        // without an intent sure to be found. One that cannot be taken back stands.
        if (AtWritePoint([&] { return ::unlink(intentFile.c_str()); }) == 0 || errno == ENOENT)
            return Failure{written.message() + ". Non è stato scritto niente."};
        keepStaged();
        return toBeCompleted(written.message());
    }
    keepStaged();
    if (auto applied = set.apply(); !applied) return toBeCompleted(applied.message());
    if (const std::string problem = RemoveIntent(intentFile); !problem.empty())
        return Failure{CompletedButIntentLeft(what, problem), true};
    return {};
}

Result<IntentRecovery> RecoverIntent(DataFiles& files, const std::filesystem::path& companyFolder,
                                     const std::vector<std::filesystem::path>& otherFolders) {
    IntentRecovery recovery;
    std::set<std::filesystem::path> folders{companyFolder};
    for (const auto& folder : otherFolders)
        if (!folder.empty()) folders.insert(folder);
    const std::filesystem::path intentFile = FindInFolder(companyFolder, kIntentFile);
    const FileRead read = ReadWholeFile(intentFile);
    if (read.missing) {
        RemoveTemporaries(folders, nullptr, {});
        return recovery;
    }
    if (!read.ok()) return Failure{ReadFailureMessage(kIntentFile, read.error)};
    const std::optional<Intent> intent = ParseIntent(read.bytes, companyFolder);
    if (!intent) {
        // Never completed: nothing of it reached the shared files.
        RemoveIntent(intentFile);
        RemoveTemporaries(folders, nullptr, {});
        recovery.told.push_back(
            "Un'operazione interrotta prima di cominciare a scrivere l'archivio non è stata "
            "memorizzata.");
        return recovery;
    }
    const RecoveryPlan plan = PlanRecovery(files, *intent);
    if (!plan.disagreeing.empty()) {
        std::vector<std::string> kept;
        for (const IntentFile& f : intent->files) kept.push_back(f.temporary.filename().string());
        RemoveTemporaries(folders, &*intent, kept);
        std::string message = intent->what +
                              ", interrotta, non può essere completata: un altro programma ha "
                              "cambiato nel frattempo";
        for (const std::string& d : plan.disagreeing) message += "\n- " + d;
        return Failure{message +
                       "\nNon è stato scritto niente. Far controllare l'archivio: il file " +
                       kIntentFile + " della cartella dell'azienda resta finché non è completata."};
    }
    if (auto done = CarryOut(files, plan); !done)
        return Failure{intent->what + ", interrotta, non è stata ancora completata: " +
                       done.message() + ". Lo sarà al prossimo avvio del programma."};
    const std::string problem = RemoveIntent(intentFile);
    RemoveTemporaries(folders, &*intent, {});
    for (const IntentRecord& r : intent->records)
        recovery.completedRecords.emplace_back(r.channel, r.number);
    recovery.told.push_back(problem.empty()
                                ? intent->what + ", interrotta, è stata completata."
                                : CompletedButIntentLeft(intent->what + ", interrotta,", problem));
    return recovery;
}

}  // namespace qorvana
