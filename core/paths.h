#pragma once
// Windows paths of the suite mapped to the host. The drive root stands for the current
// drive: "c:\qordoc.rto" is <drive>/qordoc.rto and "\qorwin\qorwin\qoraz0.001\qorvana.cli"
// is <drive>/qorwin/qorwin/qoraz0.001/qorvana.cli. Names are looked up case-insensitively;
// a name that does not exist yet keeps the spelling given.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qorvana {

class PathMapper {
  public:
    explicit PathMapper(std::filesystem::path driveRoot = "/");

    const std::filesystem::path& driveRoot() const { return driveRoot_; }

    // Host path of a Windows path: a drive letter is dropped, "\" becomes "/", each
    // existing component is matched case-insensitively.
    std::filesystem::path map(std::string_view windowsPath) const;

    // The drive root from --drive, else QORVANA_DRIVE, else "/".
    static std::filesystem::path DriveRootFrom(const std::optional<std::string>& option);

  private:
    std::filesystem::path driveRoot_;
};

// `folder`/`name`, with `name` matched case-insensitively against the folder's entries; the
// spelling given when no entry matches.
std::filesystem::path FindInFolder(const std::filesystem::path& folder, std::string_view name);

// "\qorwin\qorwin\" : the data root, shared by all companies.
inline constexpr std::string_view kDataRoot = "\\qorwin\\qorwin\\";
// "\qorwin\qorwin\qoraz0.NNN" for companies 1..999.
std::string CompanyFolder(int companyNumber);
// The company number of the suite's command line: characters 7 to 9, exactly three digits
// forming 1..999; nullopt otherwise.
std::optional<int> CompanyFromCommandLine(std::string_view commandLine);
// True when `name` is a plain file name that stays inside its folder (no separators, no
// "..", not empty, no control characters).
bool IsSafeFileName(std::string_view name);

}  // namespace qorvana
