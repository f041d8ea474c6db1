#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "起動/接続設定": whether the manager starts with the session, and how the handheld is
// reached (local cradle, serial port or network).
class HsConnectionWindow final : public QDialog
{
    Q_OBJECT
public:
    explicit HsConnectionWindow(QWidget* parent = nullptr);

    static QString title();

    void accept() override;

private:
    void updateEnabled();

    QCheckBox* m_startAtLogin = nullptr;
    QButtonGroup* m_kind = nullptr;
    QComboBox* m_serialPort = nullptr;
    QComboBox* m_serialSpeed = nullptr;
    QLineEdit* m_host = nullptr;
    QSpinBox* m_port = nullptr;
    QLabel* m_error = nullptr;
};
