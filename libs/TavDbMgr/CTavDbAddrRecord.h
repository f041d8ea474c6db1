#pragma once

#include <QByteArray>
#include <QString>

#include "CTavDbPcRecord.h"

// One address card: names and company with their readings, five phone slots with their
// labels, the postal address, four custom fields, a note, a thumbnail picture and the link to
// a memo sheet. Text limits are code page 932 byte counts.
class CTavDbAddrRecord final : public CTavDbPcRecord
{
public:
    // The text fields, in the order of the store's columns.
    enum Field : int
    {
        LastName,
        LastNameYomi,
        FirstName,
        FirstNameYomi,
        Company,
        CompanyYomi,
        Title,
        Phone1,
        Phone2,
        Phone3,
        Phone4,
        Phone5,
        Address,
        City,
        State,
        ZipCode,
        Country,
        Custom1,
        Custom2,
        Custom3,
        Custom4,
        Note,
        FieldCount
    };
    static constexpr int kPhoneCount = 5;
    static constexpr int kCustomCount = 4;
    static constexpr int kMaxFieldBytes = 256;
    static constexpr int kMaxNoteBytes = 4096;
    // Phone label ids; an e-mail address is a phone slot labelled kLabelEmail.
    enum PhoneLabel : int
    {
        kLabelWork,
        kLabelHome,
        kLabelFax,
        kLabelOther,
        kLabelEmail,
        kLabelMain,
        kLabelPager,
        kLabelMobile,
        kPhoneLabelCount
    };
    // A thumbnail bigger than this is no thumbnail but a picture; the store refuses it.
    static constexpr int kMaxThumbBytes = 1 << 20;

    CTavDbAddrRecord();
    CTavDbAddrRecord(const CTavDbAddrRecord&) = default;
    CTavDbAddrRecord& operator=(const CTavDbAddrRecord&) = default;
    // Readers hand thousands of cards on; moving spares copying every field.
    CTavDbAddrRecord(CTavDbAddrRecord&&) = default;
    CTavDbAddrRecord& operator=(CTavDbAddrRecord&&) = default;

    const QString& GetField(Field f) const { return m_text[f]; }
    void SetField(Field f, const QString& text) { m_text[f] = text; }
    static int MaxBytes(Field f) { return f == Note ? kMaxNoteBytes : kMaxFieldBytes; }
    // The first text field over its byte limit, or FieldCount when every field fits.
    Field FirstOverlongField() const;
    // True when no text field holds anything.
    bool IsEmpty() const;

    const QString& GetLastName() const { return m_text[LastName]; }
    void SetLastName(const QString& s) { m_text[LastName] = s; }
    const QString& GetLastNameYomi() const { return m_text[LastNameYomi]; }
    void SetLastNameYomi(const QString& s) { m_text[LastNameYomi] = s; }
    const QString& GetFirstName() const { return m_text[FirstName]; }
    void SetFirstName(const QString& s) { m_text[FirstName] = s; }
    const QString& GetFirstNameYomi() const { return m_text[FirstNameYomi]; }
    void SetFirstNameYomi(const QString& s) { m_text[FirstNameYomi] = s; }
    const QString& GetCompany() const { return m_text[Company]; }
    void SetCompany(const QString& s) { m_text[Company] = s; }
    const QString& GetCompanyYomi() const { return m_text[CompanyYomi]; }
    void SetCompanyYomi(const QString& s) { m_text[CompanyYomi] = s; }
    const QString& GetTitle() const { return m_text[Title]; }
    void SetTitle(const QString& s) { m_text[Title] = s; }
    const QString& GetAddress() const { return m_text[Address]; }
    void SetAddress(const QString& s) { m_text[Address] = s; }
    const QString& GetCity() const { return m_text[City]; }
    void SetCity(const QString& s) { m_text[City] = s; }
    const QString& GetState() const { return m_text[State]; }
    void SetState(const QString& s) { m_text[State] = s; }
    const QString& GetZipCode() const { return m_text[ZipCode]; }
    void SetZipCode(const QString& s) { m_text[ZipCode] = s; }
    const QString& GetCountry() const { return m_text[Country]; }
    void SetCountry(const QString& s) { m_text[Country] = s; }
    const QString& GetNote() const { return m_text[Note]; }
    void SetNote(const QString& s) { m_text[Note] = s; }

