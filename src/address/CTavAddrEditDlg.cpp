#include "CTavAddrEditDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "CTavAddrThumbChooser.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbText.h"
#include "CTavDbUser.h"
#include "CTavProfile.h"
#include "CTavSheetLink.h"

using Field = CTavDbAddrRecord::Field;

namespace {
constexpr int kThumbWell = 100;

// The fields in the order OK checks them, with what the user is told when one is too long.
struct LengthCheck
{
    Field field;
    const char16_t* message;
};
constexpr LengthCheck kLengthChecks[] = {
    {CTavDbAddrRecord::LastNameYomi, u"よみ（姓）を256バイト以内に編集してください"},
    {CTavDbAddrRecord::FirstNameYomi, u"よみ（名）を256バイト以内に編集してください"},
    {CTavDbAddrRecord::LastName, u"姓を256バイト以内に編集してください"},
    {CTavDbAddrRecord::FirstName, u"名を256バイト以内に編集してください"},
    {CTavDbAddrRecord::CompanyYomi, u"よみ（会社）を256バイト以内に編集してください"},
    {CTavDbAddrRecord::Company, u"会社を256バイト以内に編集してください"},
    {CTavDbAddrRecord::Title, u"役職を256バイト以内に編集してください"},
    {CTavDbAddrRecord::Phone1, u"電話を256バイト以内に編集してください"},
    {CTavDbAddrRecord::Phone2, u"電話を256バイト以内に編集してください"},
    {CTavDbAddrRecord::Phone3, u"電話を256バイト以内に編集してください"},
    {CTavDbAddrRecord::Phone4, u"電話を256バイト以内に編集してください"},
    {CTavDbAddrRecord::Phone5, u"電話を256バイト以内に編集してください"},
    {CTavDbAddrRecord::ZipCode, u"郵便番号を256バイト以内に編集してください"},
    {CTavDbAddrRecord::State, u"都道府県を256バイト以内に編集してください"},
    {CTavDbAddrRecord::City, u"市町村を256バイト以内に編集してください"},
    {CTavDbAddrRecord::Address, u"住所を256バイト以内に編集してください"},
    {CTavDbAddrRecord::Country, u"国名を256バイト以内に編集してください"},
    {CTavDbAddrRecord::Custom1, u"カスタムを256バイト以内に編集してください"},
    {CTavDbAddrRecord::Custom2, u"カスタムを256バイト以内に編集してください"},
    {CTavDbAddrRecord::Custom3, u"カスタムを256バイト以内に編集してください"},
    {CTavDbAddrRecord::Custom4, u"カスタムを256バイト以内に編集してください"},
    {CTavDbAddrRecord::Note, u"コメントを4Kバイト以内に編集してください"},
};

QLabel* fieldLabel(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

int profileInt(const QString& key, int def, int low, int high)
{
    const int value = CTavProfile::GetProfileInt(CTavAddrEditDlg::kPhoneSection, key, def);
    return value >= low && value <= high ? value : def;
}
} // namespace

CTavAddrEditDlg::CTavAddrEditDlg(CTavApp& app, const CTavDbAddrRecord& card, bool isNew, QWidget* parent)
    : CTavDialogBase(parent), m_app(app), m_card(card), m_picture(card), m_sheet(card.GetQuilloName()),
      m_isNew(isNew), m_save(isNew ? Save::AddNew : Save::Update), m_usualGroup(new QButtonGroup(this)),
      m_note(new QPlainTextEdit(this)), m_category(new QComboBox(this)),
      m_private(new QCheckBox(QStringLiteral("プライベート(&P)"), this)), m_thumbWell(new QLabel(this)),
      m_thumbPick(new QPushButton(QStringLiteral("指定..."), this)),
      m_thumbClear(new QPushButton(QStringLiteral("クリア"), this)), m_sheetLabel(new QLabel(this)),
      m_sheetPick(new QPushButton(QStringLiteral("指定(&O)"), this)),
      m_sheetUnlink(new QPushButton(QStringLiteral("指定解除(&R)"), this))
{
    setWindowTitle(isNew ? kNewTitle : kEditTitle);
    for (int f = 0; f < CTavDbAddrRecord::FieldCount; ++f) {
        if (f == CTavDbAddrRecord::Note)
            continue;
        m_edits[f] = new QLineEdit(this);
        m_edits[f]->setObjectName(QStringLiteral("field%1").arg(f));
    }
    m_note->setObjectName(QStringLiteral("noteEdit"));
    m_note->setTabChangesFocus(true);
    m_category->setObjectName(QStringLiteral("categoryBox"));
    const CTavDbAddr& store = app.AddrStore();
    for (const CTavDbCategory& c : store.GetCategories())
        m_category->addItem(c.GetName(), c.GetID());
    m_private->setObjectName(QStringLiteral("privateBox"));
    m_private->setProperty("controlId", 1008);
    m_thumbWell->setObjectName(QStringLiteral("thumbnailWell"));
    m_thumbWell->setFixedSize(kThumbWell, kThumbWell);
    m_thumbWell->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_thumbWell->setAlignment(Qt::AlignCenter);
    m_sheetLabel->setObjectName(QStringLiteral("sheetLabel"));
    m_sheetLabel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_sheetLabel->setMinimumWidth(160);
    m_sheetLabel->setTextFormat(Qt::PlainText);
    for (QPushButton* b : {m_thumbPick, m_thumbClear, m_sheetPick, m_sheetUnlink})
        b->setAutoDefault(false);
    connect(m_thumbPick, &QPushButton::clicked, this, &CTavAddrEditDlg::pickThumbnail);
    connect(m_thumbClear, &QPushButton::clicked, this, &CTavAddrEditDlg::clearThumbnail);
    connect(m_sheetPick, &QPushButton::clicked, this, &CTavAddrEditDlg::pickSheet);
    connect(m_sheetUnlink, &QPushButton::clicked, this, &CTavAddrEditDlg::unlinkSheet);

    buildLayout();
    setTabOrder();
    showCard();
    m_edits[CTavDbAddrRecord::LastName]->setFocus();
}

CTavDbAddrRecord CTavAddrEditDlg::NewCard(CTavApp& app)
{
    CTavDbAddrRecord card;
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot)
        card.SetPhoneLabelID(slot, profileInt(QStringLiteral("defphonelabel%1").arg(slot), slot, 0,
                                              CTavDbAddrRecord::kPhoneLabelCount - 1));
    card.SetDisplayPhone(profileInt(QStringLiteral("defphone"), 1, 1, CTavDbAddrRecord::kPhoneCount));
    // The list tells the store which category it shows; a card made there belongs to it.
    const CTavDbAddr& store = app.AddrStore();
    const uint32_t shown = store.GetCategoryFilter();
    card.SetCategoryID(shown != CTavDbPcRecord::kAllCategories && store.FindCategoryById(shown)
                           ? shown
                           : CTavDbPcRecord::kUnfiled);
    return card;
}

