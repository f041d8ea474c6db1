#pragma once

#include <QStyledItemDelegate>

// Draws a search result on one line: the record's name, the field that holds the text, and the
// text around the match with the match marked.
class CTavSearchHitDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // Item data of a result line.
    enum Role
    {
        TitleRole = Qt::UserRole + 1,
        FieldRole,
        SnippetRole,
        MatchStartRole,
        MatchLengthRole,
    };
    static constexpr int kMargin = 4;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
