#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QUndoStack>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbFileStreamWriter.h"
#include "CTavFrameActions.h"
#include "CTavMainFrame.h"
#include "CTavOptions.h"
#include "CTavReferDoc.h"
#include "CTavReferFrame.h"
#include "CTavReferLeftView.h"
#include "CTavReferPictureDlg.h"
#include "CTavReferRightView.h"
#include "CTavReferView.h"
#include "CTavReferViewDlg.h"
#include "TavCommandIds.h"
#include "TavReferCommandIds.h"
#include "TestSheets.h"

namespace {
const QString kNoneSelected = QStringLiteral("便利情報が選択されていません。");
const QString kSeveral = QStringLiteral("複数の便利情報が選択されています。一つの便利情報を選択して下さい。");
const QString kDeleteQuestion = QStringLiteral("選択された便利情報を削除します。よろしいですか？");
} // namespace

// The reference window over a folder of handheld reference sheets and other files.
class TestReferWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;

    CTavReferFrame& frame() { return *static_cast<CTavReferFrame*>(m_app->Frame(TavSlot::Reference)); }
    CTavReferDoc& doc() { return *frame().ReferDoc(); }
    QString folder() { return doc().Folder(); }
    QStringList titles()
    {
        QStringList shown;
        for (int i = 0; i < doc().Count(); ++i)
            shown << doc().Entry(i)->title;
        return shown;
    }
    void writeReference(const QString& file, const QString& title, const QString& picture = QString())
    {
        QVERIFY(TestSheets::write(folder() + u'/' + file, CTavDbFreePdbObjectManager::TypeReference, title,
                                  Qt::darkBlue, picture));
    }

