#pragma once

#include <QString>

// Readings come from phones in half-width katakana; the store keeps them full-width, as the
// handheld's own entry does, so that they sort and search alike.
class CTavDbKana final
{
public:
    // Runs of half-width katakana and their marks become full-width (NFKC of those runs only, so
    // that full-width digits or letters elsewhere stay as written).
    static QString toFullWidth(const QString& text);
    static bool isHalfWidthKana(QChar c) { return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F; }
};
