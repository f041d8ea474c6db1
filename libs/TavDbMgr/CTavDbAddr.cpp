#include "CTavDbAddr.h"

#include <QFile>

#include "CTavDbAddrCsv.h"
#include "CTavDbAddrVCard.h"
#include "CTavDbEnv.h"
#include "CTavDbFileUtil.h"
#include "CTavDbText.h"
#include "CTavDbUser.h"
#include "CTavSqliteDb.h"

CTavDbAddr::CTavDbAddr()
    : CTavDbStoreBase("address", &CTavDbEnv::GetPdtAddrDir, "address.ldb", CTavDbAddrRecord::kColumns,
                      kMaxRecords),
      m_customLabels(DefaultCustomLabels())
{
    SetSortCond(CTavDbSortCond(kSortName, 2));
}

QStringList CTavDbAddr::DefaultCustomLabels()
{
    return {QStringLiteral("カスタム 1"), QStringLiteral("カスタム 2"), QStringLiteral("カスタム 3"),
            QStringLiteral("カスタム 4")};
}

QString CTavDbAddr::GetPhoneLabelName(int labelId)
{
    static const QStringList names = {QStringLiteral("会社℡"),    QStringLiteral("自宅℡"),
                                      QStringLiteral("Fax"),      QStringLiteral("その他"),
                                      QStringLiteral("E-Mail"),   QStringLiteral("代表"),
                                      QStringLiteral("ポケベル"), QStringLiteral("携帯")};
    return names.value(labelId);
}

TavStatus CTavDbAddr::CheckRecord(const CTavDbPcRecord& record) const
{
    const auto* card = dynamic_cast<const CTavDbAddrRecord*>(&record);
    if (!card || card->FirstOverlongField() != CTavDbAddrRecord::FieldCount || !card->HasValidValues())
        return TavStatusCode::InvalidArgument;
    return TavStatusCode::Ok;
}

void CTavDbAddr::SetSearchTabIndex(int tab)
{
    m_tab = tab >= 0 && tab < CTavDbAddrIndex::kTabCount ? tab : CTavDbAddrIndex::kTabAll;
    InvalidateView();
}

void CTavDbAddr::SetTabLocale(const QString& locale)
{
    m_tabLocale = locale;
    m_japaneseTabs = locale == CTavDbAddrIndex::JapaneseLocale();
    InvalidateView();
}

int CTavDbAddr::TabOf(const CTavDbAddrRecord& card) const
{
    return CTavDbAddrIndex::TabOf(CTavDbAddrSortKeys::LeadingText(card, byCompany()), m_japaneseTabs);
}

bool CTavDbAddr::PassesFilters(const CTavDbPcRecord& record) const
{
    if (!CTavDbStoreBase::PassesFilters(record))
        return false;
    return m_tab == CTavDbAddrIndex::kTabAll || TabOf(static_cast<const CTavDbAddrRecord&>(record)) == m_tab;
}

bool CTavDbAddr::UsesSortOrder() const
{
    const int key = GetSortCond().GetKey();
    return key == kSortName || key == kSortCompany;
}

void CTavDbAddr::SortView(std::vector<CTavDbPcRecord*>& view) const
{
    m_sortKeys.Prune(GetRecordCount());
    m_sortKeys.Sort(view, byCompany());
}

QList<CTavDbAddrRecord*> CTavDbAddr::Search(const QString& text) const
{
    QList<CTavDbAddrRecord*> found;
    const QString needle = CTavDbAddrIndex::Fold(text.trimmed());
    if (needle.isEmpty())
        return found;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        CTavDbAddrRecord* card = GetAddrRecord(i);
        for (int f = 0; f < CTavDbAddrRecord::FieldCount; ++f) {
            if (CTavDbAddrIndex::Contains(card->GetField(static_cast<CTavDbAddrRecord::Field>(f)), needle)) {
                found.append(card);
                break;
            }
        }
    }
    return found;
}

