#pragma once

#include <QDate>

#include "CTavDialogBase.h"

class QCheckBox;
class QComboBox;

// Picks how old events must be to be discarded, and whether to keep them for the backup file.
class CTavScDiscardDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavScDiscardDlg(bool archive, QWidget* parent = nullptr);
    QComboBox* Period() const { return m_period; }
    QCheckBox* ArchiveBox() const { return m_archive; }
    bool Archive() const;
    // The first day kept: 1, 2 or 3 weeks before today, or the same day of the previous month
    // (the month's last day when it is shorter).
    static QDate CutOff(const QDate& today, int period);

private:
    QComboBox* m_period;
    QCheckBox* m_archive;
};
