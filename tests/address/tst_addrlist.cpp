#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "AddrFixture.h"
#include "CTavAddrCommands.h"
#include "CTavAddrTabBar.h"
#include "CTavColumnDlg.h"
#include "CTavOptions.h"
#include "CTavProfile.h"
#include "CTavRecordDeleteDlg.h"
#include "TavAddrCommandIds.h"

namespace {
void choose(QComboBox* box, const QString& text)
{
    box->setCurrentIndex(box->findText(text));
    emit box->activated(box->currentIndex());
}

int press(CTavDialogBase& d, bool ok)
{
    if (ok)
        d.accept();
    else
        d.reject();
    return d.result();
}
} // namespace

// The address list: tabs, order, filter, search, the row texts, selection and keys, delete,
// the record clipboard, the category cell, the column dialog and e-mail.
class TestAddrList : public QObject
{
    Q_OBJECT
    AddrFixture m_f;

private slots:
    void init() { m_f.Start(); }
    void cleanup()
    {
        m_f.Stop();
        CTavOptions::instance().Reset();
    }

    void indexTabs()
    {
        // Nothing saved: all cards, the name order, all categories, the default columns.
        QCOMPARE(m_f.Doc().Count(), AddrFixture::kCardCount);
        QCOMPARE(m_f.Doc().Tab(), CTavAddrDoc::kTabAll);
        QCOMPARE(m_f.List().TabBar()->Pressed(), CTavAddrDoc::kTabAll);
        QCOMPARE(m_f.Doc().SortMode(), 0);
        QCOMPARE(m_f.Doc().CategoryFilter(), CTavAddrDoc::kAllCategories);
        QCOMPARE(m_f.List().Columns().Columns(), CTavAddrLeftView::DefaultColumns());

        // "か": a voiced reading (ガツマ) and a name without reading (きむら) file under it.
        m_f.List().TabBar()->Button(1)->click();
        QVERIFY(m_f.RowOf(QStringLiteral("我妻")) >= 0);
        QVERIFY(m_f.RowOf(QStringLiteral("きむら")) >= 0);
        QCOMPARE(m_f.RowOf(QStringLiteral("秘密")), -1);
        const QStringList ka = m_f.Listed();
        m_f.List().TabBar()->Button(1)->click(); // pressed again: the same list
        QCOMPARE(m_f.Listed(), ka);
        // A card added under one tab is there under every tab that holds it, and goes with undo.
        m_f.SelectNames({QStringLiteral("我妻")});
        m_f.Frame().Trigger(TavAddrCmd::Copy);
        m_f.Frame().Trigger(TavAddrCmd::Paste);
        QCOMPARE(m_f.Doc().Count(), ka.size() + 1);
        m_f.Frame().PressTab(CTavAddrDoc::kTabAll);
        QCOMPARE(m_f.Doc().Count(), AddrFixture::kCardCount + 1);
        m_f.Frame().PressTab(1);
        m_f.Doc().UndoStack().undo();
        QCOMPARE(m_f.Listed(), ka);
        m_f.Frame().PressTab(CTavAddrDoc::kTabAll);
        QCOMPARE(m_f.Doc().Count(), AddrFixture::kCardCount);
        m_f.Frame().PressTab(1);
        // "A1": Latin names and a card known by its company "1st Office" only.
        m_f.Frame().PressTab(9);
        const QStringList other = m_f.Listed();
        QVERIFY(other.contains(QStringLiteral("1st Office")) && other.contains(QStringLiteral("Smith John")));
        QVERIFY(!other.contains(QStringLiteral("我妻 太郎")));
        QCOMPARE(CTavProfile::GetProfileInt(CTavAddrDoc::kSection, QStringLiteral("aTab"), -1), 9);
        m_f.Restart();
        QCOMPARE(m_f.Doc().Tab(), 9);
        QCOMPARE(m_f.List().TabBar()->Pressed(), 9);
        QCOMPARE(m_f.Listed(), other);
        m_f.Frame().PressTab(42); // out of range: all
        QCOMPARE(m_f.Doc().Count(), AddrFixture::kCardCount);
    }

