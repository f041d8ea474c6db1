#include "CTavDbPalmCategoryInfo.h"

#include <QtEndian>

#include "CTavDbText.h"

namespace {
QByteArray slotText(QByteArrayView block, int index)
{
    const QByteArrayView slot =
        block.sliced(2 + index * CTavDbPalmCategoryInfo::NameSize, CTavDbPalmCategoryInfo::NameSize);
    const qsizetype end = slot.indexOf('\0');
    return (end < 0 ? slot : slot.first(end)).toByteArray();
}

bool slotTerminated(QByteArrayView block, int index)
{
    return block.sliced(2 + index * CTavDbPalmCategoryInfo::NameSize, CTavDbPalmCategoryInfo::NameSize)
               .indexOf('\0') >= 0;
}
} // namespace

bool CTavDbPalmCategoryInfo::Parse(QByteArrayView appInfo, CTavDbPalmCategoryInfo* info)
{
    if (appInfo.size() < BlockSize)
        return false;
    CTavDbPalmCategoryInfo parsed;
    parsed.renamed = qFromBigEndian<uint16_t>(appInfo.data());
    for (int i = 0; i < Count; ++i) {
        if (!slotTerminated(appInfo, i))
            return false;
        parsed.names[i] = CTavDbText::fromCp932(slotText(appInfo, i));
        parsed.ids[i] = static_cast<uint8_t>(appInfo[IdsOffset + i]);
    }
    parsed.lastUniqueId = static_cast<uint8_t>(appInfo[LastIdOffset]);
    *info = parsed;
    return true;
}

TavStatus CTavDbPalmCategoryInfo::PackInto(QByteArray* appInfo) const
{
    const bool hadBlock = appInfo->size() >= BlockSize;
    std::array<QByteArray, Count> encoded;
    std::array<bool, Count> keep{};
    for (int i = 0; i < Count; ++i) {
        // A slot whose text is unchanged keeps its bytes, even those after the NUL and those
        // of another code page.
        keep[i] = hadBlock && slotTerminated(*appInfo, i) &&
                  CTavDbText::fromCp932(slotText(*appInfo, i)) == names[i];
        if (keep[i])
            continue;
        encoded[i] = CTavDbText::toCp932(names[i]);
        if (encoded[i].size() > MaxNameBytes || encoded[i].contains('\0'))
            return TavStatusCode::InvalidArgument;
    }
    QByteArray block = *appInfo;
    if (!hadBlock)
        block.resize(StandardSize, '\0');
    qToBigEndian<uint16_t>(renamed, block.data());
    for (int i = 0; i < Count; ++i) {
        if (keep[i])
            continue;
        char* slot = block.data() + 2 + i * NameSize;
        std::fill(slot, slot + NameSize, '\0');
        std::copy(encoded[i].cbegin(), encoded[i].cend(), slot);
    }
    for (int i = 0; i < Count; ++i)
        block[IdsOffset + i] = static_cast<char>(ids[i]);
    block[LastIdOffset] = static_cast<char>(lastUniqueId);
    *appInfo = block;
    return TavStatusCode::Ok;
}

uint8_t CTavDbPalmCategoryInfo::FreeUniqueId() const
{
    // Ids 128-255 are the PC's; the handheld gives 0-127.
    constexpr int first = 128;
    constexpr int span = 128;
    std::array<bool, 256> used{};
    used[0] = true;
    for (int i = 0; i < Count; ++i)
        if (i == 0 || !names[i].isEmpty())
            used[ids[i]] = true;
    const int start = lastUniqueId >= first ? lastUniqueId + 1 - first : 0;
    for (int step = 0; step < span; ++step) {
        const int id = first + (start + step) % span;
        if (!used[id])
            return static_cast<uint8_t>(id);
    }
    return 0;
}
