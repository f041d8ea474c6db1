#pragma once

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;

// "HotSync 機能の動作設定": what a HotSync does with each handheld application's data.
class HsOperationWindow final : public QDialog
{
    Q_OBJECT
public:
    explicit HsOperationWindow(QWidget* parent = nullptr);

    static QString title();

    void accept() override;

private:
    QList<QComboBox*> m_actions;
    QCheckBox* m_showLog = nullptr;
    QLabel* m_error = nullptr;
};
