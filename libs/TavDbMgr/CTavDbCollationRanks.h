#pragma once

#include <QCollatorSortKey>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class CTavDbPcRecord;

// Japanese collation order of one text per record, kept as a rank per record id. A text gets
// its collation key once and keeps it while it stays the same (many new keys are made on all
// cores); ranks are made again only after a key changed. Sorting a list of records is then a
// sort of integers, whatever the length of the texts.
class CTavDbCollationRanks final
{
public:
    using Text = std::pair<uint32_t, QStringView>;

    explicit CTavDbCollationRanks(QLocale locale = QLocale(QLocale::Japanese, QLocale::Japan));

    // The current text of every record, in store order (equal texts keep that order); ids not
    // listed are forgotten. The views need to live only for the call.
    void Update(const std::vector<Text>& texts);
    // Stable sort by rank; records without a rank go last.
    void Sort(std::vector<CTavDbPcRecord*>& records) const;

private:
    struct Entry
    {
        QString text;
        std::optional<QCollatorSortKey> key;
        uint32_t rank = 0;
    };
    void makeKeys(std::vector<Entry*>& entries) const;

    QLocale m_locale;
    std::unordered_map<uint32_t, Entry> m_entries; // nodes stay put: ranking holds pointers
};
