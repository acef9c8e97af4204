#include "core/session.h"

namespace qorvana {

Session::Session() = default;

Money Session::money() const {
    return Money(runSettings.euro, runSettings.priceDecimals);
}

bool Session::numberWithYear() const {
    return generalSettings.text(gnr::kNumberWithYear) == "1";
}

std::filesystem::path Session::companyFolder() const {
    return paths.map(CompanyFolder(static_cast<int>(companyNumber)));
}

std::filesystem::path Session::companyFile(const std::string& name) const {
    return paths.map(companyPath(name));
}

std::filesystem::path Session::dataRootFile(const std::string& name) const {
    return paths.map(dataRootPath(name));
}

std::string Session::companyPath(const std::string& name) const {
    return CompanyFolder(static_cast<int>(companyNumber)) + "\\" + name;
}

std::string Session::dataRootPath(const std::string& name) const {
    return std::string(kDataRoot) + name;
}

}  // namespace qorvana
