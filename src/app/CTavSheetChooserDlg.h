#pragma once

#include <QDate>

#include "CTavDialogBase.h"

class CTavApp;
class QTreeWidget;

// Choosing a memo sheet of a folder ("コンテンツ選択" for memo sheets): every sheet with its
// thumbnail, title and dates. The choice is named by the file without folder and extension.
class CTavSheetChooserDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    static constexpr QSize kThumbnailSize{36, 48};
    static inline const QString kChooseOne = QStringLiteral("コンテンツを選択して下さい。");

    // current: the sheet selected at opening; day: sheets scheduled on it come first.
    CTavSheetChooserDlg(CTavApp& app, const QString& folder, const QString& current,
                        const QDate& day = QDate(), QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }
    // Selects a sheet's row by name; false when it is not listed.
    bool SelectSheet(const QString& name);
    QString SheetName() const;

    void accept() override;

private:
    void fill(const QString& folder, const QDate& day);

    CTavApp& m_app;
    QTreeWidget* m_list;
};
