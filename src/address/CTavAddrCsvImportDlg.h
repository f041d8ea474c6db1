#pragma once

#include "CTavDbAddrCsvFormat.h"
#include "CTavDialogBase.h"

class CTavApp;

// Lets the user check how a comma-separated file is read before it is imported: a preview of
// its first rows, the encoding, delimiter, header line and the field of each column.
class CTavAddrCsvImportDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavAddrCsvImportDlg(CTavApp& app, const QString& path, QWidget* parent = nullptr);

    // The layout chosen (valid after OK); it is remembered for the next import.
    CTavDbAddrCsvFormat Format() const { return m_format; }

private:
    CTavApp& m_app;
    CTavDbAddrCsvFormat m_format;
};
