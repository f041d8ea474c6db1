#pragma once

#include <QList>
#include <optional>

#include "CTavDbFreePrcObjectManager.h"
#include "CTavDialogBase.h"

class QLabel;
class QSpinBox;
class QToolButton;

// Seal choice ("シール選択"): the stock pictures of the resource store in a grid, a page at a
// time; pressing one chooses it.
class CTavFreeEditSealDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    static constexpr int MaxSeals = 50;
    static constexpr int Columns = 5;
    static constexpr int Rows = 4;

    CTavFreeEditSealDlg(CTavDbFreePrcObjectManager& resources, QWidget* parent = nullptr);

    const QList<CTavDbFreePrcObjectManager::ResourceRef>& Seals() const { return m_seals; }
    std::optional<CTavDbFreePrcObjectManager::ResourceRef> Chosen() const { return m_chosen; }
    QList<QToolButton*> Cells() const { return m_cells; }
    QSpinBox* PageSpin() const { return m_page; }

private:
    void showPage(int page);

    CTavDbFreePrcObjectManager& m_resources;
    QList<CTavDbFreePrcObjectManager::ResourceRef> m_seals;
    std::optional<CTavDbFreePrcObjectManager::ResourceRef> m_chosen;
    QList<QToolButton*> m_cells;
    QSpinBox* m_page;
    QLabel* m_empty;
};