    // Slots 0-4; an index out of range reads as empty and is not written.
    QString GetPhone(int slot) const;
    void SetPhone(int slot, const QString& text);
    int GetPhoneLabelID(int slot) const;
    void SetPhoneLabelID(int slot, int labelId);
    // The usual contact: slot 1-5, 0 when none was chosen.
    int GetDisplayPhone() const { return m_displayPhone; }
    void SetDisplayPhone(int slot) { m_displayPhone = slot; }
    // The usual contact's text: that slot, or slot 1 when none was chosen.
    QString GetDisplayPhoneText() const;
    // True when some slot labelled e-mail holds text.
    bool HasEmail() const;
    QString GetCustom(int index) const;
    void SetCustom(int index, const QString& text);

    const QString& GetThumbName() const { return m_thumbName; }
    void SetThumbName(const QString& name) { m_thumbName = name; }
    // The thumbnail picture's file bytes (JPEG), empty when the card has none.
    const QByteArray& GetThumbData() const { return m_thumbData; }
    void SetThumbData(const QByteArray& data) { m_thumbData = data; }
    // Reads a picture file as the thumbnail; false (and nothing changed) when it cannot be
    // read or is larger than kMaxThumbBytes.
    bool LoadThumbData(const QString& path);
    // Which marker the list draws in the thumbnail column (0: none).
    int GetDummyThumb() const { return m_thumbKind; }
    void SetDummyThumb(int kind) { m_thumbKind = kind; }
    // The linked memo sheet's name, empty when none is linked.
    const QString& GetQuilloName() const { return m_quilloName; }
    void SetQuilloName(const QString& name) { m_quilloName = name; }

    // Whether the numbers stay within their ranges (labels 0-7, usual contact 0-5, thumbnail
    // size); text limits are checked by FirstOverlongField.
    bool HasValidValues() const;

    void Reset() override;
    bool IsEqualPdt(const CTavDbPcRecord& other) const override;
    std::unique_ptr<CTavDbPcRecord> Clone() const override
    {
        return std::make_unique<CTavDbAddrRecord>(*this);
    }
    std::unique_ptr<CTavDbPcRecord> TakeFields() override
    {
        return std::make_unique<CTavDbAddrRecord>(std::move(*this));
    }
    void BindFields(CTavSqliteStatement& st) const override;
    void ReadFields(CTavSqliteStatement& st) override;
    static constexpr const char* kColumns =
        "last_name TEXT, last_name_yomi TEXT, first_name TEXT, first_name_yomi TEXT, company TEXT, "
        "company_yomi TEXT, title TEXT, phone1 TEXT, phone2 TEXT, phone3 TEXT, phone4 TEXT, phone5 TEXT, "
        "address TEXT, city TEXT, state TEXT, zip_code TEXT, country TEXT, custom1 TEXT, custom2 TEXT, "
        "custom3 TEXT, custom4 TEXT, note TEXT, phone_label1 INTEGER, phone_label2 INTEGER, "
        "phone_label3 INTEGER, phone_label4 INTEGER, phone_label5 INTEGER, display_phone INTEGER, "
        "thumb_name TEXT, thumb_kind INTEGER, thumb_data BLOB, quillo_name TEXT";

private:
    QString m_text[FieldCount];
    int m_phoneLabel[kPhoneCount];
    int m_displayPhone = 1;
    QString m_thumbName;
    QByteArray m_thumbData;
    int m_thumbKind = 0;
    QString m_quilloName;
};
