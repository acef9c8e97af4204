#pragma once
// Colours of the settings record (qorvana.gnr): the suite's 0x00BBGGRR numbers.

#include <QColor>

namespace qorvana {

inline QColor SettingsColour(double value) {
    const auto v = static_cast<unsigned long>(value < 0 || value > 16777215 ? 16777215 : value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

}  // namespace qorvana
