#include "CTavAddrCsvImportDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavProfile.h"

namespace {
using CsvFormat = CTavDbAddrCsvFormat;

const QString kSection = QStringLiteral("AddrCsvImport");
// Enough of the file for the preview rows and the guess, without reading a large file whole.
constexpr qint64 kHeadBytes = 256 * 1024;
const QChar kDelimiters[] = {u',', u'\t', u';'};
const CsvFormat::Layout kLayouts[] = {CsvFormat::LayoutOwn, CsvFormat::LayoutGoogle,
                                      CsvFormat::LayoutThunderbird, CsvFormat::LayoutCustom};

// The order the field choosers list the targets in: the card's fields as the card dialog
// shows them, then the values that are not text.
QList<int> targetOrder()
{
    QList<int> order{CsvFormat::TargetNone};
    for (int t = 0; t < CsvFormat::TargetCount; ++t) {
        order << t;
        if (t >= CTavDbAddrRecord::Phone1 && t <= CTavDbAddrRecord::Phone5)
            order << CsvFormat::PhoneLabel1 + (t - CTavDbAddrRecord::Phone1);
        if (t == CTavDbAddrRecord::Phone5)
            order << CsvFormat::DisplayPhone;
    }
    QList<int> unique;
    for (int t : order)
        if (!unique.contains(t))
            unique << t;
    return unique;
}

QString headerKey(const QStringList& header)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(header.join(u'\n').toUtf8(), QCryptographicHash::Sha1).toHex());
}
} // namespace