    void orderFilterAndSearch()
    {
        // Readings decide: ガツマ before サ行 before ハナコ in the name order.
        QStringList listed = m_f.Listed();
        QVERIFY(listed.indexOf(QStringLiteral("我妻 太郎")) < listed.indexOf(QStringLiteral("ハナコ")));
        choose(m_f.Frame().SortBox(), QStringLiteral("会社、姓"));
        QCOMPARE(m_f.Store().GetSortCond().GetKey(), int(CTavDbAddr::kSortCompany));
        QVERIFY(m_f.Listed() != listed);
        // The company order keeps the people of one company together.
        QList<int> aoba;
        for (int i = 0; i < m_f.Doc().Count(); ++i)
            if (m_f.Doc().Row(i)->company == QStringLiteral("青葉商会"))
                aoba << i;
        QVERIFY(aoba.size() >= 2);
        QCOMPARE(aoba.last() - aoba.first(), aoba.size() - 1);
        QVERIFY(m_f.Frame().Action(TavAddrCmd::SortCompany)->isChecked());
        QCOMPARE(CTavProfile::GetProfileInt(CTavAddrDoc::kSection, QStringLiteral("dispSort"), -1), 1);
        m_f.Frame().Trigger(TavAddrCmd::SortName);
        QCOMPARE(m_f.Doc().SortMode(), 0);

        choose(m_f.Frame().CategoryBox(), QStringLiteral("取引先"));
        QVERIFY(m_f.Doc().Count() > 0);
        for (const CTavAddrListRow& r : m_f.Doc().Rows())
            QCOMPARE(r.categoryName, QStringLiteral("取引先"));
        const int filtered = m_f.Doc().Count();
        m_f.Restart();
        QCOMPARE(m_f.Frame().CategoryBox()->currentText(), QStringLiteral("取引先"));
        QCOMPARE(m_f.Doc().Count(), filtered);
        choose(m_f.Frame().CategoryBox(), QStringLiteral("すべて"));
        QCOMPARE(CTavProfile::GetProfileInt(CTavAddrDoc::kSection, QStringLiteral("dispCategory"), -1), 99);

        // The search narrows the list to the matches and shows the first; empty brings all back.
        m_f.Frame().SearchBox()->setText(QStringLiteral("TARO.HOME"));
        QCOMPARE(m_f.Listed(), QStringList{QStringLiteral("我妻 太郎")});
        QCOMPARE(m_f.Frame().RightView()->Index(), 0);
        QVERIFY(m_f.DetailText().contains(QStringLiteral("taro.home@example.jp")));
        m_f.Frame().SearchBox()->setText(QStringLiteral("該当なし"));
        QCOMPARE(m_f.Doc().Count(), 0);
        QVERIFY(m_f.DetailText().isEmpty());
        m_f.Frame().SearchBox()->clear();
        QCOMPARE(m_f.Doc().Count(), AddrFixture::kCardCount);
    }

    void rowTexts()
    {
        const CTavAddrListRow* gatsuma = m_f.Doc().Row(m_f.RowOf(QStringLiteral("我妻")));
        QCOMPARE(gatsuma->DisplayName(), QStringLiteral("我妻 太郎"));
        QCOMPARE(gatsuma->usualContact, QStringLiteral("03-1111-2222")); // no usual contact: phone 1
        QVERIFY(m_f.RowOf(QStringLiteral("ハナコ")) >= 0);               // no leading blank
        QCOMPARE(CTavAddrListRow::DisplayName(QString(), QStringLiteral("花子")), QStringLiteral("花子"));
        QCOMPARE(CTavAddrListRow::DisplayName(QStringLiteral("山田"), QString()), QStringLiteral("山田"));
        // The test data's second card has its usual contact in slot 3.
        const CTavAddrListRow* yamazaki = m_f.Doc().Row(m_f.RowOf(QStringLiteral("山崎 葵")));
        QCOMPARE(yamazaki->usualContact, QStringLiteral("aoi.yamazaki507@example.co.jp"));
    }

