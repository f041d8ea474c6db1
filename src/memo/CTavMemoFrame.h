#pragma once

#include "CTavModuleFrame.h"

class CTavMemoDoc;
class QComboBox;

class CTavMemoFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    explicit CTavMemoFrame(CTavMemoDoc* document, QWidget* parent = nullptr);

    QComboBox* CategoryBox() const { return m_category; }
    QComboBox* SortBox() const { return m_sort; }

private:
    QComboBox* m_category;
    QComboBox* m_sort;
};
