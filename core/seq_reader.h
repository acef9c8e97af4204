#pragma once
// Reader of the suite's sequential text files (settings, tables, line files): whole-line
// reads and comma-separated item reads with quoted strings, Windows-1252 turned to UTF-8.
// Reading past the end sets a sticky error, like the suite's trapped run-time errors, and
// yields empty text.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qorvana {

class SeqReader {
  public:
    // Reads the file; a missing or unreadable file leaves the reader failed.
    explicit SeqReader(const std::filesystem::path& file);
    // Reads from text already in memory (Windows-1252 bytes).
    static SeqReader FromBytes(std::string bytes);

    bool opened() const { return opened_; }
    // The system error that kept the file from being read; 0 when read or missing.
    int readError() const { return readError_; }
    // True once any read went past the end (or the file could not be opened).
    bool failed() const { return failed_; }
    void clearError() { failed_ = !opened_; }
    bool atEnd() const;

    // The next whole line, without its CR/LF.
    std::string readLine();
    // The same line as its bytes (Windows-1252), without a copy: valid while the reader lives.
    std::string_view readRawLine();
    // Moves past `bytes` when the text at the read position starts with them.
    bool skipIfNext(std::string_view bytes);
    // The next comma-separated item: a quoted string (quotes removed) or the text up to the
    // next comma or line end, trimmed.
    std::string readItem();
    // Skips `count` whole lines.
    void skipLines(int count);

    // The comma-separated items of one line, by the rules of readItem.
    static std::vector<std::string> SplitItems(std::string_view line);

  private:
    SeqReader() = default;
    std::string data_;
    std::size_t pos_ = 0;
    // The first LF at or after the read position, looked for again once passed (npos: not
    // looked for yet; the data's size: there is none).
    std::size_t lineFeed_ = std::string::npos;
    bool opened_ = false;
    bool failed_ = true;
    int readError_ = 0;
};

}  // namespace qorvana
