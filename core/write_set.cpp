#include "core/write_set.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "core/system_error.h"

namespace qorvana {

void WriteSet::step(std::string what) {
    steps_.push_back(std::move(what));
}

std::size_t WriteSet::add(std::variant<RecordWrite, FileWrite, Flush> write) {
    if (steps_.empty()) steps_.emplace_back();
    entries_.push_back({std::move(write), steps_.size() - 1});
    return entries_.size() - 1;
}

void WriteSet::readRaw(int channel, std::int32_t n, std::span<std::uint8_t> out) const {
    for (auto e = entries_.rbegin(); e != entries_.rend(); ++e) {
        const auto* r = std::get_if<RecordWrite>(&e->write);
        if (r && r->channel == channel && r->number == n && r->after.size() == out.size()) {
            std::copy(r->after.begin(), r->after.end(), out.begin());
            return;
        }
    }
    files_.readRaw(channel, n, out);
}

std::size_t WriteSet::writeRaw(int channel, std::int32_t n, std::span<const std::uint8_t> after) {
    RecordWrite w{channel, n, std::vector<std::uint8_t>(after.size()),
                  std::vector<std::uint8_t>(after.begin(), after.end())};
    readRaw(channel, n, w.before);
    return add(std::move(w));
}

Result<WriteSet::StagedFile> WriteSet::stage(const std::filesystem::path& file,
                                             const std::string& suiteName, std::string_view bytes) {
    FileWrite w{file, suiteName, ReadWholeFile(file),
                std::make_shared<DurableFile>(file, suiteName)};
    // A folder in the file's place is never replaced (naming the file fails, EISDIR), so there
    // is nothing to put back; any other file that cannot be read could not be put back.
    if (w.before.error != 0 && w.before.error != EISDIR)
        return Failure{ReadFailureMessage(suiteName, w.before.error)};
    if (auto staged = w.staged->reserve(bytes.size()); !staged) return *staged.failure();
    if (auto staged = w.staged->write(bytes); !staged) return *staged.failure();
    staged_.push_back(std::move(w));
    return StagedFile{staged_.size() - 1};
}

void WriteSet::publish(StagedFile file) {
    add(std::move(staged_.at(file.index)));
}

std::vector<int> WriteSet::channelsWritten(std::size_t end) const {
    std::vector<int> channels;
    for (std::size_t i = 0; i < end; ++i)
        if (const auto* r = std::get_if<RecordWrite>(&entries_[i].write))
            if (std::find(channels.begin(), channels.end(), r->channel) == channels.end())
                channels.push_back(r->channel);
    return channels;
}

void WriteSet::flush() {
    add(Flush{channelsWritten(entries_.size())});
}

void WriteSet::put(std::size_t i, Image image) {
    const auto& write = entries_[i].write;
    const bool after = image == Image::After;
    if (const auto* r = std::get_if<RecordWrite>(&write)) {
        files_.writeRaw(r->channel, r->number, after ? r->after : r->before);
    } else if (const auto* f = std::get_if<FileWrite>(&write)) {
        if (after) {
            if (auto named = f->staged->publish(); !named) {
                failedFileNamed_ = f->staged->named();
                throw RecordIoError(named.message());
            }
        } else if (f->before.ok()) {
            if (auto back = WriteFileDurably(f->file, f->suiteName, f->before.bytes); !back)
                throw RecordIoError(back.message());
        } else if (f->before.missing && ::unlink(f->file.c_str()) != 0 && errno != ENOENT) {
            const int error = errno;
            LogSystemError("rimozione di " + f->file.string(), error);
            throw RecordIoError("Il file " + f->suiteName +
                                " non si può eliminare: " + ItalianReason(error));
        }
    } else if (after) {
        files_.sync(std::get<Flush>(write).channels);
    }
}

Result<> WriteSet::apply() {
    applied_ = 0;
    failedStep_.reset();
    failedFileNamed_ = false;
    for (; applied_ < entries_.size(); ++applied_) {
        try {
            put(applied_, Image::After);
        } catch (const RecordIoError& e) {
            failedStep_ = entries_[applied_].step;
            return Failure{e.what(), applied_ > 0 || failedFileNamed_};
        }
    }
    return {};
}

std::string WriteSet::listed(std::size_t from, std::size_t to) const {
    std::string out;
    for (std::size_t i = from; i < to; ++i) out += (out.empty() ? "" : "; ") + steps_[i];
    return out.empty() ? "niente" : out;
}

std::string WriteSet::written() const {
    return listed(0, failedStep_.value_or(steps_.size()));
}

std::string WriteSet::notWritten() const {
    return listed(failedStep_.value_or(steps_.size()), steps_.size());
}

Result<> WriteSet::putBack() {
    std::vector<std::string> problems;
    // The write that failed is put back too: a record may have been written in part.
    const std::size_t end = std::min(applied_ + (failedStep_ ? 1 : 0), entries_.size());
    for (std::size_t i = end; i-- > 0;) {
        const bool neverNamed = std::holds_alternative<FileWrite>(entries_[i].write) &&
                                i == applied_ && !failedFileNamed_;
        if (neverNamed) continue;
        try {
            put(i, Image::Before);
        } catch (const RecordIoError& e) {
            problems.push_back(e.what());
        }
    }
    try {
        files_.sync(channelsWritten(end));
    } catch (const RecordIoError& e) {
        problems.push_back(e.what());
    }
    if (problems.empty()) return {};
    std::string message = "Non si è potuto rimettere com'era quanto già scritto:";
    for (const std::string& p : problems) message += "\n- " + p;
    return Failure{message, true};
}

}  // namespace qorvana
