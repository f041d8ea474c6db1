#pragma once

#include "CTavListView.h"

class CTavReferDoc;

// The reference list: each sheet's thumbnail and title, rows tall enough for the thumbnail.
class CTavReferLeftView final : public CTavListView
{
    Q_OBJECT
public:
    enum Kind
    {
        KindThumbnail = 1,
        KindTitle = 2
    };
    static constexpr int kRowHeight = 40;

    explicit CTavReferLeftView(CTavReferDoc* document, QWidget* parent = nullptr);

    static QList<CTavListColumn> DefaultColumns();
    int RowCount() const override;
    // The row the preview shows: the current row when selected, else the first selected.
    int ShownRow() const;
    // The files of the selected rows.
    QStringList SelectedPaths() const;

protected:
    void DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column, const QRect& cell,
                  bool selected) override;

private:
    CTavReferDoc* m_doc;
};
