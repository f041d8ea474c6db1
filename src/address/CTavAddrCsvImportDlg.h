#pragma once

#include "CTavDbAddrCsvFormat.h"
#include "CTavDialogBase.h"

class CTavApp;
class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

// Lets the user check how a comma-separated file is read before it is imported: a preview of
// its first rows, the encoding, delimiter, header line and the field of each column.
class CTavAddrCsvImportDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    static constexpr int kPreviewRows = 20;

    CTavAddrCsvImportDlg(CTavApp& app, const QString& path, QWidget* parent = nullptr);

    // The layout chosen (valid after OK); it is remembered for the next import.
    CTavDbAddrCsvFormat Format() const { return m_format; }

    QComboBox* EncodingBox() const { return m_encoding; }
    QComboBox* DelimiterBox() const { return m_delimiter; }
    QComboBox* LayoutBox() const { return m_layout; }
    QCheckBox* HeaderBox() const { return m_header; }
    QTableWidget* PreviewTable() const { return m_table; }
    // The field chooser of a column (null past the last column).
    QComboBox* FieldBox(int column) const;

    void accept() override;

private:
    // Reads the preview again after the encoding, delimiter or header line changed.
    void reread();
    void chooseLayout(int index);
    void fill();
    QString fieldName(int target) const;
    QStringList headerOf(const CTavDbAddrCsvFormat& format) const;
    void recall();

    CTavApp& m_app;
    CTavDbAddrCsvFormat m_format;
    QByteArray m_head;
    QComboBox* m_encoding;
    QComboBox* m_delimiter;
    QComboBox* m_layout;
    QCheckBox* m_header;
    QLabel* m_guessed;
    QTableWidget* m_table;
    bool m_filling = false;
};
