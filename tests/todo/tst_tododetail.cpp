#include <QTest>

#include "AppTestEnv.h"
#include "CTavDetailTextEdit.h"
#include "CTavRichText.h"
#include "CTavRichTextReader.h"
#include "CTavTodoDetailText.h"
#include "TodoListRow.h"

using Reader = CTavRichTextReader;

namespace {
TodoListRow plainRow()
{
    TodoListRow row;
    row.title = QStringLiteral("見積{A}\\B");
    row.note = QStringLiteral("一行目\n二行目\r\n{三}");
    row.priority = 3;
    row.categoryName = QStringLiteral("仕事");
    return row;
}

QByteArray bytes(const QString& rtf)
{
    return rtf.toLatin1();
}

QStringList lines(const QString& rtf)
{
    return Reader::PlainText(bytes(rtf)).split(u'\n');
}
} // namespace

// The detail text of a task as the pane reads it back.
class TestTodoDetail : public QObject
{
    Q_OBJECT
private slots:
    void textsShowLiterallyInTheirOrder()
    {
        const TodoListRow row = plainRow();
        const QString rtf = CTavTodoDetailText::Build(&row, false);
        // Plain ASCII, so any byte conversion of it reads the same.
        QVERIFY(std::all_of(rtf.begin(), rtf.end(), [](QChar c) { return c.unicode() < 0x80; }));
        QVERIFY(rtf.startsWith(QString::fromLatin1(CTavRichText::Header() + "\\fs28 \\deff \\b ")));
        QVERIFY(rtf.endsWith(u'}'));
        // No completion line: the priority follows the dashes; no dates read "指定なし".
        const QString dashes(25, u'-');
        QCOMPARE(lines(rtf),
                 (QStringList{QStringLiteral("見積{A}\\B"), QString(), dashes + u' ',
                              QStringLiteral("優先度: \t3 "), QStringLiteral("開始:\t指定なし "),
                              QStringLiteral("期日:\t指定なし "), QStringLiteral("カテゴリ:\t仕事 "),
                              QString(), dashes, QStringLiteral("コメント: "), QStringLiteral("一行目"),
                              QStringLiteral("二行目"), QStringLiteral("{三}")}));
        const Reader::Run title = Reader::Parse(bytes(rtf)).first();
        QVERIFY(title.bold && title.halfPoints == 28);
    }

    void completedTaskWithDates()
    {
        TodoListRow row = plainRow();
        row.completed = true;
        row.start = CTavDbTime::fromDate(QDate(2026, 3, 1));
        row.due = CTavDbTime::fromDateAndTime(QDate(2026, 3, 20), QTime(23, 59, 59));
        // A character code page 932 cannot hold comes through as its Unicode escape.
        row.title = QStringLiteral("𠮷野家");
        const QStringList shown = lines(CTavTodoDetailText::Build(&row, false));
        QCOMPARE(shown.mid(0, 8),
                 (QStringList{QStringLiteral("𠮷野家"), QString(), QString(25, u'-') + u' ',
                              QStringLiteral("  完了 "), QString(), QStringLiteral("優先度: \t3 "),
                              QStringLiteral("開始:\t2026/03/01 "), QStringLiteral("期日:\t2026/03/20 ")}));
        QVERIFY(CTavTodoDetailText::FormatDate(maxDateTime).isEmpty());

        CTavDetailTextEdit pane;
        pane.resize(360, 420);
        pane.SetRichText(bytes(CTavTodoDetailText::Build(&row, false)));
        pane.show();
        QVERIFY(pane.toPlainText().contains(QStringLiteral("  完了 ")));
        AppTestEnv::Screenshot(&pane, QStringLiteral("todo-detail"));
    }

    void maskedAndEmptyPages()
    {
        TodoListRow row = plainRow();
        row.isPrivate = true;
        QCOMPARE(Reader::PlainText(bytes(CTavTodoDetailText::Build(&row, true))),
                 QStringLiteral("Private Data."));
        row.isPrivate = false;
        QCOMPARE(lines(CTavTodoDetailText::Build(&row, true)).first(), QStringLiteral("見積{A}\\B"));
        QCOMPARE(CTavTodoDetailText::Build(nullptr, false),
                 QString::fromLatin1(CTavRichText::Header() + "\\fs28 }"));
    }
};

QTEST_MAIN(TestTodoDetail)
#include "tst_tododetail.moc"
