#include "CTavCategoryDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavCategoryDeleteDlg.h"
#include "CTavCategoryNameDlg.h"
#include "CTavHelp.h"
#include "CTavModuleDoc.h"
#include "CTavStoreCategorySource.h"
#include "TavShowMessage.h"

namespace {
const QString kTooMany = QStringLiteral("カテゴリは最大15種類まで設定できます。");
const QString kDuplicate = QStringLiteral("同じ名前のカテゴリが既にあります。");
constexpr int kIdRole = Qt::UserRole;

QPushButton* makeButton(const QString& text, int id, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setProperty("controlId", id);
    button->setAutoDefault(false);
    return button;
}
} // namespace

CTavCategoryDlg::CTavCategoryDlg(CTavCategorySource& source, QWidget* parent)
    : CTavDialogBase(parent), m_source(source), m_list(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("[%1] カテゴリの編集").arg(KindName(source.GetKind())));
    m_list->setObjectName(QStringLiteral("categoryList"));
    m_list->setProperty("controlId", 1096);
    m_list->setMinimumSize(200, 220);
    QPushButton* add = makeButton(QStringLiteral("新規"), 1097, "newButton", this);
    QPushButton* remove = makeButton(QStringLiteral("削除"), 1098, "deleteButton", this);
    QPushButton* rename = makeButton(QStringLiteral("名前の変更"), 1099, "renameButton", this);
    QPushButton* help = makeButton(QStringLiteral("ヘルプ"), 1100, "helpButton", this);
    connect(add, &QPushButton::clicked, this, &CTavCategoryDlg::OnNew);
    connect(remove, &QPushButton::clicked, this, &CTavCategoryDlg::OnDelete);
    connect(rename, &QPushButton::clicked, this, &CTavCategoryDlg::OnRename);
    connect(help, &QPushButton::clicked, this, [] { CTavHelp::ShowHelp(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CTavCategoryDlg::OnRename);
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(ok, &QDialogButtonBox::accepted, this, &CTavCategoryDlg::accept);

    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(remove);
    side->addWidget(rename);
    side->addStretch();
    side->addWidget(help);
    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(ok);
    refresh(QString());
}

QString CTavCategoryDlg::KindName(CTavCategorySource::Kind kind)
{
    switch (kind) {
    case CTavCategorySource::Address:
        return QStringLiteral("アドレス帳");
    case CTavCategorySource::MemoPad:
        return QStringLiteral("メモ帳");
    case CTavCategorySource::Todo:
        return QStringLiteral("To Do");
    case CTavCategorySource::FreeMemo:
        return QStringLiteral("手書きメモ");
    }
    return QString();
}

void CTavCategoryDlg::refresh(const QString& select)
{
    m_list->clear();
    const QList<CTavDbCategory> categories = m_source.Categories();
    for (qsizetype i = 1; i < categories.size(); ++i) {
        auto* item = new QListWidgetItem(categories.at(i).GetName(), m_list);
        item->setData(kIdRole, categories.at(i).GetID());
        if (categories.at(i).GetName() == select)
            m_list->setCurrentItem(item);
    }
}

QString CTavCategoryDlg::selectedName() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

uint32_t CTavCategoryDlg::selectedId() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(kIdRole).toUInt() : 0;
}

bool CTavCategoryDlg::checkStatus(TavStatus status, const QString& caption)
{
    if (status == TavStatusCode::CategoryLimit) {
        TavShowMessage(this, kTooMany, caption, TavMsg::IconExclamation);
        return false;
    }
    if (status == TavStatusCode::Duplicate) {
        TavShowMessage(this, kDuplicate, caption, TavMsg::IconExclamation);
        return false;
    }
    return status == TavStatusCode::Ok;
}

void CTavCategoryDlg::OnNew()
{
    if (m_list->count() >= kMaxListed) {
        TavShowMessage(this, kTooMany, QStringLiteral("新規カテゴリ"), TavMsg::IconExclamation);
        return;
    }
    CTavCategoryNameDlg dlg(CTavCategoryNameDlg::New, QString(), this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    if (!checkStatus(m_source.Add(dlg.Name()), QString()))
        return;
    m_source.Save();
    refresh(dlg.Name());
}

void CTavCategoryDlg::OnRename()
{
    const QString old = selectedName();
    if (old.isEmpty()) {
        TavShowMessage(this, QStringLiteral("名前を変更する前にカテゴリを選択してください。"));
        return;
    }
    CTavCategoryNameDlg dlg(CTavCategoryNameDlg::Rename, old, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    QString shown = old;
    // Only a name that differs byte for byte is a change.
    if (dlg.Name().toUtf8() != old.toUtf8() &&
        checkStatus(m_source.Rename(selectedId(), dlg.Name()), QString()))
        shown = dlg.Name();
    m_source.Save();
    refresh(shown);
}

void CTavCategoryDlg::OnDelete()
{
    const QString name = selectedName();
    if (name.isEmpty()) {
        TavShowMessage(this, QStringLiteral("削除する前にカテゴリを選択してください。"));
        return;
    }
    CTavCategoryDeleteDlg dlg(name, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_source.Remove(selectedId(), dlg.DeleteAll());
    m_source.Save();
    refresh(QString());
}

void CTavCategoryDlg::accept()
{
    m_result = selectedName();
    CTavDialogBase::accept();
}

void CTavCategoryDlg::EditAsUndoStep(CTavModuleDoc& doc, CTavDbStoreBase& store,
                                     CTavCategorySource::Kind kind, QWidget* parent)
{
    CTavStoreCategorySource source(store, kind);
    CTavCategoryDlg dlg(source, parent);
    doc.RunEdit(store, QStringLiteral("カテゴリの編集"), [&dlg] {
        dlg.exec();
        return TavStatus(TavStatusCode::Ok);
    });
}
