#pragma once

#include <QImage>
#include <QList>

#include "CTavDbFreePrcObjectManager.h"
#include "CTavDialogBase.h"

class QSpinBox;

// Shows every bitmap resource of the handheld's applications as a grid of pages; a click
// picks one, a double click picks it and closes.
class CTavScIconDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    struct Icon
    {
        CTavDbFreePrcObjectManager::ResourceRef ref;
        QImage image;
    };

    // current: the icon the event has (database name without extension, resource id).
    CTavScIconDlg(CTavDbFreePrcObjectManager& store, const QString& currentName, int currentId,
                  QWidget* parent = nullptr);

    const QList<Icon>& Icons() const { return m_icons; }
    int Selected() const { return m_selected; }
    void Select(int index);
    // The database name without folder and extension, and the id; id 0 when none is chosen.
    QString SelectedName() const;
    int SelectedId() const;
    QSpinBox* PageSpin() const { return m_page; }
    QWidget* GridWidget() const { return m_grid; }
    int IndexAt(const QPoint& point) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSize Cell() const;
    int PerPage() const;
    int Columns() const;
    void PaintGrid();

    QList<Icon> m_icons;
    QSize m_largest{16, 16};
    int m_selected = -1;
    int m_initial = -1;
    QWidget* m_grid;
    QSpinBox* m_page;
};
