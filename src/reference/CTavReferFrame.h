#pragma once

#include "CTavModuleFrame.h"

class CTavReferDoc;
class CTavReferLeftView;
class CTavReferRightView;
class QComboBox;
class QMenu;

// The reference window: the order box above, the list of reference sheets and the selected
// sheet, the view and delete buttons below.
class CTavReferFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    static inline const QString kItemName = QStringLiteral("便利情報");

    explicit CTavReferFrame(CTavReferDoc* document, QWidget* parent = nullptr);

    CTavReferDoc* ReferDoc() const { return m_doc; }
    CTavReferLeftView* LeftView() const { return m_left; }
    CTavReferRightView* RightView() const { return m_right; }
    QComboBox* SortBox() const { return m_sort; }

    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;
    QString HelpPage() const override { return QStringLiteral("handwrite.html"); }
    bool ShowFile(const QString& path) override;

    // Opens the selected sheet in the viewer; tells the user when not exactly one is selected.
    void OnView();
    // Deletes the selected sheets' files after asking, when the options ask for that.
    void OnDelete();
    void OnSort(int choice);

private:
    void onEntriesRebuilt();
    void onSelectionChanged();
    void showContextMenu(const QPoint& globalPos, int row);
    void noSelection();

    CTavReferDoc* m_doc;
    CTavReferLeftView* m_left;
    CTavReferRightView* m_right;
    QComboBox* m_sort = nullptr;
    QMenu* m_menu = nullptr;
};