void CTavAddrEditDlg::buildNameBox(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    const std::pair<Field, const char16_t*> rows[] = {{CTavDbAddrRecord::LastName, u"姓(&L):"},
                                                      {CTavDbAddrRecord::FirstName, u"名(&F):"},
                                                      {CTavDbAddrRecord::Company, u"会社(&C):"}};
    int row = 0;
    for (const auto& [field, text] : rows) {
        // Each reading follows its field in the enumeration.
        const Field reading = static_cast<Field>(field + 1);
        grid->addWidget(fieldLabel(QString::fromUtf16(text), m_edits[field], box), row, 0);
        grid->addWidget(m_edits[field], row, 1);
        grid->addWidget(fieldLabel(QStringLiteral("よみ:"), m_edits[reading], box), row, 2);
        grid->addWidget(m_edits[reading], row, 3);
        ++row;
    }
    grid->addWidget(fieldLabel(QStringLiteral("役職(&T):"), m_edits[CTavDbAddrRecord::Title], box), row, 0);
    grid->addWidget(m_edits[CTavDbAddrRecord::Title], row, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(4, 8);

    // The picture beside the names, its buttons beside it, no taller than the four rows.
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_thumbPick);
    buttons->addWidget(m_thumbClear);
    buttons->addStretch(1);
    auto* picture = new QHBoxLayout;
    picture->addWidget(m_thumbWell, 0, Qt::AlignTop);
    picture->addLayout(buttons);
    grid->addLayout(picture, 0, 5, 4, 1, Qt::AlignTop);
}

