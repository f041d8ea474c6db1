#include "HsConnectionWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "HsSettings.h"

HsConnectionWindow::HsConnectionWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title());
    HsSettings settings;

    auto* startGroup = new QGroupBox(QStringLiteral("起動"));
    m_startAtLogin = new QCheckBox(QStringLiteral("ログイン時に HotSync マネージャを起動する(&S)"));
    m_startAtLogin->setObjectName(QStringLiteral("startAtLogin"));
    m_startAtLogin->setChecked(settings.startAtLogin());
    (new QVBoxLayout(startGroup))->addWidget(m_startAtLogin);

    auto* connectionGroup = new QGroupBox(QStringLiteral("接続"));
    auto* form = new QFormLayout(connectionGroup);
    m_kind = new QButtonGroup(this);
    const QStringList kinds{QStringLiteral("ローカル (USB クレードル)(&L)"),
                            QStringLiteral("シリアル ポート(&R)"), QStringLiteral("ネットワーク(&N)")};
    for (int kind = 0; kind < kinds.size(); ++kind) {
        auto* radio = new QRadioButton(kinds[kind]);
        radio->setObjectName(QStringLiteral("kind_%1").arg(kind));
        m_kind->addButton(radio, kind);
        form->addRow(radio);
        if (kind == static_cast<int>(HsSettings::Connection::Serial)) {
            m_serialPort = new QComboBox;
            m_serialPort->setObjectName(QStringLiteral("serialPort"));
            m_serialPort->setEditable(true);
            m_serialPort->addItems({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyACM0"),
                                    QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")});
            m_serialPort->setCurrentText(settings.serialPort());
            m_serialSpeed = new QComboBox;
            m_serialSpeed->setObjectName(QStringLiteral("serialSpeed"));
            for (int speed : HsSettings::serialSpeeds())
                m_serialSpeed->addItem(QStringLiteral("%1 bps").arg(speed), speed);
            m_serialSpeed->setCurrentIndex(m_serialSpeed->findData(settings.serialSpeed()));
            form->addRow(QStringLiteral("    ポート:"), m_serialPort);
            form->addRow(QStringLiteral("    速度:"), m_serialSpeed);
        } else if (kind == static_cast<int>(HsSettings::Connection::Network)) {
            m_host = new QLineEdit(settings.networkHost());
            m_host->setObjectName(QStringLiteral("host"));
            m_host->setPlaceholderText(QStringLiteral("ホスト名または IP アドレス"));
            m_port = new QSpinBox;
            m_port->setObjectName(QStringLiteral("port"));
            m_port->setRange(1, 65535);
            m_port->setValue(settings.networkPort());
            form->addRow(QStringLiteral("    ホスト:"), m_host);
            form->addRow(QStringLiteral("    ポート番号:"), m_port);
        }
    }
    m_kind->button(static_cast<int>(settings.connection()))->setChecked(true);
    connect(m_kind, &QButtonGroup::idToggled, this, &HsConnectionWindow::updateEnabled);
    // A complaint about a field goes away as soon as the field is touched.
    connect(m_host, &QLineEdit::textEdited, this, [this] { m_error->hide(); });
    connect(m_serialPort, &QComboBox::currentTextChanged, this, [this] { m_error->hide(); });

    m_error = new QLabel;
    m_error->setObjectName(QStringLiteral("error"));
    m_error->setStyleSheet(QStringLiteral("color: #b00000"));
    m_error->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &HsConnectionWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &HsConnectionWindow::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(startGroup);
    layout->addWidget(connectionGroup);
    layout->addWidget(m_error);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    updateEnabled();
}

QString HsConnectionWindow::title()
{
    return QStringLiteral("起動/接続設定");
}

void HsConnectionWindow::updateEnabled()
{
    m_error->hide();
    const int kind = m_kind->checkedId();
    m_serialPort->setEnabled(kind == static_cast<int>(HsSettings::Connection::Serial));
    m_serialSpeed->setEnabled(kind == static_cast<int>(HsSettings::Connection::Serial));
    m_host->setEnabled(kind == static_cast<int>(HsSettings::Connection::Network));
    m_port->setEnabled(kind == static_cast<int>(HsSettings::Connection::Network));
}

void HsConnectionWindow::accept()
{
    const auto kind = static_cast<HsSettings::Connection>(m_kind->checkedId());
    QString error;
    if (kind == HsSettings::Connection::Serial && m_serialPort->currentText().trimmed().isEmpty())
        error = QStringLiteral("シリアル ポートを入力してください。");
    else if (kind == HsSettings::Connection::Network && m_host->text().trimmed().isEmpty())
        error = QStringLiteral("ホスト名を入力してください。");
    if (error.isEmpty()) {
        HsSettings settings;
        settings.setStartAtLogin(m_startAtLogin->isChecked());
        settings.setConnection(kind);
        settings.setSerialPort(m_serialPort->currentText().trimmed());
        settings.setSerialSpeed(m_serialSpeed->currentData().toInt());
        settings.setNetworkHost(m_host->text().trimmed());
        settings.setNetworkPort(m_port->value());
        if (settings.save()) {
            QDialog::accept();
            return;
        }
        error = QStringLiteral("設定を保存できませんでした。");
    }
    m_error->setText(error);
    m_error->show();
}
