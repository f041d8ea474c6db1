#include "CTavListColumnTable.h"

#include <QSet>
#include <algorithm>

#include "CTavProfile.h"

void CTavListColumnTable::Set(int n, const CTavListColumn& column)
{
    if (n >= 0 && n < Count())
        m_columns[n] = column;
}

void CTavListColumnTable::SetWidth(int n, int width)
{
    if (n >= 0 && n < Count())
        m_columns[n].width = std::clamp(width, kMinWidth, kMaxWidth);
}

void CTavListColumnTable::SetOption(int n, int option)
{
    if (n >= 0 && n < Count())
        m_columns[n].option = option;
}

int CTavListColumnTable::IndexOfKind(int kind) const
{
    for (int n = 0; n < Count(); ++n)
        if (m_columns.at(n).kind == kind)
            return n;
    return -1;
}

int CTavListColumnTable::TotalWidth() const
{
    int total = 0;
    for (const CTavListColumn& c : m_columns)
        total += c.width;
    return total;
}

int CTavListColumnTable::ShownWidth(int leftMargin, int spacing) const
{
    int x = leftMargin;
    for (const CTavListColumn& c : m_columns)
        if (c.shown)
            x += c.width + spacing;
    return x;
}

int CTavListColumnTable::ColumnLeft(int n, int leftMargin, int spacing) const
{
    if (n < 0 || n >= Count() || !m_columns.at(n).shown)
        return -1;
    int x = leftMargin;
    for (int i = 0; i < n; ++i)
        if (m_columns.at(i).shown)
            x += m_columns.at(i).width + spacing;
    return x;
}

int CTavListColumnTable::ColumnAt(int x, int leftMargin, int spacing) const
{
    int left = leftMargin;
    for (int n = 0; n < Count(); ++n) {
        const CTavListColumn& c = m_columns.at(n);
        if (!c.shown)
            continue;
        if (x >= left && x < left + c.width + spacing)
            return n;
        left += c.width + spacing;
    }
    return -1;
}

CTavListColumnTable CTavListColumnTable::Load(const QString& sectionFormat,
                                              const QList<CTavListColumn>& defaults)
{
    QList<CTavListColumn> columns;
    QSet<int> seen;
    for (int n = 0; n < defaults.size(); ++n) {
        const QString section = sectionFormat.arg(n);
        CTavListColumn c;
        c.kind = CTavProfile::GetProfileInt(section, QStringLiteral("disc"), -1);
        c.width = CTavProfile::GetProfileInt(section, QStringLiteral("width"), -1);
        c.title = CTavProfile::GetProfileString(section, QStringLiteral("title"), QString());
        c.shown = CTavProfile::GetProfileInt(section, QStringLiteral("output"), 1) != 0;
        c.option = CTavProfile::GetProfileInt(section, QStringLiteral("option"), 0);
        const auto known = std::find_if(defaults.begin(), defaults.end(),
                                        [&c](const CTavListColumn& d) { return d.kind == c.kind; });
        if (known == defaults.end() || seen.contains(c.kind) || c.width < kMinWidth || c.width > kMaxWidth)
            return CTavListColumnTable(defaults);
        seen.insert(c.kind);
        if (c.title.isEmpty())
            c.title = known->title;
        columns.append(c);
    }
    if (!columns.isEmpty() && (columns.first().kind != defaults.first().kind))
        return CTavListColumnTable(defaults);
    if (!columns.isEmpty())
        columns.first().shown = true;
    return CTavListColumnTable(columns);
}

void CTavListColumnTable::Save(const QString& sectionFormat) const
{
    for (int n = 0; n < Count(); ++n) {
        const CTavListColumn& c = m_columns.at(n);
        const QString section = sectionFormat.arg(n);
        CTavProfile::WriteProfileInt(section, QStringLiteral("disc"), c.kind);
        CTavProfile::WriteProfileInt(section, QStringLiteral("width"), c.width);
        CTavProfile::WriteProfileString(section, QStringLiteral("title"), c.title);
        CTavProfile::WriteProfileInt(section, QStringLiteral("output"), c.shown ? 1 : 0);
        CTavProfile::WriteProfileInt(section, QStringLiteral("option"), c.option);
    }
}