void CTavAddrEditDlg::buildPhoneBox(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    auto* header = new QLabel(QStringLiteral("通常"), box);
    header->setToolTip(QStringLiteral("通常使用する連絡先"));
    grid->addWidget(header, 0, 0, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("種類"), box), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("番号・アドレス"), box), 0, 2);
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot) {
        auto* usual = new QRadioButton(box);
        usual->setObjectName(QStringLiteral("usualContact%1").arg(slot + 1));
        usual->setProperty("controlId", 1000 + slot);
        usual->setToolTip(QStringLiteral("通常使用する連絡先"));
        usual->setAccessibleName(QStringLiteral("電話%1を通常使用する連絡先にする").arg(slot + 1));
        m_usualGroup->addButton(usual, slot + 1);
        m_usual[slot] = usual;
        auto* labels = new QComboBox(box);
        labels->setObjectName(QStringLiteral("phoneLabel%1").arg(slot + 1));
        for (int id = 0; id < CTavDbAddrRecord::kPhoneLabelCount; ++id)
            labels->addItem(CTavDbAddr::GetPhoneLabelName(id));
        m_phoneLabels[slot] = labels;
        QLineEdit* edit = m_edits[CTavDbAddrRecord::Phone1 + slot];
        edit->setAccessibleName(QStringLiteral("電話%1").arg(slot + 1));
        grid->addWidget(usual, slot + 1, 0, Qt::AlignHCenter);
        grid->addWidget(labels, slot + 1, 1);
        grid->addWidget(edit, slot + 1, 2);
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(CTavDbAddrRecord::kPhoneCount + 1, 1);
}

void CTavAddrEditDlg::buildAddressBox(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    const std::pair<Field, const char16_t*> rows[] = {{CTavDbAddrRecord::ZipCode, u"郵便番号(&Z):"},
                                                      {CTavDbAddrRecord::State, u"都道府県(&S):"},
                                                      {CTavDbAddrRecord::City, u"市町村(&I):"},
                                                      {CTavDbAddrRecord::Address, u"住所(&A):"},
                                                      {CTavDbAddrRecord::Country, u"国名(&N):"}};
    int row = 0;
    for (const auto& [field, text] : rows) {
        grid->addWidget(fieldLabel(QString::fromUtf16(text), m_edits[field], box), row, 0);
        grid->addWidget(m_edits[field], row, 1);
        ++row;
    }
    m_edits[CTavDbAddrRecord::ZipCode]->setMaximumWidth(120);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
}

void CTavAddrEditDlg::buildCustomBox(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    const CTavDbAddr& store = m_app.AddrStore();
    for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i) {
        QString label = store.GetCustomLabel(i);
        if (label.isEmpty())
            label = QStringLiteral("カスタム%1").arg(i + 1);
        QLineEdit* edit = m_edits[CTavDbAddrRecord::Custom1 + i];
        auto* caption = fieldLabel(label + u':', edit, box);
        caption->setTextFormat(Qt::PlainText);
        edit->setAccessibleName(label);
        grid->addWidget(caption, i, 0);
        grid->addWidget(edit, i, 1);
    }
    grid->setColumnStretch(1, 1);
}

