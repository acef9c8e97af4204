#include "core/session.h"

#include "core/numbers.h"

namespace qorvana {

Session::Session() {
    workStrings[work_slot::kStartMarker] = "0";
}

Money Session::money() const {
    return Money(Val(workStrings[work_slot::kCurrencyMode]) != 0,
                 static_cast<int>(Val(workStrings[work_slot::kPriceDecimals])));
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