private slots:
    void init()
    {
        QVERIFY(AppTestEnv::StartAt(QDateTime(QDate(2024, 11, 20), QTime(10, 30)), m_env, m_app));
        QVERIFY(QDir().mkpath(folder()));
        writeReference(QStringLiteral("b.pdb"), QStringLiteral("路線図"),
                       QStringLiteral("C:\\Kiro\\map.png"));
        writeReference(QStringLiteral("a.pdb"), QStringLiteral("あいさつ"));
        writeReference(QStringLiteral("c.pdb"), QStringLiteral("Zip codes"));
        // A memo sheet and a file that is no database at all share the folder.
        QVERIFY(TestSheets::write(folder() + QStringLiteral("/memo.pdb"),
                                  CTavDbFreePdbObjectManager::TypeSheet, QStringLiteral("手書き")));
        QFile junk(folder() + QStringLiteral("/junk.pdb"));
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a database") > 0);
        junk.close();
        m_app->MainFrame()->resize(1000, 700);
        m_app->SwitchModule(TavModule::Reference);
        frame().Update(0); // as after the HotSync that brought the files
        QCOMPARE(doc().Count(), 3);
    }
    void cleanup()
    {
        AppTestEnv::Finish(m_env, m_app);
        CTavOptions::instance().Reset();
    }

    // Only reference sheets are listed; both orders, from the box and from the commands.
    void listsReferenceSheetsInTitleOrder()
    {
        QCOMPARE(titles(), (QStringList{QStringLiteral("Zip codes"), QStringLiteral("あいさつ"),
                                        QStringLiteral("路線図")}));
        QCOMPARE(frame().SortBox()->currentIndex(), 0);
        frame().LeftView()->SelectRow(2);
        QCOMPARE(frame().RightView()->TitleLabel()->text(), QStringLiteral("路線図"));
        QVERIFY(!doc().Entry(2)->thumbnail.isNull());
        AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("reference-list"));

        frame().SortBox()->setCurrentIndex(1);
        emit frame().SortBox()->activated(1);
        QCOMPARE(titles().first(), QStringLiteral("路線図"));
        QCOMPARE(titles().last(), QStringLiteral("Zip codes"));
        QVERIFY(frame().Action(TavReferCmd::SortDescending)->isChecked());
        frame().Trigger(TavReferCmd::SortAscending);
        QCOMPARE(titles().first(), QStringLiteral("Zip codes"));
        QCOMPARE(frame().SortBox()->currentIndex(), 0);
    }

    // View wants exactly one sheet; the viewer draws it at twice its size, selects what is
    // clicked and shows a picture of the sheet on a double click.
    void viewOneSheet()
    {
        frame().Trigger(TavReferCmd::View);
        frame().LeftView()->SelectRows({0, 1});
        frame().Trigger(TavReferCmd::View);
        QCOMPARE(m_env->Messages(), (QStringList{kNoneSelected, kSeveral}));
        QVERIFY(m_env->DialogTitles().isEmpty());
        QCOMPARE(m_app->readyForSync(), 1);

        QImage map(120, 80, QImage::Format_RGB32);
        map.fill(Qt::yellow);
        // Only the handheld's copy of the picture is there.
        const QString png = m_env->Dir().filePath(QStringLiteral("map.png"));
        QVERIFY(map.save(png));
        QCOMPARE(CTavDbFileStreamWriter::Write(png, folder() + QStringLiteral("/map.png.pdb"),
                                               CTavDbFileStreamWriter::Kind::Picture),
                 TavStatusCode::Ok);
        int pictures = 0;
        int checks = -1; // which check in the viewer failed, 0 for none
        m_env->AnswerDialog([&](CTavDialogBase& d) {
            auto* viewer = qobject_cast<CTavReferViewDlg*>(&d);
            if (!viewer)
                return checks = 1;
            CTavReferView* view = viewer->View();
            if (view->EffectiveScale() != 2.0 || view->PageRect().size() != QSize(600, 788))
                return checks = 2;
            m_env->AnswerDialog([&](CTavDialogBase& shown) {
                pictures += qobject_cast<CTavReferPictureDlg*>(&shown) != nullptr;
                return 0;
            });
            const QPoint picture = view->PageRect().topLeft() + QPoint(120, 55) * 2;
            QTest::mouseClick(view, Qt::LeftButton, {}, picture);
            const CTavDbFreeRecord* hit = view->SelectedObject();
            if (!hit || hit->GetKind() != CTavDbFreeRecord::KindContents)
                return checks = 3;
            QTest::mouseDClick(view, Qt::LeftButton, {}, picture);
            viewer->show();
            AppTestEnv::Screenshot(viewer, QStringLiteral("reference-viewer"));
            // An empty spot selects nothing.
            QTest::mouseClick(view, Qt::LeftButton, {}, view->PageRect().topLeft() + QPoint(580, 20));
            return checks = view->SelectedObject() ? 4 : 0;
        });
        frame().LeftView()->SelectRow(2);
        QVERIFY(frame().LeftView()->Selection().SelectedCount() == 1);
        frame().Trigger(TavReferCmd::View);
        QCOMPARE(checks, 0);
        QVERIFY(m_env->AllAnswersUsed());
        QCOMPARE(pictures, 1);
        QCOMPARE(m_env->DialogTitles().first(), QStringLiteral("便利情報ビューワー"));
    }

    // Deleting asks unless the options say not to; the files wait aside for undo and go for
    // good when the step leaves the stack.
    void deleteAskUndoAndForget()
    {
        frame().LeftView()->SelectRow(0);
        m_env->AnswerMessage(TavMsg::IdNo);
        frame().Trigger(TavReferCmd::Delete);
        QCOMPARE(m_env->Messages(), QStringList{kDeleteQuestion});
        QCOMPARE(doc().Count(), 3);

        m_env->ClearRecords();
        CTavOptions::instance().SetCheckDelete(0);
        frame().LeftView()->SelectRows({0, 2});
        frame().Trigger(TavReferCmd::Delete);
        QVERIFY(m_env->Messages().isEmpty());
        QCOMPARE(titles(), QStringList{QStringLiteral("あいさつ")});
        QVERIFY(!QFile::exists(folder() + QStringLiteral("/b.pdb")));
        QVERIFY(QFile::exists(folder() + QStringLiteral("/memo.pdb")));

        CTavFrameActions& actions = m_app->MainFrame()->Actions();
        actions.UpdateCommandUI();
        QCOMPARE(actions.Action(TavCmd::EditUndo)->text().section(u'(', 0, 0),
                 QStringLiteral("元に戻す: 便利情報の削除"));
        actions.Trigger(TavCmd::EditUndo);
        QCOMPARE(doc().Count(), 3);
        QVERIFY(QFile::exists(folder() + QStringLiteral("/b.pdb")));
        actions.Trigger(TavCmd::EditRedo);
        QCOMPARE(doc().Count(), 1);

        const auto aside = [&] {
            return QDir(folder()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        QCOMPARE(aside().size(), 1);
        doc().UndoStack().clear();
        QVERIFY(aside().isEmpty());
        QVERIFY(!QFile::exists(folder() + QStringLiteral("/b.pdb")));
        frame().Trigger(TavReferCmd::Delete);
        QCOMPARE(m_env->Messages(), QStringList{kNoneSelected});
    }
};

QTEST_MAIN(TestReferWindow)
#include "tst_referwindow.moc"