CTavAddrCsvImportDlg::CTavAddrCsvImportDlg(CTavApp& app, const QString& path, QWidget* parent)
    : CTavDialogBase(parent), m_app(app), m_encoding(new QComboBox(this)), m_delimiter(new QComboBox(this)),
      m_layout(new QComboBox(this)), m_header(new QCheckBox(QStringLiteral("先頭行は項目名(&H)"), this)),
      m_guessed(new QLabel(this)), m_table(new QTableWidget(this))
{
    setWindowTitle(QStringLiteral("CSV ファイルのインポート"));
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        m_head = file.read(kHeadBytes);
    m_format = CsvFormat::Guess(m_head);

    m_encoding->setObjectName(QStringLiteral("encodingBox"));
    m_encoding->addItems({QStringLiteral("UTF-8"), QStringLiteral("Shift_JIS (cp932)")});
    m_delimiter->setObjectName(QStringLiteral("delimiterBox"));
    m_delimiter->addItems(
        {QStringLiteral("コンマ (,)"), QStringLiteral("タブ"), QStringLiteral("セミコロン (;)")});
    m_layout->setObjectName(QStringLiteral("layoutBox"));
    for (CsvFormat::Layout l : kLayouts)
        m_layout->addItem(CsvFormat::LayoutName(l));
    m_header->setObjectName(QStringLiteral("headerBox"));
    m_table->setObjectName(QStringLiteral("previewTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->setMinimumSize(640, 360);
    m_guessed->setObjectName(QStringLiteral("guessedLabel"));

    auto* controls = new QGridLayout;
    int column = 0;
    for (auto [text, box] : {std::pair{QStringLiteral("文字コード(&C):"), m_encoding},
                             std::pair{QStringLiteral("区切り文字(&D):"), m_delimiter}}) {
        auto* label = new QLabel(text, this);
        label->setBuddy(box);
        controls->addWidget(label, 0, column++);
        controls->addWidget(box, 0, column++);
    }
    controls->addWidget(m_header, 0, column);
    auto* layoutLabel = new QLabel(QStringLiteral("レイアウト(&L):"), this);
    layoutLabel->setBuddy(m_layout);
    controls->addWidget(layoutLabel, 1, 0);
    controls->addWidget(m_layout, 1, 1);
    controls->addWidget(m_guessed, 1, 2, 1, 3);
    controls->setColumnStretch(5, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("インポート"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavAddrCsvImportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavAddrCsvImportDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(new QLabel(QStringLiteral("各列に読み込む項目を選んでください(&F):"), this));
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);

    m_guessed->setText(
        m_format.layout == CsvFormat::LayoutCustom
            ? QStringLiteral("既知のレイアウトではありません")
            : QStringLiteral("%1 のレイアウトと判断しました").arg(CsvFormat::LayoutName(m_format.layout)));
    recall();
    fill();
    connect(m_encoding, &QComboBox::currentIndexChanged, this, &CTavAddrCsvImportDlg::reread);
    connect(m_delimiter, &QComboBox::currentIndexChanged, this, &CTavAddrCsvImportDlg::reread);
    connect(m_header, &QCheckBox::toggled, this, &CTavAddrCsvImportDlg::reread);
    connect(m_layout, &QComboBox::currentIndexChanged, this, &CTavAddrCsvImportDlg::chooseLayout);
    resize(760, 480);
}

QComboBox* CTavAddrCsvImportDlg::FieldBox(int column) const
{
    return column < m_table->columnCount() ? qobject_cast<QComboBox*>(m_table->cellWidget(0, column))
                                           : nullptr;
}

QString CTavAddrCsvImportDlg::fieldName(int target) const
{
    // Custom fields go by the labels the user gave them.
    if (target >= CTavDbAddrRecord::Custom1 && target <= CTavDbAddrRecord::Custom4) {
        const QString label = m_app.AddrStore().GetCustomLabel(target - CTavDbAddrRecord::Custom1);
        if (!label.isEmpty())
            return label;
    }
    return CsvFormat::TargetName(target);
}

QStringList CTavAddrCsvImportDlg::headerOf(const CTavDbAddrCsvFormat& format) const
{
    return format.hasHeader ? CsvFormat::Preview(m_head, format, 1).value(0) : QStringList();
}

// A file whose header line was seen before gets the choices made then.
void CTavAddrCsvImportDlg::recall()
{
    const QStringList header = headerOf(m_format);
    if (header.isEmpty() ||
        CTavProfile::GetProfileString(kSection, QStringLiteral("header"), QString()) != headerKey(header))
        return;
    // The encoding and delimiter are left to the guess: the same columns may come in another.
    CsvFormat remembered = m_format;
    remembered.columnFields.clear();
    for (const QString& f : CTavProfile::GetProfileString(kSection, QStringLiteral("fields"), QString())
                                .split(u' ', Qt::SkipEmptyParts))
        remembered.columnFields << std::clamp(f.toInt(), int(CsvFormat::TargetNone),
                                              CsvFormat::TargetCount - 1);
    if (remembered.columnFields.size() != header.size())
        return;
    if (remembered.columnFields != m_format.columnFields)
        remembered.layout = CsvFormat::LayoutCustom;
    m_format = remembered;
}

void CTavAddrCsvImportDlg::fill()
{
    m_filling = true;
    m_encoding->setCurrentIndex(m_format.encoding == CsvFormat::Cp932 ? 1 : 0);
    m_delimiter->setCurrentIndex(
        int(std::find(std::begin(kDelimiters), std::end(kDelimiters), m_format.delimiter) -
            std::begin(kDelimiters)) %
        3);
    m_header->setChecked(m_format.hasHeader);
    m_layout->setCurrentIndex(
        int(std::find(std::begin(kLayouts), std::end(kLayouts), m_format.layout) - std::begin(kLayouts)));

    const QList<QStringList> rows = CsvFormat::Preview(m_head, m_format, kPreviewRows + 1);
    const int skip = m_format.hasHeader && !rows.isEmpty() ? 1 : 0;
    int columns = 0;
    for (const QStringList& row : rows)
        columns = std::max(columns, int(row.size()));
    m_format.columnFields.resize(columns, CsvFormat::TargetNone);
    m_table->clear();
    m_table->setColumnCount(columns);
    m_table->setRowCount(1 + int(rows.size()) - skip);
    QStringList titles;
    QStringList rowTitles{QStringLiteral("項目")};
    for (int c = 0; c < columns; ++c)
        titles << (skip ? rows.first().value(c) : QStringLiteral("%1 列目").arg(c + 1));
    m_table->setHorizontalHeaderLabels(titles);
    const QList<int> order = targetOrder();
    for (int c = 0; c < columns; ++c) {
        auto* box = new QComboBox(m_table);
        box->setObjectName(QStringLiteral("fieldBox%1").arg(c));
        // Sized for short names; the open list shows the long ones whole.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(7);
        for (int t : order)
            box->addItem(fieldName(t), t);
        box->setCurrentIndex(std::max(0, box->findData(m_format.columnFields.at(c))));
        connect(box, &QComboBox::currentIndexChanged, this, [this, c, box] {
            if (m_filling)
                return;
            m_format.columnFields[c] = box->currentData().toInt();
            m_format.layout = CsvFormat::LayoutCustom;
            m_filling = true;
            m_layout->setCurrentIndex(int(std::size(kLayouts)) - 1);
            m_filling = false;
        });
        m_table->setCellWidget(0, c, box);
    }
    for (int r = skip; r < rows.size(); ++r) {
        rowTitles << QString::number(r - skip + 1);
        for (int c = 0; c < rows.at(r).size(); ++c) {
            QString text = rows.at(r).at(c);
            text.replace(u'\n', u' ');
            m_table->setItem(1 + r - skip, c, new QTableWidgetItem(text));
        }
    }
    m_table->setVerticalHeaderLabels(rowTitles);
    m_table->resizeColumnsToContents();
    for (int c = 0; c < columns; ++c)
        m_table->setColumnWidth(
            c, std::min(std::max(m_table->columnWidth(c), FieldBox(c)->sizeHint().width()), 260));
    m_filling = false;
}

void CTavAddrCsvImportDlg::reread()
{
    if (m_filling)
        return;
    const CsvFormat before = m_format;
    m_format.encoding = m_encoding->currentIndex() == 1 ? CsvFormat::Cp932 : CsvFormat::Utf8;
    m_format.delimiter = kDelimiters[std::max(0, m_delimiter->currentIndex())];
    m_format.hasHeader = m_header->isChecked();
    // Other columns, or other names: map them afresh when the names are of a known layout.
    const QStringList header = headerOf(m_format);
    const CsvFormat::Layout known = CsvFormat::Recognise(header);
    if (known != CsvFormat::LayoutCustom &&
        (before.encoding != m_format.encoding || before.delimiter != m_format.delimiter)) {
        m_format.layout = known;
        m_format.columnFields = CsvFormat::FieldsForHeader(header, known);
    }
    fill();
}

void CTavAddrCsvImportDlg::chooseLayout(int index)
{
    if (m_filling || index < 0 || index >= int(std::size(kLayouts)) ||
        kLayouts[index] == CsvFormat::LayoutCustom)
        return;
    m_format.UseLayout(kLayouts[index], m_head);
    fill();
}

void CTavAddrCsvImportDlg::accept()
{
    const QStringList header = headerOf(m_format);
    if (!header.isEmpty()) {
        QStringList fields;
        for (int f : std::as_const(m_format.columnFields))
            fields << QString::number(f);
        CTavProfile::WriteProfileString(kSection, QStringLiteral("header"), headerKey(header));
        CTavProfile::WriteProfileString(kSection, QStringLiteral("fields"), fields.join(u' '));
    }
    CTavDialogBase::accept();
}
