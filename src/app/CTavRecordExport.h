#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <utility>

#include "TavStatus.h"

class CTavApp;
class CTavDbStoreBase;
class QWidget;

// One export of a module's records to a file. Nothing the user asked to export stays out
// unsaid: private records that the windows mask or hide go along once the password that would
// show them is given, and otherwise the closing message says how many stayed out.
class CTavRecordExport final
{
public:
    // A record offered for export: its unique id and whether it is private.
    using Candidate = std::pair<uint32_t, bool>;

    // privateNoun names the module's records in the closing message ("メモ", "予定", ...).
    CTavRecordExport(CTavApp& app, QWidget* parent, QString privateNoun);

    // The store's live records, in store order.
    static QList<Candidate> LiveRecords(const CTavDbStoreBase& store);

    // The ids to write out of the candidates; asks for the password when private ones would
    // otherwise stay out.
    QList<uint32_t> Choose(const QList<Candidate>& candidates);
    // Runs the write under the wait cursor and tells the user how it went, naming the file
    // on failure. When every candidate stayed out, nothing is written over the file.
    bool Write(const QString& path, const std::function<TavStatus()>& write);

private:
    CTavApp& m_app;
    QWidget* m_parent;
    QString m_noun;
    int m_leftOut = 0;
    bool m_allLeftOut = false;
};
