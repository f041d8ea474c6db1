#include <QHash>

#include "CTavDbArchiveConverter.h"
#include "CTavDbTodoRecord.h"

namespace {
enum Field : int
{
    Desc = 3,
    Due,
    Completed,
    Priority,
    Private,
    Category,
    Note
};

class TodoConverter final : public CTavDbArchiveConverter
{
public:
    CTavDbArchiveFile::Kind Kind() const override { return CTavDbArchiveFile::KindTodo; }
    std::vector<uint16_t> Schema() const override { return {1, 1, 1, 5, 3, 6, 1, 6, 1, 5}; }
    int PrivateField() const override { return Private; }
    int CategoryField() const override { return Category; }
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override
    {
        return std::make_unique<CTavDbTodoRecord>();
    }

    TavStatus ToStore(const CTavDbArchiveRecord& in, CTavDbPcRecord& out) const override
    {
        auto& r = static_cast<CTavDbTodoRecord&>(out);
        r.SetDesc(text(in.text(Desc)));
        r.SetNote(text(in.text(Note)));
        r.SetDueDate(fromFileDate(in.value(Due)));
        r.SetCompleted(in.value(Completed) != 0);
        r.SetPriority(in.value(Priority));
        return r.IsValid() ? TavStatusCode::Ok : TavStatusCode::InvalidArgument;
    }

    void FromStore(const CTavDbPcRecord& in, CTavDbArchiveRecord& out) const override
    {
        const auto& r = static_cast<const CTavDbTodoRecord&>(in);
        out.setText(Desc, bytes(r.GetDesc()));
        out.setText(Note, bytes(r.GetNote()));
        out.set(Due, toFileDate(r.GetDueDate()));
        out.set(Completed, r.GetCompleted());
        out.set(Priority, r.GetPriority());
    }

    size_t Fingerprint(const CTavDbPcRecord& record) const override
    {
        const auto& r = static_cast<const CTavDbTodoRecord&>(record);
        return qHashMulti(0, r.GetDesc(), r.GetNote(), r.GetDueDate(), r.GetCompleted(), r.GetPriority());
    }
};
} // namespace

const CTavDbArchiveConverter& CTavDbArchiveConverter::Todo()
{
    static const TodoConverter converter;
    return converter;
}