TavStatus CTavDbAddr::SetCustomLabels(const QStringList& labels)
{
    if (labels.size() != CTavDbAddrRecord::kCustomCount)
        return TavStatusCode::InvalidArgument;
    for (const QString& label : labels)
        if (CTavDbText::mbLength(label) > kMaxCustomLabelBytes)
            return TavStatusCode::InvalidArgument;
    if (labels != m_customLabels) {
        m_customLabels = labels;
        MarkExtraChanged();
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbAddr::LoadExtra(CTavSqliteDb& db)
{
    m_customLabels = DefaultCustomLabels();
    CTavSqliteStatement st(db.handle(), "SELECT value FROM meta WHERE key=?");
    for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i) {
        st.bind(QStringLiteral("customLabel%1").arg(i + 1));
        if (st.next())
            m_customLabels[i] = CTavDbText::truncateToBytes(st.text(), kMaxCustomLabelBytes);
        else if (st.lastError() != 0)
            return TavStatusCode::Corrupt;
        st.reset();
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbAddr::SaveExtra(CTavSqliteDb& db, bool) const
{
    CTavSqliteStatement st(db.handle(), "INSERT OR REPLACE INTO meta(key,value) VALUES(?,?)");
    for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i) {
        st.bind(QStringLiteral("customLabel%1").arg(i + 1)).bind(m_customLabels.at(i));
        if (st.exec() != 0)
            return TavStatusCode::FileError;
    }
    return TavStatusCode::Ok;
}

void CTavDbAddr::ClearExtra()
{
    m_customLabels = DefaultCustomLabels();
    m_sortKeys.Clear();
}

void CTavDbAddr::RestoreExtraState(const std::any& state)
{
    if (const auto* labels = std::any_cast<QStringList>(&state))
        m_customLabels = *labels;
}

void CTavDbAddr::CopyExtraFrom(const CTavDbStoreBase& other)
{
    m_customLabels = static_cast<const CTavDbAddr&>(other).m_customLabels;
}

void CTavDbAddr::MergeExtraFrom(const CTavDbStoreBase& file, const std::any& base)
{
    const auto* was = std::any_cast<QStringList>(&base);
    const QStringList& theirs = static_cast<const CTavDbAddr&>(file).m_customLabels;
    for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i)
        if (was && was->value(i) == m_customLabels.at(i))
            m_customLabels[i] = theirs.at(i); // unchanged here
}

TavStatus CTavDbAddr::PasteRecords(const QList<CTavDbAddrRecord>& cards, const QStringList& categoryNames,
                                   QList<uint32_t>* newIds)
{
    if (GetRecordCount() + cards.size() > GetMaxRecords())
        return TavStatusCode::RecordLimit;
    for (const CTavDbAddrRecord& card : cards)
        if (CheckRecord(card) != TavStatusCode::Ok)
            return TavStatusCode::InvalidArgument;
    // Category ids mean nothing outside the store they came from: the names carry them.
    for (qsizetype i = 0; i < cards.size(); ++i) {
        CTavDbAddrRecord copy = cards.at(i);
        copy.SetAttributes(copy.GetAttributes() & CTavDbPcRecord::AttrPrivate);
        copy.SetCategoryID(CategoryIdForName(categoryNames.value(i)));
        const TavStatus status = AddRecord(copy);
        if (status != TavStatusCode::Ok)
            return status;
        if (newIds)
            newIds->append(copy.GetUniqueId());
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbAddr::ImportCsvFile(const QString& path, const CTavDbAddrCsvFormat* format,
                                    QStringList* refused)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TavStatusCode::FileError;
    if (file.size() > CTavDbAddrCsv::kMaxFileBytes)
        return TavStatusCode::InvalidArgument;
    const QByteArray bytes = file.readAll();
    const CTavDbAddrCsvFormat layout = format ? *format : CTavDbAddrCsvFormat::Guess(bytes);
    QStringList problems;
    QList<CTavDbAddrCsv::Row> rows = CTavDbAddrCsv::Read(bytes, layout, &problems);
    if (refused)
        *refused = problems;
    if (rows.isEmpty())
        return problems.isEmpty() ? TavStatusCode::Ok : TavStatusCode::InvalidArgument;
    if (GetRecordCount() + rows.size() > GetMaxRecords())
        return TavStatusCode::RecordLimit;
    for (const CTavDbAddrCsv::Row& row : rows)
        if (CheckRecord(row.card) != TavStatusCode::Ok)
            return TavStatusCode::InvalidArgument;
    for (CTavDbAddrCsv::Row& row : rows) {
        // A category's name wins; a number names an id only where no category is called so.
        bool isNumber = false;
        const uint id = row.category.toUInt(&isNumber);
        const CTavDbCategory* named = FindCategoryByName(row.category);
        row.card.SetCategoryID(named                              ? named->GetID()
                               : isNumber && FindCategoryById(id) ? id
                                                                  : CategoryIdForName(row.category));
        const TavStatus added = AddRecord(row.card);
        if (added != TavStatusCode::Ok)
            return added;
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbAddr::ExportCsvFile(const QString& path) const
{
    QList<uint32_t> ids;
    for (const auto& owned : AllRecords())
        if (!owned->IsDeleted())
            ids << owned->GetUniqueId();
    return ExportCsvFile(path, ids);
}

TavStatus CTavDbAddr::ExportCsvFile(const QString& path, const QList<uint32_t>& uniqueIds) const
{
    QList<CTavDbAddrCsv::Row> rows;
    rows.reserve(uniqueIds.size());
    for (uint32_t id : uniqueIds) {
        const auto* card = static_cast<const CTavDbAddrRecord*>(FindRecord(id));
        if (!card || card->IsDeleted())
            continue;
        const CTavDbCategory* category = FindCategoryById(card->GetCategoryID());
        rows.append({0, category ? category->GetName() : QString(), *card});
    }
    return CTavDbFileUtil::writeAtomically(path, CTavDbAddrCsv::Write(rows)) ? TavStatusCode::Ok
                                                                             : TavStatusCode::FileError;
}

TavStatus CTavDbAddr::ImportBackupFile(const QString& path)
{
    return CTavDbStoreBase::ImportBackupFile(path);
}

TavStatus CTavDbAddr::ExportBackupFile(const QString& path, const QList<uint32_t>& uniqueIds) const
{
    return CTavDbStoreBase::ExportBackupFile(path, uniqueIds);
}

TavStatus CTavDbAddr::ImportVCardFile(const QString& path, QStringList* refused)
{
    QByteArray bytes;
    TavStatus status = CTavDbAddrVCard::LoadFile(path, &bytes, refused);
    if (status != TavStatusCode::Ok)
        return status;
    // Categories are matched by name; a name this store does not have files the card as
    // unfiled rather than filling the few category slots with another program's groups.
    const auto add = [this](CTavDbAddrVCard::Card& card) {
        const CTavDbCategory* category = FindCategoryByName(card.category);
        card.record.SetCategoryID(category ? category->GetID() : CTavDbPcRecord::kUnfiled);
        return InsertRecord(card.record, -1, true);
    };
    // With room for every card the file could hold, each is added as it is read (the reader
    // makes only cards the store takes); near the limit only the cards that read count, so all
    // are read before any is added.
    const qsizetype atMost = CTavDbAddrVCard::CountCardsAtMost(bytes);
    if (GetRecordCount() + atMost <= GetMaxRecords()) {
        ReserveForAdding(atMost);
        return CTavDbAddrVCard::Read(bytes, add, refused);
    }
    QList<CTavDbAddrVCard::Card> cards;
    status = CTavDbAddrVCard::Read(bytes, &cards, refused);
    if (status != TavStatusCode::Ok)
        return status;
    if (GetRecordCount() + cards.size() > GetMaxRecords())
        return TavStatusCode::RecordLimit;
    for (CTavDbAddrVCard::Card& card : cards) {
        status = add(card);
        if (status != TavStatusCode::Ok)
            return status;
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbAddr::ExportVCardFile(const QString& path, const QList<uint32_t>& uniqueIds) const
{
    QList<CTavDbAddrVCard::Card> cards;
    cards.reserve(uniqueIds.size());
    for (uint32_t id : uniqueIds) {
        const auto* card = static_cast<const CTavDbAddrRecord*>(FindRecord(id));
        if (!card || card->IsDeleted())
            return TavStatusCode::NotFound;
        const CTavDbCategory* category = FindCategoryById(card->GetCategoryID());
        cards.append({*card, category ? category->GetName() : QString()});
    }
    return CTavDbAddrVCard::WriteFile(path, cards);
}