void CTavAddrEditDlg::buildLayout()
{
    auto* names = new QGroupBox(QStringLiteral("名前"), this);
    buildNameBox(names);
    auto* phones = new QGroupBox(QStringLiteral("連絡先"), this);
    buildPhoneBox(phones);
    auto* address = new QGroupBox(QStringLiteral("アドレス"), this);
    buildAddressBox(address);
    auto* custom = new QGroupBox(QStringLiteral("カスタム"), this);
    buildCustomBox(custom);
    auto* noteBox = new QGroupBox(QStringLiteral("コメント"), this);
    auto* noteLayout = new QVBoxLayout(noteBox);
    noteLayout->addWidget(m_note);
    m_note->setMinimumHeight(m_note->fontMetrics().lineSpacing() * 4 + 12);

    auto* extras = new QHBoxLayout;
    extras->addWidget(fieldLabel(QStringLiteral("カテゴリ(&G):"), m_category, this));
    extras->addWidget(m_category);
    extras->addSpacing(12);
    extras->addWidget(m_private);
    extras->addStretch(1);
    extras->addWidget(new QLabel(QStringLiteral("手書きメモ:"), this));
    extras->addWidget(m_sheetLabel);
    extras->addWidget(m_sheetPick);
    extras->addWidget(m_sheetUnlink);

    // The two ways of saving an existing card stand apart from OK and Cancel.
    auto* buttonRow = new QHBoxLayout;
    if (!m_isNew) {
        m_overwrite = new QPushButton(QStringLiteral("上書き保存"), this);
        m_addNew = new QPushButton(QStringLiteral("追加保存"), this);
        m_overwrite->setObjectName(QStringLiteral("overwriteButton"));
        m_addNew->setObjectName(QStringLiteral("addNewButton"));
        for (QPushButton* b : {m_overwrite, m_addNew}) {
            b->setAutoDefault(false);
            buttonRow->addWidget(b);
        }
        connect(m_overwrite, &QPushButton::clicked, this, [this] { finish(Save::Update); });
        connect(m_addNew, &QPushButton::clicked, this, [this] { finish(Save::AddNew); });
    }
    buttonRow->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_cancel = buttons->button(QDialogButtonBox::Cancel);
    m_cancel->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavAddrEditDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavAddrEditDlg::reject);
    buttonRow->addWidget(buttons);

    auto* layout = new QGridLayout(this);
    layout->addWidget(names, 0, 0, 1, 2);
    layout->addWidget(phones, 1, 0);
    layout->addWidget(address, 1, 1);
    layout->addWidget(custom, 2, 0);
    layout->addWidget(noteBox, 2, 1);
    layout->addLayout(extras, 3, 0, 1, 2);
    layout->addLayout(buttonRow, 4, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(2, 1);
}

void CTavAddrEditDlg::setTabOrder()
{
    // Reading order: the names, the picture, then the sections left to right and downwards.
    QList<QWidget*> chain;
    for (Field f : {CTavDbAddrRecord::LastName, CTavDbAddrRecord::LastNameYomi, CTavDbAddrRecord::FirstName,
                    CTavDbAddrRecord::FirstNameYomi, CTavDbAddrRecord::Company, CTavDbAddrRecord::CompanyYomi,
                    CTavDbAddrRecord::Title})
        chain << m_edits[f];
    chain << m_thumbPick << m_thumbClear;
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot)
        chain << m_usual[slot] << m_phoneLabels[slot] << m_edits[CTavDbAddrRecord::Phone1 + slot];
    for (Field f : {CTavDbAddrRecord::ZipCode, CTavDbAddrRecord::State, CTavDbAddrRecord::City,
                    CTavDbAddrRecord::Address, CTavDbAddrRecord::Country, CTavDbAddrRecord::Custom1,
                    CTavDbAddrRecord::Custom2, CTavDbAddrRecord::Custom3, CTavDbAddrRecord::Custom4})
        chain << m_edits[f];
    chain << m_note << m_category << m_private << m_sheetPick << m_sheetUnlink;
    if (m_overwrite)
        chain << m_overwrite << m_addNew;
    chain << m_ok << m_cancel;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

void CTavAddrEditDlg::showCard()
{
    for (int f = 0; f < CTavDbAddrRecord::FieldCount; ++f)
        if (m_edits[f])
            m_edits[f]->setText(m_card.GetField(static_cast<Field>(f)));
    m_note->setPlainText(m_card.GetNote());
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot) {
        const int label = m_card.GetPhoneLabelID(slot);
        m_phoneLabels[slot]->setCurrentIndex(label >= 0 && label < CTavDbAddrRecord::kPhoneLabelCount ? label
                                                                                                      : 0);
    }
    if (QAbstractButton* usual = m_usualGroup->button(m_card.GetDisplayPhone()))
        usual->setChecked(true);
    const int category = m_category->findData(m_card.GetCategoryID());
    m_category->setCurrentIndex(category < 0 ? 0 : category);
    m_private->setChecked(m_card.GetIsPrivate());
    showThumbnail();
    showSheet();
}

