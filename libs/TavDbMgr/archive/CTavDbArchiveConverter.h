#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "CTavDbArchiveFile.h"
#include "TavStatus.h"

class CTavDbPcRecord;
class CTavDbStoreBase;

// Turns the records of one kind of desktop data file into a store's records and back. The
// record id, status, position, private flag and category are the same for every kind and are
// handled by CTavDbArchive; a converter does the rest.
class CTavDbArchiveConverter
{
public:
    virtual ~CTavDbArchiveConverter() = default;

    static const CTavDbArchiveConverter& Date();
    static const CTavDbArchiveConverter& Addr();
    static const CTavDbArchiveConverter& Todo();
    static const CTavDbArchiveConverter& Memo();

    virtual CTavDbArchiveFile::Kind Kind() const = 0;
    // The field types of the kind's records, and the header values of a new file.
    virtual std::vector<uint16_t> Schema() const = 0;
    virtual uint32_t ResourceId() const { return 0; }
    virtual int PrivateField() const = 0;
    virtual int CategoryField() const = 0;
    virtual std::unique_ptr<CTavDbPcRecord> NewRecord() const = 0;

    // InvalidArgument when a value does not fit the store (a text over its limit, a value out
    // of range), Corrupt when the record makes no sense.
    virtual TavStatus ToStore(const CTavDbArchiveRecord& in, CTavDbPcRecord& out) const = 0;
    // Puts the fields the store holds into out, which holds the record as read (or empty fields)
    // so that what the store does not hold stays.
    virtual void FromStore(const CTavDbPcRecord& in, CTavDbArchiveRecord& out) const = 0;
    // A hash of the kind's fields the store holds: equal when nothing of them changed.
    virtual size_t Fingerprint(const CTavDbPcRecord& record) const = 0;
    // Whether the record goes among the repeating records at the front of the file.
    virtual bool IsRepeating(const CTavDbPcRecord& /*record*/) const { return false; }

    // Store-wide values the header holds (the address book's custom field labels).
    virtual void HeaderToStore(const CTavDbArchiveFile& /*file*/, CTavDbStoreBase& /*store*/) const {}
    virtual void HeaderFromStore(const CTavDbStoreBase& /*store*/, CTavDbArchiveFile& /*file*/) const {}

protected:
    static QString text(const QByteArray& bytes);
    static QByteArray bytes(const QString& text);
    // The file's "no date" and the store's.
    static int32_t toFileDate(int32_t t);
    static int32_t fromFileDate(int32_t t);
};
