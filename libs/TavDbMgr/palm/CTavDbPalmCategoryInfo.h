#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>

#include "TavStatus.h"

// The category block that starts the app info of most handheld databases: renamed flags,
// 16 names of up to 15 bytes (code page 932), 16 ids and the last id given.
class CTavDbPalmCategoryInfo final
{
public:
    static constexpr int Count = 16;
    static constexpr int NameSize = 16;
    static constexpr int MaxNameBytes = NameSize - 1;
    // renamed (2) + names (256) + ids (16) + last id (1) + pad (1)
    static constexpr int BlockSize = 276;
    // The built-in applications add two more reserved bytes.
    static constexpr int StandardSize = 278;
    static constexpr int IdsOffset = 2 + Count * NameSize;
    static constexpr int LastIdOffset = IdsOffset + Count;

    uint16_t renamed = 0;
    std::array<QString, Count> names;
    std::array<uint8_t, Count> ids{};
    uint8_t lastUniqueId = 0;

    // False when the block is too short or a name slot has no NUL. Names are read as code page
    // 932; bytes it cannot read become "?".
    static bool Parse(QByteArrayView appInfo, CTavDbPalmCategoryInfo* info);
    // Writes the block over the start of appInfo (grown to StandardSize when shorter than a
    // block). Name slots whose text did not change keep their bytes. InvalidArgument for a
    // name longer than 15 bytes.
    TavStatus PackInto(QByteArray* appInfo) const;

    bool IsRenamed(int index) const { return (renamed >> index) & 1; }
    // An id in 128-255 that no named category uses, after lastUniqueId; 0 when none is left.
    uint8_t FreeUniqueId() const;
};
