#pragma once

#include <QList>
#include <QString>

#include "CTavListColumn.h"

// The columns of a module list in display order, and their profile entries: one section per
// column index (the module's section name with %1 for the index, as "memo%1") with the keys "disc" (kind),
// "width", "title", "output" (1 = shown) and "option".
class CTavListColumnTable
{
public:
    static constexpr int kMinWidth = 8;
    static constexpr int kMaxWidth = 4000;

    CTavListColumnTable() = default;
    explicit CTavListColumnTable(QList<CTavListColumn> columns) : m_columns(std::move(columns)) {}

    int Count() const { return static_cast<int>(m_columns.size()); }
    const CTavListColumn& At(int n) const { return m_columns.at(n); }
    const QList<CTavListColumn>& Columns() const { return m_columns; }
    void Set(int n, const CTavListColumn& column);
    void SetWidth(int n, int width);
    void SetOption(int n, int option);
    int Kind(int n) const { return m_columns.at(n).kind; }
    // Index of the first column of a kind, -1 when there is none.
    int IndexOfKind(int kind) const;
    // The sum of the widths of all columns, shown or not.
    int TotalWidth() const;
    // The width the shown columns take with the left margin and the spacing after each.
    int ShownWidth(int leftMargin, int spacing) const;
    // The x of a column's left edge when the shown columns are walked from the left margin;
    // -1 for a hidden column.
    int ColumnLeft(int n, int leftMargin, int spacing) const;
    // The shown column at x, or -1.
    int ColumnAt(int x, int leftMargin, int spacing) const;

    // Reads the table; any missing, unknown or repeated entry gives the defaults back, so
    // that a damaged profile never loses a column. The first column stays first and shown.
    static CTavListColumnTable Load(const QString& sectionFormat, const QList<CTavListColumn>& defaults);
    void Save(const QString& sectionFormat) const;

    bool operator==(const CTavListColumnTable&) const = default;

private:
    QList<CTavListColumn> m_columns;
};
