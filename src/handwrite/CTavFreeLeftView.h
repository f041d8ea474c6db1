#pragma once

#include "CTavListView.h"

class CTavFreeDoc;

// The sheet list: one row per listed sheet with its small thumbnail, title, schedule date,
// alarm mark, file size, update time and category, in the columns the user chose.
class CTavFreeLeftView final : public CTavListView
{
    Q_OBJECT
public:
    // The column kinds are the columns' code letters.
    enum Kind
    {
        KindThumbnail = 'P',
        KindTitle = 'Q',
        KindEventTime = 'R',
        KindAlarm = 'S',
        KindSize = 'T',
        KindCategory = 'U',
        KindModified = 'V',
        // Closes the header row after the last column; never stored or offered in the chooser.
        KindFiller = 0
    };
    static constexpr int kFillerWidth = 3000;
    static inline const QString kSectionFormat = QStringLiteral("free%1");
    static constexpr int kRowHeight = 28;

    explicit CTavFreeLeftView(CTavFreeDoc* document, QWidget* parent = nullptr);

    static QList<CTavListColumn> DefaultColumns();
    // "date hh:mm:ss" of calendar seconds, the date in the short Japanese form; empty for 0.
    static QString DateText(qint64 t);
    static QString SizeText(qint64 bytes);
    // The text a cell shows (empty for the picture columns).
    QString CellText(int row, int kind) const;

    int RowCount() const override;
    // The paths of the selected rows, the current row first.
    QStringList SelectedPaths() const;
    // Selects the listed rows of these paths; the first listed one becomes current.
    void SelectPaths(const QStringList& paths);
    // The row the preview shows: the current row when selected, else the first selected row.
    int ShownRow() const;

    // The columns the user chose, without the filler, and setting them (the filler follows).
    CTavListColumnTable UserColumns() const;
    void SetUserColumns(const CTavListColumnTable& columns);

    void LoadColumns();
    void SaveColumns() const;
    void FollowProfile();

protected:
    void DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column, const QRect& cell,
                  bool selected) override;
    void DrawHeaderCell(QPainter& painter, const CTavListColumn& column, const QRect& cell) override;

private:
    CTavFreeDoc* m_doc;
    QString m_profilePath;
};
