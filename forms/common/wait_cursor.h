#pragma once
// The wait cursor for as long as the object lives: restored however the scope is left,
// an exception included.

#include <QCursor>
#include <QGuiApplication>

namespace qorvana {

class WaitCursor {
  public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace qorvana