void CTavAddrEditDlg::showThumbnail()
{
    QPixmap picture;
    if (!m_picture.GetThumbData().isEmpty() && picture.loadFromData(m_picture.GetThumbData())) {
        const int inner = kThumbWell - 2 * m_thumbWell->frameWidth();
        if (picture.width() > inner || picture.height() > inner)
            picture = picture.scaled(inner, inner, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        m_thumbWell->setPixmap(picture);
    } else {
        m_thumbWell->setText(QStringLiteral("写真なし"));
    }
    m_thumbWell->setToolTip(m_picture.GetThumbName());
    m_thumbClear->setEnabled(!m_picture.GetThumbData().isEmpty() || !m_picture.GetThumbName().isEmpty());
}

void CTavAddrEditDlg::showSheet()
{
    m_sheetLabel->setText(m_sheet.isEmpty() ? QStringLiteral("(なし)") : m_sheet);
    m_sheetUnlink->setEnabled(!m_sheet.isEmpty());
}

void CTavAddrEditDlg::pickThumbnail()
{
    if (CTavAddrThumbChooser::Choose(this, m_picture))
        showThumbnail();
}

void CTavAddrEditDlg::clearThumbnail()
{
    m_picture.SetThumbName(QString());
    m_picture.SetThumbData(QByteArray());
    m_picture.SetDummyThumb(0);
    showThumbnail();
}

void CTavAddrEditDlg::pickSheet()
{
    if (const std::optional<QString> sheet = CTavSheetLink::Choose(m_app, m_sheet, this)) {
        m_sheet = *sheet;
        showSheet();
    }
}

void CTavAddrEditDlg::unlinkSheet()
{
    m_sheet.clear();
    showSheet();
}

void CTavAddrEditDlg::CheckSheetLink()
{
    if (CTavSheetLink::Exists(m_app, m_sheet))
        return;
    if (m_app.ShowMessage(this, kSheetMissing, QString(), TavMsg::YesNo | TavMsg::IconQuestion) ==
        TavMsg::IdYes)
        unlinkSheet();
}

int CTavAddrEditDlg::exec()
{
    CheckSheetLink();
    return CTavDialogBase::exec();
}

CTavDbAddrRecord CTavAddrEditDlg::collect() const
{
    CTavDbAddrRecord card = m_card;
    for (int f = 0; f < CTavDbAddrRecord::FieldCount; ++f)
        if (m_edits[f])
            card.SetField(static_cast<Field>(f), m_edits[f]->text());
    card.SetNote(m_note->toPlainText());
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot)
        card.SetPhoneLabelID(slot, m_phoneLabels[slot]->currentIndex());
    card.SetDisplayPhone(qMax(m_usualGroup->checkedId(), 0));
    card.SetCategoryID(m_category->currentData().toUInt());
    card.SetPrivate(m_private->isChecked());
    card.SetQuilloName(m_sheet);
    card.SetThumbName(m_picture.GetThumbName());
    card.SetThumbData(m_picture.GetThumbData());
    card.SetDummyThumb(m_picture.GetDummyThumb());
    return card;
}

bool CTavAddrEditDlg::check(const CTavDbAddrRecord& card)
{
    for (const LengthCheck& c : kLengthChecks) {
        if (CTavDbText::mbLength(card.GetField(c.field)) <= CTavDbAddrRecord::MaxBytes(c.field))
            continue;
        m_app.ShowMessage(this, QString::fromUtf16(c.message), QString(), TavMsg::IconExclamation);
        QWidget* edit = m_edits[c.field] ? static_cast<QWidget*>(m_edits[c.field]) : m_note;
        edit->setFocus();
        if (m_edits[c.field])
            m_edits[c.field]->selectAll();
        return false;
    }
    if (card.IsEmpty()) {
        m_app.ShowMessage(this,
                          QStringLiteral("アドレスには、1フィールド以上のデータを入力する必要があります。"),
                          QString(), TavMsg::IconExclamation);
        m_edits[CTavDbAddrRecord::LastName]->setFocus();
        return false;
    }
    return true;
}

void CTavAddrEditDlg::finish(Save mode)
{
    const CTavDbAddrRecord card = collect();
    if (!check(card))
        return;
    m_card = card;
    m_save = mode;
    CTavDialogBase::accept();
}

void CTavAddrEditDlg::accept()
{
    finish(m_isNew ? Save::AddNew : Save::Update);
}
