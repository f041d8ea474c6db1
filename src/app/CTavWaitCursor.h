#pragma once

#include <QApplication>

// A wait cursor for the time of a long command; it goes back on every way out.
class CTavWaitCursor final
{
public:
    CTavWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CTavWaitCursor() { QApplication::restoreOverrideCursor(); }
    CTavWaitCursor(const CTavWaitCursor&) = delete;
    CTavWaitCursor& operator=(const CTavWaitCursor&) = delete;
};
