#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QtEndian>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavCardDriveDlg.h"
#include "CTavContentsDlg.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavDriveMap.h"
#include "CTavFreeEditContents.h"
#include "CTavFreeEditDlg.h"
#include "CTavFreeEditMedia.h"
#include "CTavFreeEditPictureDlg.h"
#include "CTavFreePage.h"
#include "CTavHelp.h"
#include "CTavOptions.h"
#include "CTavRegOption.h"
#include "CTavSheetLink.h"
#include "FakeCard.h"
#include "TavCommandIds.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbMMContentsObject.h"

using Dlg = CTavContentsDlg;
using Kind = TavContentKind;

namespace {
const QDateTime kNow(QDate(2024, 11, 20), QTime(10, 30));

QByteArray be(uint32_t v, int bytes)
{
    QByteArray out(4, '\0');
    qToBigEndian(v, out.data());
    return out.right(bytes);
}

// The file-stream database of a picture or sound as the handheld expects it, byte for byte.
QByteArray streamDatabase(const QByteArray& fileName, const char* type, const QByteArray& content)
{
    const uint32_t now =
        uint32_t(QDate(1904, 1, 1).daysTo(kNow.date()) * 86400 + kNow.time().msecsSinceStartOfDay() / 1000);
    const int n = int((content.size() + 4095) / 4096);
    const uint32_t appInfo = 78 + 8 * n + 2;
    QByteArray name = fileName;
    name.resize(32, '\0');
    QByteArray out = name + be(0x0088, 2) + be(1, 2) + be(now, 4) + be(now, 4) + be(0, 4) + be(0, 4) +
                     be(appInfo, 4) + be(0, 4) + QByteArray(type) + "FLDB" + be(0, 4) + be(0, 4) + be(n, 2);
    for (int i = 0; i < n; ++i)
        out += be(appInfo + 256 + i * (4096 + 8), 4) + be(0x40, 1) + be(i + 1, 3);
    QByteArray info = "FLDB" + be(0x20000000, 4) + be(now, 4) + be(0, 4) + fileName;
    info.resize(256, '\0');
    out += be(0, 2) + info;
    for (int i = 0; i < n; ++i) {
        const QByteArray block = content.mid(i * 4096, 4096);
        out += "DBLK" + be(uint32_t(block.size()), 4) + block;
    }
    return out;
}

QStringList column(const QTreeWidget* list, int col, int role = Qt::DisplayRole)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->data(col, role).toString();
    return out;
}

QTreeWidgetItem* row(const QTreeWidget* list, const QString& name)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(Dlg::ColumnName) == name)
            return list->topLevelItem(i);
    return nullptr;
}

int stateOf(const QTreeWidget* list, const QString& name)
{
    const QTreeWidgetItem* item = row(list, name);
    return item ? item->data(Dlg::ColumnName, Dlg::StateRole).toInt() : -1;
}

void waitFilled(Dlg& dlg)
{
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.IsFilling(), 20000);
}
} // namespace