    void enterAndDoubleClick()
    {
        CTavAddrLeftView& list = m_f.List();
        m_f.SelectNames({QStringLiteral("我妻"), QStringLiteral("Smith")});
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Return);
        QVERIFY(m_f.Env().DialogTitles().isEmpty());
        m_f.ClickRow(m_f.RowOf(QStringLiteral("Smith")));
        m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(m_f.Env().DialogTitles(), QStringList{QStringLiteral("アドレス編集ダイアログ")});
        m_f.Env().AnswerDialog(AppTestEnv::PressCancel());
        const int row = m_f.RowOf(QStringLiteral("我妻"));
        const int y = CTavListView::kHeaderHeight + (row - list.TopRow()) * list.RowHeight() + 3;
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(80, y));
        QCOMPARE(m_f.Env().DialogTitles().size(), 2);
        QCOMPARE(list.ShownRow(), row);
        QCOMPARE(m_f.Store().GetRecordCount(), AddrFixture::kCardCount);
    }

    void deleteAndUndo()
    {
        CTavOptions::instance().SetCheckDelete(1);
        const QStringList names{QStringLiteral("我妻"), QStringLiteral("Smith"), QStringLiteral("ハナコ")};
        m_f.SelectNames(names);
        m_f.Env().AnswerDialog([](CTavDialogBase& d) { return press(d, false); });
        m_f.Frame().Trigger(TavAddrCmd::Delete);
        QCOMPARE(m_f.Env().DialogTitles(), QStringList{QStringLiteral("アドレスの削除")});
        QCOMPARE(m_f.Store().GetRecordCount(), AddrFixture::kCardCount);

        // The first card after the current one that stays is current afterwards.
        QList<uint32_t> gone;
        for (const QString& name : names)
            gone << m_f.CardOf(name)->GetUniqueId();
        uint32_t next = 0;
        for (int row = m_f.List().Selection().Current(); row < m_f.Doc().Count() && !next; ++row)
            if (!gone.contains(m_f.Doc().Card(row)->GetUniqueId()))
                next = m_f.Doc().Card(row)->GetUniqueId();
        bool backupOffered = true;
        m_f.Env().AnswerDialog([&backupOffered](CTavDialogBase& d) {
            auto& dlg = static_cast<CTavRecordDeleteDlg&>(d);
            backupOffered = dlg.BackupBox()->isChecked();
            dlg.BackupBox()->setChecked(true);
            return press(d, true);
        });
        QTest::keyClick(&m_f.List(), Qt::Key_Delete);
        QCOMPARE(backupOffered, CTavOptions::instance().CheckBackup() != 0);
        QCOMPARE(m_f.Store().GetRecordCount(), AddrFixture::kCardCount - 3);
        for (const QString& name : names)
            QCOMPARE(m_f.RowOf(name), -1);
        QVERIFY(m_f.List().Selection().SelectedCount() == 1);
        QCOMPARE(m_f.Doc().Card(m_f.List().Selection().Current())->GetUniqueId(), next);

        m_f.Doc().UndoStack().undo();
        QCOMPARE(m_f.Store().GetRecordCount(), AddrFixture::kCardCount);
        QCOMPARE(m_f.Doc().Count(), AddrFixture::kCardCount);

        // With a backup file open the question is a message, and nothing is kept in a backup.
        m_f.App().setBackupFileOpen(1);
        m_f.SelectNames({QStringLiteral("Smith")});
        m_f.Env().AnswerMessage(TavMsg::IdCancel);
        m_f.Frame().Trigger(TavAddrCmd::Delete);
        QCOMPARE(m_f.Env().Messages().last(), QStringLiteral("選択されたアドレスを削除しますか？"));
        QCOMPARE(m_f.Store().GetRecordCount(), AddrFixture::kCardCount);
        m_f.App().setBackupFileOpen(0);
    }

    void clipboardAndLimit()
    {
        m_f.SelectNames({QStringLiteral("我妻"), QStringLiteral("Smith")});
        m_f.Frame().Trigger(TavAddrCmd::Copy);
        QCOMPARE(m_f.Doc().ClipboardCards().size(), 2);
        m_f.Frame().Trigger(TavAddrCmd::Paste);
        QCOMPARE(m_f.Store().GetRecordCount(), AddrFixture::kCardCount + 2);
        QCOMPARE(m_f.List().Selection().SelectedCount(), 2); // the pasted cards
        m_f.Doc().UndoStack().undo();
        QCOMPARE(m_f.Store().GetRecordCount(), AddrFixture::kCardCount);

        // Cut asks as Delete does: cancelled, the card stays but is on the clipboard.
        CTavOptions::instance().SetCheckDelete(1);
        m_f.SelectNames({QStringLiteral("ハナコ")});
        m_f.Env().AnswerDialog([](CTavDialogBase& d) { return press(d, false); });
        m_f.Frame().Trigger(TavAddrCmd::Cut);
        QVERIFY(m_f.RowOf(QStringLiteral("ハナコ")) >= 0);
        QCOMPARE(m_f.Doc().ClipboardCards().size(), 1);
        // Confirmed: gone from the list, pasted back in one step.
        m_f.Env().AnswerDialog([](CTavDialogBase& d) { return press(d, true); });
        m_f.Frame().Trigger(TavAddrCmd::Cut);
        QCOMPARE(m_f.RowOf(QStringLiteral("ハナコ")), -1);
        m_f.Frame().Trigger(TavAddrCmd::Paste);
        QVERIFY(m_f.RowOf(QStringLiteral("ハナコ")) >= 0);

        // A paste that would reach the record limit is refused, and the clipboard kept.
        const int count = m_f.Store().GetRecordCount();
        QList<CTavDbAddrRecord> many(CTavDbAddr::kMaxRecords - count, *m_f.CardOf(QStringLiteral("Smith")));
        m_f.Doc().SetClipboard(many, {});
        m_f.Env().AnswerMessage(TavMsg::IdOk);
        m_f.Frame().Trigger(TavAddrCmd::Paste);
        QCOMPARE(m_f.Env().Messages().last(), CTavAddrCommands::RecordLimitMessage());
        QVERIFY(m_f.Env().Messages().last().contains(QStringLiteral("Lumora は新規を実行できません")));
        QCOMPARE(m_f.Store().GetRecordCount(), count);
        QCOMPARE(m_f.Doc().ClipboardCards().size(), many.size());
    }

    void categoryCell()
    {
        const QStringList names{QStringLiteral("我妻"), QStringLiteral("ハナコ"), QStringLiteral("1st")};
        // A click on a category cell offers the categories.
        const int categoryX = m_f.List().Columns().ColumnLeft(4, 0, 0) + 10;
        m_f.ClickRow(m_f.RowOf(QStringLiteral("我妻")), Qt::NoModifier, categoryX);
        QTRY_VERIFY(m_f.Frame().Commands().CategoryMenu() &&
                    m_f.Frame().Commands().CategoryMenu()->isVisible());
        m_f.Frame().Commands().CategoryMenu()->hide();
        // Two or more selected: every one of them gets the chosen category, in one step.
        m_f.SelectNames(names);
        m_f.Frame().Commands().ShowCategoryMenu(QPoint(10, 10));
        QMenu* menu = m_f.Frame().Commands().CategoryMenu();
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), m_f.Store().GetCategoryCount());
        menu->actions()
            .at(m_f.Store().GetCategories().indexOf(*m_f.Store().FindCategoryByName(QStringLiteral("友人"))))
            ->trigger();
        for (const QString& name : names)
            QCOMPARE(m_f.CardOf(name)->GetCategoryID(), m_f.CategoryId(QStringLiteral("友人")));
        QCOMPARE(m_f.List().Selection().SelectedCount(), 3);
        m_f.Doc().UndoStack().undo();
        for (const QString& name : names)
            QVERIFY(m_f.CardOf(name)->GetCategoryID() != m_f.CategoryId(QStringLiteral("友人")));
    }

    void columnDialog()
    {
        m_f.Env().AnswerDialog([](CTavDialogBase& d) {
            auto& dlg = static_cast<CTavColumnDlg&>(d);
            QListWidget* list = dlg.List();
            list->item(0)->setCheckState(Qt::Unchecked); // not its to change
            list->setCurrentRow(0);
            dlg.MoveDown();
            list->setCurrentRow(1);
            dlg.MoveUp(); // the second entry cannot go above the first
            list->setCurrentRow(2);
            dlg.MoveUp(); // company before name
            list->item(7)->setCheckState(Qt::Unchecked);
            d.accept();
            return d.result();
        });
        m_f.Frame().Trigger(TavAddrCmd::Columns);
        const CTavListColumnTable columns = m_f.List().Columns();
        QCOMPARE(columns.Kind(0), int(CTavAddrLeftView::KindThumb));
        QVERIFY(columns.At(0).shown);
        QCOMPARE(columns.Kind(1), int(CTavAddrLeftView::KindCompany));
        QCOMPARE(columns.Kind(2), int(CTavAddrLeftView::KindName));
        QVERIFY(!columns.At(7).shown);
        m_f.Restart();
        QCOMPARE(m_f.List().Columns(), columns);
        QCOMPARE(CTavProfile::GetProfileInt(QStringLiteral("address1"), QStringLiteral("disc"), -1),
                 int(CTavAddrLeftView::KindCompany));
    }

    void mail()
    {
        // Every e-mail slot of every selected card, in list order (Latin before kana) and slot
        // order, as written.
        m_f.SelectNames({QStringLiteral("我妻"), QStringLiteral("Smith")});
        m_f.Frame().Trigger(TavAddrCmd::Mail);
        QCOMPARE(m_f.MailUrls(),
                 QStringList{QStringLiteral(
                     "mailto:?to=john@example.com&to=taro@example.jp&to=taro.home@example.jp")});
        m_f.SelectNames({QStringLiteral("Smith")});
        m_f.Frame().Trigger(TavAddrCmd::Mail);
        QCOMPARE(m_f.MailUrls().last(), QStringLiteral("mailto:?to=john@example.com"));
        // Without an e-mail address on the current card there is nothing to write to.
        m_f.SelectNames({QStringLiteral("Smith"), QStringLiteral("ハナコ")});
        m_f.Frame().UpdateCommandUI();
        QVERIFY(!m_f.Frame().Action(TavAddrCmd::Mail)->isEnabled());
        QCOMPARE(m_f.MailUrls().size(), 2);
    }
};

QTEST_MAIN(TestAddrList)
#include "tst_addrlist.moc"
