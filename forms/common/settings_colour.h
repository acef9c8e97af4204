#pragma once
// Colours of the settings record (qorvana.gnr): the suite's 0x00BBGGRR numbers.

#include <QColor>

namespace qorvana {

inline QColor SettingsColour(double value) {
    // A damaged record may hold anything, not a number included: white then.
    const auto v = static_cast<unsigned long>(value >= 0 && value <= 16777215 ? value : 16777215);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

}  // namespace qorvana
