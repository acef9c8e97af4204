#include "core/write_set.h"

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
    // A folder in the file's place is never replaced: refused before anything is written.
    if (w.before.error == EISDIR)
        return Failure{"Il file " + suiteName + " non è stato scritto: " + ItalianReason(EISDIR)};
    if (w.before.error != 0) return Failure{ReadFailureMessage(suiteName, w.before.error)};
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

void WriteSet::put(std::size_t i) {
    const auto& write = entries_[i].write;
    if (const auto* r = std::get_if<RecordWrite>(&write)) {
        files_.writeRaw(r->channel, r->number, r->after);
    } else if (const auto* f = std::get_if<FileWrite>(&write)) {
        if (auto named = f->staged->publish(); !named) {
            failedFileNamed_ = f->staged->named();
            throw RecordIoError(named.message());
        }
    } else {
        files_.sync(std::get<Flush>(write).channels);
    }
}

Result<> WriteSet::apply() {
    applied_ = 0;
    failedStep_.reset();
    failedFileNamed_ = false;
    for (; applied_ < entries_.size(); ++applied_) {
        try {
            put(applied_);
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

}  // namespace qorvana
