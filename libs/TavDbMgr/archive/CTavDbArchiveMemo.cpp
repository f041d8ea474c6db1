#include <QHash>

#include "CTavDbArchiveConverter.h"
#include "CTavDbMemoRecord.h"

namespace {
enum Field : int
{
    Text = 3,
    Private,
    Category
};

class MemoConverter final : public CTavDbArchiveConverter
{
public:
    CTavDbArchiveFile::Kind Kind() const override { return CTavDbArchiveFile::KindMemo; }
    std::vector<uint16_t> Schema() const override { return {1, 1, 1, 5, 6, 1}; }
    int PrivateField() const override { return Private; }
    int CategoryField() const override { return Category; }
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override
    {
        return std::make_unique<CTavDbMemoRecord>();
    }

    TavStatus ToStore(const CTavDbArchiveRecord& in, CTavDbPcRecord& out) const override
    {
        if (in.text(Text).size() > CTavDbMemoRecord::kMaxBytes)
            return TavStatusCode::InvalidArgument;
        static_cast<CTavDbMemoRecord&>(out).SetMemo(text(in.text(Text)));
        return TavStatusCode::Ok;
    }

    void FromStore(const CTavDbPcRecord& in, CTavDbArchiveRecord& out) const override
    {
        out.setText(Text, bytes(static_cast<const CTavDbMemoRecord&>(in).GetMemo()));
    }

    size_t Fingerprint(const CTavDbPcRecord& record) const override
    {
        return qHash(static_cast<const CTavDbMemoRecord&>(record).GetMemo());
    }
};
} // namespace

const CTavDbArchiveConverter& CTavDbArchiveConverter::Memo()
{
    static const MemoConverter converter;
    return converter;
}
