#include "HsOperationWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "HsSettings.h"

HsOperationWindow::HsOperationWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title());
    HsSettings settings;

    auto* intro = new QLabel(QStringLiteral("ハンドヘルドの HotSync ボタンが押されたときの、\n"
                                            "アプリケーションごとの動作を選んでください。"));

    auto* group = new QGroupBox(QStringLiteral("アプリケーション"));
    auto* form = new QFormLayout(group);
    const QStringList actions{
        QStringLiteral("データを同期する"), QStringLiteral("PC のデータでハンドヘルドを上書きする"),
        QStringLiteral("ハンドヘルドのデータで PC を上書きする"), QStringLiteral("何もしない")};
    for (int app = 0; app < HsSettings::kAppCount; ++app) {
        auto* box = new QComboBox;
        box->setObjectName(QStringLiteral("action_") + HsSettings::appKey(app));
        box->addItems(actions);
        box->setCurrentIndex(static_cast<int>(settings.action(app)));
        form->addRow(HsSettings::appTitle(app) + u':', box);
        m_actions.append(box);
    }

    m_showLog = new QCheckBox(QStringLiteral("HotSync の終了後にログを表示する(&L)"));
    m_showLog->setObjectName(QStringLiteral("showLog"));
    m_showLog->setChecked(settings.showLogAfterSync());

    m_error = new QLabel;
    m_error->setObjectName(QStringLiteral("error"));
    m_error->setStyleSheet(QStringLiteral("color: #b00000"));
    m_error->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &HsOperationWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &HsOperationWindow::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(group);
    layout->addWidget(m_showLog);
    layout->addWidget(m_error);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

QString HsOperationWindow::title()
{
    return QStringLiteral("HotSync 機能の動作設定");
}

void HsOperationWindow::accept()
{
    HsSettings settings;
    for (int app = 0; app < m_actions.size(); ++app)
        settings.setAction(app, static_cast<HsSettings::Action>(m_actions[app]->currentIndex()));
    settings.setShowLogAfterSync(m_showLog->isChecked());
    if (!settings.save()) {
        m_error->setText(QStringLiteral("設定を保存できませんでした。"));
        m_error->show();
        return;
    }
    QDialog::accept();
}