// The contents dialog and the card drive dialog on a card laid out in a temporary folder and
// bound to a drive letter, and pasting through the memo-sheet editor.
class TestContents : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    QString m_card;
    QString m_pcFolder;

    void setDrive(const QString& root)
    {
        QVERIFY(m_app->Options().SetFKDrive(root));
        CTavOptions::instance().SetFlekDrive(root);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(AppTestEnv::StartAt(kNow, m_env, m_app));
        m_card = m_env->Dir().filePath(QStringLiteral("card"));
        QVERIFY(FakeCard::make(m_card));
        CTavDriveMap drives(m_app->Options().registry());
        QVERIFY(drives.bind(u'K', m_card));
        // A letter whose folder is gone is no drive to offer.
        QVERIFY(drives.bind(u'M', m_env->Dir().filePath(QStringLiteral("gone"))));

        // The PC folder: a picture of exactly two blocks, a sound one byte past two, a movie.
        m_pcFolder = m_env->Dir().filePath(QStringLiteral("pc"));
        QVERIFY(FakeCard::writeJpeg(m_pcFolder + QStringLiteral("/photo.jpg"), QColor(200, 60, 40)));
        QByteArray photo = TestDataDir::ReadFile(m_pcFolder + QStringLiteral("/photo.jpg"));
        QVERIFY(photo.size() < 8192);
        photo.append(QByteArray(8192 - photo.size(), '\0')); // readers stop at the end marker
        QVERIFY(FakeCard::writeFile(m_pcFolder + QStringLiteral("/photo.jpg"), photo));
        QByteArray sound(8193, '\0');
        for (int i = 0; i < sound.size(); ++i)
            sound[i] = char(i * 7);
        QVERIFY(FakeCard::writeFile(m_pcFolder + QStringLiteral("/voice.wav"), sound));
        QVERIFY(FakeCard::writeFile(m_pcFolder + QStringLiteral("/clip.mov"), "not a movie"));
    }
    void cleanupTestCase() { AppTestEnv::Finish(m_env, m_app); }
    void cleanup() { QVERIFY2(m_env->AllAnswersUsed(), "a queued answer was not used"); }

    void cardDriveDialog()
    {
        setDrive(QString());
        CTavDriveMap drives(m_app->Options().registry());
        {
            CTavCardDriveDlg dlg(*m_app);
            dlg.show();
            QCOMPARE(dlg.windowTitle(), QStringLiteral("メモリースティック"));
            QStringList offered;
            for (int i = 0; i < dlg.DriveBox()->count(); ++i)
                offered << dlg.DriveBox()->itemData(i).toString();
            QCOMPARE(offered, drives.availableRoots());
            QVERIFY(offered.contains(u"K:\\"_qs) && !offered.contains(u"M:\\"_qs));
            QVERIFY(dlg.DriveBox()
                        ->itemText(offered.indexOf(u"K:\\"_qs))
                        .contains(QDir::toNativeSeparators(m_card)));
            // Nothing saved, nothing chosen: OK only tells so.
            QCOMPARE(dlg.DriveBox()->currentIndex(), -1);
            m_env->ClearRecords();
            dlg.accept();
            QCOMPARE(m_env->Messages(),
                     QStringList{QStringLiteral("メモリースティックドライブが選択されていません。")});
            QVERIFY(dlg.isVisible());
            QCOMPARE(m_app->Options().FKDrive(), QString());
        }
        // The saved drive is found whatever its case; OK saves the choice.
        setDrive(u"k:\\"_qs);
        CTavCardDriveDlg dlg(*m_app);
        dlg.show();
        QCOMPARE(dlg.SelectedDrive(), u"K:\\"_qs);
        AppTestEnv::Screenshot(&dlg, QStringLiteral("contents-drive"));

        // A copied card folder gets the first free letter once; binding it again finds it.
        const QString copy = m_env->Dir().filePath(QStringLiteral("copied card"));
        QVERIFY(QDir().mkpath(copy));
        const QChar free = drives.freeLetter();
        QVERIFY(dlg.BindFolder(copy));
        QCOMPARE(dlg.SelectedDrive(), CTavDriveMap::rootOf(free));
        const int count = dlg.DriveBox()->count();
        QVERIFY(dlg.BindFolder(copy));
        QCOMPARE(dlg.DriveBox()->count(), count);
        QCOMPARE(dlg.SelectedDrive(), CTavDriveMap::rootOf(free));
        // ...and gives it up again.
        dlg.UnbindButton()->click();
        QCOMPARE(dlg.DriveBox()->findData(CTavDriveMap::rootOf(free)), -1);
        dlg.DriveBox()->setCurrentIndex(dlg.DriveBox()->findData(u"K:\\"_qs));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(m_app->Options().FKDrive(), u"K:\\"_qs);
        QCOMPARE(CTavOptions::instance().FlekDrive(), u"K:\\"_qs);
    }

    void cardList()
    {
        setDrive(u"K:\\"_qs);
        Dlg dlg(*m_app);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("コンテンツ選択"));
        QVERIFY(dlg.CardButton()->isChecked());
        QVERIFY(!dlg.Filter(Dlg::IdSheets)->isEnabled());
        QTreeWidget* list = dlg.List();
        QStringList names;
        for (const QString& file : FakeCard::listed())
            names << QFileInfo(file).fileName();
        // Every row is there at once; the pictures fill in afterwards.
        QCOMPARE(column(list, Dlg::ColumnName), names);
        waitFilled(dlg);
        QCOMPARE(column(list, Dlg::ColumnKind, Qt::UserRole),
                 QStringList({"0", "0", "0", "0", "0", "0", "1", "2"}));
        QCOMPARE(stateOf(list, u"P1000001.JPG"_qs), int(Dlg::Picture));
        QCOMPARE(stateOf(list, u"B.JPEG"_qs), int(Dlg::Picture));
        QCOMPARE(stateOf(list, u"BROKEN.JPG"_qs), int(Dlg::Broken));
        QCOMPARE(stateOf(list, u"VOICE.WAV"_qs), int(Dlg::Mark));
        QVERIFY(stateOf(list, u"CLIP.MQV"_qs) != int(Dlg::Waiting));
        QCOMPARE(dlg.StatusLabel()->text(), QStringLiteral("8 件"));
        QVERIFY(dlg.SourceBox()->currentText().startsWith(u"K: "_qs));
        AppTestEnv::Screenshot(&dlg, QStringLiteral("contents-card"));

        // F1 opens this window's help page.
        QUrl help;
        CTavHelp::SetUrlOpener([&](const QUrl& url) {
            help = url;
            return true;
        });
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTest::keyClick(dlg.List(), Qt::Key_F1);
        CTavHelp::SetUrlOpener([](const QUrl&) { return true; });
        QCOMPARE(help.fileName(), QStringLiteral("contents.html"));

        // Filters hide kinds; pictures shown again keep the thumbnails already made.
        dlg.Filter(Dlg::IdPictures)->click();
        QCOMPARE(column(list, Dlg::ColumnName), QStringList({"VOICE.WAV", "CLIP.MQV"}));
        dlg.Filter(Dlg::IdSounds)->click();
        dlg.Filter(Dlg::IdPictures)->click();
        QCOMPARE(list->topLevelItemCount(), 7);
        QVERIFY(!dlg.IsFilling() || stateOf(list, u"P1000001.JPG"_qs) == int(Dlg::Picture));
        QCOMPARE(stateOf(list, u"BROKEN.JPG"_qs), int(Dlg::Broken));

        // OK needs a row; the choice is the card's drive path.
        m_env->ClearRecords();
        dlg.accept();
        QCOMPARE(m_env->Messages(), QStringList{QStringLiteral("コンテンツを選択して下さい。")});
        QVERIFY(dlg.isVisible());
        list->setCurrentItem(row(list, u"p1010001.jpg"_qs));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.ChosenPath(), u"K:\\DCIM\\101fkdcf\\p1010001.jpg"_qs);
        QCOMPARE(dlg.ChosenLocalPath(), QDir(m_card).filePath(u"DCIM/101fkdcf/p1010001.jpg"_qs));
        QCOMPARE(dlg.ChosenKind(), Kind::Picture);
        QVERIFY(dlg.ChosenOnCard());
    }

    void pcSideAndDriveQuestions()
    {
        // A sheet in the current folder, saved by the editor.
        {
            CTavFreeEditDlg editor(*m_app,
                                   {CTavSheetLink::Folder(*m_app), QStringLiteral("memo1.pdb"), true});
            editor.Button(CTavFreeEditDlg::IdSave)->click();
            editor.reject();
        }
        setDrive(QString());
        Dlg dlg(*m_app);
        dlg.show();
        // Without a card drive the PC side opens, without a question.
        QVERIFY(dlg.PcButton()->isChecked());
        QVERIFY(dlg.Filter(Dlg::IdSheets)->isEnabled());
        QCOMPARE(column(dlg.List(), Dlg::ColumnKind, Qt::UserRole), QStringList{"3"});
        QCOMPARE(stateOf(dlg.List(), dlg.List()->topLevelItem(0)->text(0)), int(Dlg::Picture));

        // The folder button adds the pictures, sounds and movies of a folder, remembered.
        m_env->AnswerDialog(AppTestEnv::ChooseFile(m_pcFolder));
        dlg.BrowseButton()->click();
        QCOMPARE(dlg.SourceBox()->currentData().toString(), m_pcFolder);
        QCOMPARE(column(dlg.List(), Dlg::ColumnKind, Qt::UserRole), QStringList({"3", "2", "0", "1"}));
        waitFilled(dlg);
        QCOMPARE(stateOf(dlg.List(), u"photo.jpg"_qs), int(Dlg::Picture));
        AppTestEnv::Screenshot(&dlg, QStringLiteral("contents-pc"));
        dlg.Filter(Dlg::IdSheets)->click();
        QCOMPARE(dlg.List()->topLevelItemCount(), 3);
        dlg.Filter(Dlg::IdSheets)->click();

        // The card without a drive: asked to set one; cancelled, the card is not read.
        m_env->ClearRecords();
        m_env->AnswerDialog(AppTestEnv::PressCancel());
        dlg.CardButton()->click();
        QCOMPARE(m_env->Messages(),
                 QStringList(
                     {QStringLiteral("メモリースティックドライブの設定を確認して下さい。"),
                      QStringLiteral(
                          "メモリースティックドライブが正しく設定されていないため読み込みは行いません。")}));
        QCOMPARE(m_env->DialogTitles(), QStringList{QStringLiteral("メモリースティック")});
        QCOMPARE(dlg.List()->topLevelItemCount(), 0);
        // Set in the drive dialog: the card is read at once.
        m_env->ClearRecords();
        m_env->AnswerDialog(answer<CTavCardDriveDlg>(
            [](CTavCardDriveDlg& d) { d.DriveBox()->setCurrentIndex(d.DriveBox()->findData(u"K:\\"_qs)); }));
        dlg.CardButton()->click();
        QCOMPARE(dlg.List()->topLevelItemCount(), 8);
        QCOMPARE(m_env->Messages().size(), 1);
        // Switching back keeps the remembered folder.
        dlg.PcButton()->click();
        QCOMPARE(dlg.List()->topLevelItemCount(), 4);
        dlg.reject();
    }

    void pasteThroughEditor()
    {
        setDrive(u"K:\\"_qs);
        const QString contents = m_app->Users().GetCurrUserPath() + CTavDbEnv::GetMmContentsDir();
        CTavFreeEditDlg editor(*m_app, {CTavSheetLink::Folder(*m_app), QStringLiteral("paste.pdb"), true});
        editor.show();
        auto paste = [&](bool card, const QString& name) {
            m_env->AnswerDialog(answer<Dlg>([=](Dlg& d) {
                (card ? d.CardButton() : d.PcButton())->click();
                // An empty name picks the first memo sheet, listed by its title.
                QTreeWidgetItem* item = row(d.List(), name);
                for (int i = 0; !item && name.isEmpty() && i < d.List()->topLevelItemCount(); ++i)
                    if (d.List()->topLevelItem(i)->data(Dlg::ColumnKind, Qt::UserRole).toInt() == 3)
                        item = d.List()->topLevelItem(i);
                d.List()->setCurrentItem(item);
            }));
            const int before = editor.Page()->Sheet()->GetRecordCount();
            editor.Button(CTavFreeEditDlg::IdContents)->click();
            auto* sheet = editor.Page()->Sheet();
            return sheet->GetRecordCount() > before
                       ? dynamic_cast<CTavDbMMContentsObject*>(sheet->GetRecord(sheet->GetRecordCount() - 1))
                       : nullptr;
        };

        // From the PC: the picture and the sound also go into the contents folder as
        // databases: 8,192 bytes make two full blocks, 8,193 a third of one byte.
        CTavDbMMContentsObject* photo = paste(false, u"photo.jpg"_qs);
        QVERIFY(photo);
        QCOMPARE(photo->GetSubType(), CTavDbMMContentsObject::Picture);
        QCOMPARE(photo->GetFlags(), CTavDbMMContentsObject::FlagOnPc);
        QCOMPARE(photo->GetPath(), m_pcFolder + u"/photo.jpg"_qs);
        QCOMPARE(photo->GetRect(), QRect(0, 0, 160, 120)); // at most 160 pixels a side, top left
        QVERIFY(photo->GetThumbnail().pixelColor(80, 60).red() > 150);
        QCOMPARE(TestDataDir::ReadFile(contents + u"/photo.jpg.pdb"_qs),
                 streamDatabase("photo.jpg", ".jpg", TestDataDir::ReadFile(m_pcFolder + u"/photo.jpg"_qs)));
        CTavDbMMContentsObject* voice = paste(false, u"voice.wav"_qs);
        QVERIFY(voice);
        QCOMPARE(voice->GetSubType(), CTavDbMMContentsObject::Sound);
        QCOMPARE(TestDataDir::ReadFile(contents + u"/voice.wav.pdb"_qs),
                 streamDatabase("voice.wav", ".wav", TestDataDir::ReadFile(m_pcFolder + u"/voice.wav"_qs)));
        CTavDbMMContentsObject* movie = paste(false, u"clip.mov"_qs);
        QVERIFY(movie && !movie->GetThumbnail().isNull());
        QCOMPARE(movie->GetSubType(), CTavDbMMContentsObject::Movie);
        CTavDbMMContentsObject* sheet = paste(false, QString());
        QVERIFY(sheet);
        QCOMPARE(sheet->GetSubType(), CTavDbMMContentsObject::Sheet);
        QCOMPARE(sheet->GetPath(), CTavSheetLink::Folder(*m_app) + u"/memo1.pdb"_qs);

        // From the card: the picture stays there, marked as such; no database is written.
        CTavDbMMContentsObject* card = paste(true, u"P1000001.JPG"_qs);
        QVERIFY(card);
        QCOMPARE(card->GetFlags(), CTavDbMMContentsObject::FlagOnCard);
        QCOMPARE(card->GetPath(), u"K:\\DCIM\\100FKDCF\\P1000001.JPG"_qs);
        QVERIFY(!QFile::exists(contents + u"/P1000001.JPG.pdb"_qs));
        // A picture that cannot be read pastes nothing.
        QVERIFY(!paste(true, u"BROKEN.JPG"_qs));
        AppTestEnv::Screenshot(&editor, QStringLiteral("contents-pasted"));

        // Shown again: the card's picture through its drive letter; a PC picture whose file
        // is gone from the handheld's copy in the contents folder.
        const QString moved = m_pcFolder + u"/moved.jpg"_qs;
        QVERIFY(QFile::copy(m_pcFolder + u"/photo.jpg"_qs, moved));
        CTavDbMMContentsObject* gone = paste(false, u"moved.jpg"_qs);
        QVERIFY(gone && QFile::remove(moved));
        QStringList shown;
        for (CTavDbMMContentsObject* object : {card, gone}) {
            m_env->AnswerDialog(
                answer<CTavFreeEditPictureDlg>([&](CTavFreeEditPictureDlg& d) { shown << d.windowTitle(); }));
            CTavFreeEditMedia::Open(&editor, *object, contents, CTavSheetLink::Folder(*m_app));
        }
        QCOMPARE(shown, QStringList({QStringLiteral("画像"), QStringLiteral("画像")}));
        editor.Button(CTavFreeEditDlg::IdUndo)->click();

        // Each paste is one undo step, the last first.
        const int count = editor.Page()->Sheet()->GetRecordCount();
        editor.Button(CTavFreeEditDlg::IdUndo)->click();
        QCOMPARE(editor.Page()->Sheet()->GetRecordCount(), count - 1);
        QVERIFY(editor.Page()->Sheet()->Find(photo) >= 0);
        editor.reject();
    }
};

QTEST_MAIN(TestContents)
#include "tst_contents.moc"
