#pragma once
// UTF-8 texts of the core to and from the forms' QStrings.

#include <QString>
#include <string>

namespace qorvana {

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string S(const QString& text) {
    return text.toStdString();
}

}  // namespace qorvana
