#pragma once

#include "CTavFileDlg.h"

// The import file dialog of the modules: an open dialog titled "インポート" (or a save dialog
// titled "エクスポート"), its OK button carrying the title.
class CTavImportFileDlg final : public CTavFileDlg
{
    Q_OBJECT
public:
    CTavImportFileDlg(bool isOpen, const QString& filter, QWidget* parent = nullptr);

    bool IsOpen() const { return m_isOpen; }
    QString Title() const { return m_title; }

private:
    bool m_isOpen;
    QString m_title;
};
