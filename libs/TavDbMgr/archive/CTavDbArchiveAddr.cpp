#include <QHash>

#include "CTavDbAddr.h"
#include "CTavDbAddrRecord.h"
#include "CTavDbArchiveConverter.h"
#include "CTavDbText.h"

namespace {
enum Field : int
{
    LastName = 3,
    FirstName,
    Title,
    Company,
    Phone1Label,
    Phone1,
    Address = 17,
    City,
    State,
    Zip,
    Country,
    Note,
    Private,
    Category,
    Custom1,
    DisplayPhone = 29
};

class AddrConverter final : public CTavDbArchiveConverter
{
public:
    CTavDbArchiveFile::Kind Kind() const override { return CTavDbArchiveFile::KindAddr; }
    std::vector<uint16_t> Schema() const override
    {
        return {1, 1, 1, 5, 5, 5, 5, 1, 5, 1, 5, 1, 5, 1, 5, 1, 5, 5, 5, 5, 5, 5, 5, 6, 1, 5, 5, 5, 5, 1};
    }
    int PrivateField() const override { return Private; }
    int CategoryField() const override { return Category; }
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override
    {
        return std::make_unique<CTavDbAddrRecord>();
    }

    TavStatus ToStore(const CTavDbArchiveRecord& in, CTavDbPcRecord& out) const override
    {
        auto& r = static_cast<CTavDbAddrRecord&>(out);
        readName(in.text(LastName), r, CTavDbAddrRecord::LastName, CTavDbAddrRecord::LastNameYomi);
        readName(in.text(FirstName), r, CTavDbAddrRecord::FirstName, CTavDbAddrRecord::FirstNameYomi);
        readName(in.text(Company), r, CTavDbAddrRecord::Company, CTavDbAddrRecord::CompanyYomi);
        r.SetTitle(text(in.text(Title)));
        for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot) {
            r.SetPhoneLabelID(slot, in.value(Phone1Label + 2 * slot));
            r.SetPhone(slot, text(in.text(Phone1 + 2 * slot)));
        }
        r.SetAddress(text(in.text(Address)));
        r.SetCity(text(in.text(City)));
        r.SetState(text(in.text(State)));
        r.SetZipCode(text(in.text(Zip)));
        r.SetCountry(text(in.text(Country)));
        r.SetNote(text(in.text(Note)));
        for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i)
            r.SetCustom(i, text(in.text(Custom1 + i)));
        r.SetDisplayPhone(in.value(DisplayPhone));
        if (!r.HasValidValues() || r.FirstOverlongField() != CTavDbAddrRecord::FieldCount)
            return TavStatusCode::InvalidArgument;
        return TavStatusCode::Ok;
    }

    void FromStore(const CTavDbPcRecord& in, CTavDbArchiveRecord& out) const override
    {
        const auto& r = static_cast<const CTavDbAddrRecord&>(in);
        out.setText(LastName, joinName(r.GetLastName(), r.GetLastNameYomi()));
        out.setText(FirstName, joinName(r.GetFirstName(), r.GetFirstNameYomi()));
        out.setText(Company, joinName(r.GetCompany(), r.GetCompanyYomi()));
        out.setText(Title, bytes(r.GetTitle()));
        for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot) {
            out.set(Phone1Label + 2 * slot, r.GetPhoneLabelID(slot));
            out.setText(Phone1 + 2 * slot, bytes(r.GetPhone(slot)));
        }
        out.setText(Address, bytes(r.GetAddress()));
        out.setText(City, bytes(r.GetCity()));
        out.setText(State, bytes(r.GetState()));
        out.setText(Zip, bytes(r.GetZipCode()));
        out.setText(Country, bytes(r.GetCountry()));
        out.setText(Note, bytes(r.GetNote()));
        for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i)
            out.setText(Custom1 + i, bytes(r.GetCustom(i)));
        out.set(DisplayPhone, r.GetDisplayPhone());
    }

    size_t Fingerprint(const CTavDbPcRecord& record) const override
    {
        const auto& r = static_cast<const CTavDbAddrRecord&>(record);
        size_t h = qHash(r.GetDisplayPhone());
        for (int f = 0; f < CTavDbAddrRecord::FieldCount; ++f)
            h = qHashMulti(h, r.GetField(static_cast<CTavDbAddrRecord::Field>(f)));
        for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot)
            h = qHashMulti(h, r.GetPhoneLabelID(slot));
        return h;
    }

    // The table string starts with the four custom field labels, each ended by a NUL byte;
    // the list's column header follows.
    void HeaderToStore(const CTavDbArchiveFile& file, CTavDbStoreBase& store) const override
    {
        static_cast<CTavDbAddr&>(store).SetCustomLabels(labelsOf(file.tableString));
    }

    void HeaderFromStore(const CTavDbStoreBase& store, CTavDbArchiveFile& file) const override
    {
        const QStringList labels = static_cast<const CTavDbAddr&>(store).GetCustomLabels();
        if (labels == labelsOf(file.tableString))
            return;
        QStringList read;
        qsizetype rest = 0;
        if (!readLabels(file.tableString, &read, &rest))
            rest = 0;
        QByteArray table;
        for (const QString& label : labels)
            table += bytes(label) + '\0';
        file.tableString = table + file.tableString.mid(rest);
    }

private:
    // A name and its reading share one field, split by the byte 0x01 (never a code page 932
    // trail byte, so the split is safe on the raw bytes).
    static void readName(const QByteArray& field, CTavDbAddrRecord& r, CTavDbAddrRecord::Field name,
                         CTavDbAddrRecord::Field reading)
    {
        const qsizetype cut = field.indexOf('\x01');
        r.SetField(name, text(cut < 0 ? field : field.left(cut)));
        r.SetField(reading, cut < 0 ? QString() : text(field.mid(cut + 1)));
    }

    static QByteArray joinName(const QString& name, const QString& reading)
    {
        return reading.isEmpty() ? bytes(name) : bytes(name) + '\x01' + bytes(reading);
    }

    // The labels the store takes from a table string: the defaults when it holds none that fit.
    static QStringList labelsOf(const QByteArray& table)
    {
        QStringList labels;
        if (!readLabels(table, &labels, nullptr))
            return CTavDbAddr::DefaultCustomLabels();
        for (const QString& label : std::as_const(labels))
            if (CTavDbText::mbLength(label) > CTavDbAddr::kMaxCustomLabelBytes)
                return CTavDbAddr::DefaultCustomLabels();
        return labels;
    }

    static bool readLabels(const QByteArray& table, QStringList* labels, qsizetype* rest)
    {
        qsizetype from = 0;
        for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i) {
            const qsizetype end = table.indexOf('\0', from);
            if (end < 0)
                return false;
            labels->append(text(table.mid(from, end - from)));
            from = end + 1;
        }
        if (rest)
            *rest = from;
        return true;
    }
};
} // namespace

const CTavDbArchiveConverter& CTavDbArchiveConverter::Addr()
{
    static const AddrConverter converter;
    return converter;
}
