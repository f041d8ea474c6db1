#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbEnv.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbUser.h"
#include "CTavFileDlg.h"
#include "CTavFreeEditColorDlg.h"
#include "CTavFreeEditDetailDlg.h"
#include "CTavFreeEditDlg.h"
#include "CTavFreeEditMedia.h"
#include "CTavFreeEditPenDlg.h"
#include "CTavFreeEditPictureDlg.h"
#include "CTavFreeEditSealDlg.h"
#include "CTavFreePage.h"
#include "CTavFreeTextDlg.h"
#include "CTavRegOption.h"
#include "CTavSheetLink.h"
#include "TavCommandIds.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbHwriteObject.h"
#include "sheet/CTavDbMMContentsObject.h"
#include "sheet/CTavDbSealObject.h"
#include "sheet/CTavDbTextObject.h"

using Dlg = CTavFreeEditDlg;
using Manager = CTavDbFreePdbObjectManager;

namespace {
void mouse(QWidget* widget, QEvent::Type type, const QPoint& p)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(p), QPointF(widget->mapToGlobal(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A press, moves in single steps along the way, and a release.
void drag(QWidget* widget, const QPoint& from, const QPoint& to, int steps = 8)
{
    mouse(widget, QEvent::MouseButtonPress, from);
    for (int i = 1; i <= steps; ++i)
        mouse(widget, QEvent::MouseMove, from + (to - from) * i / steps);
    mouse(widget, QEvent::MouseButtonRelease, to);
}

AppTestEnv::DialogAnswer typeText(const QString& text, int fontIndex = -1)
{
    return answer<CTavFreeTextDlg>([=](CTavFreeTextDlg& d) {
        if (fontIndex >= 0)
            d.FontButtons()[fontIndex]->click();
        d.Edit()->setPlainText(text);
    });
}

// A 1-bit seal picture of side x side pixels: a ring.
QByteArray ringBitmap(int side)
{
    const int rowBytes = (side + 15) / 16 * 2;
    QByteArray bytes(16, '\0');
    const auto put16 = [&](int at, int v) {
        bytes[at] = char(v >> 8);
        bytes[at + 1] = char(v);
    };
    put16(0, side);
    put16(2, side);
    put16(4, rowBytes);
    for (int y = 0; y < side; ++y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < side; ++x) {
            const int d = (x - side / 2) * (x - side / 2) + (y - side / 2) * (y - side / 2);
            if (d <= side * side / 4 && d >= side * side / 9)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        bytes += row;
    }
    return bytes;
}

QList<int> kinds(const Manager& sheet)
{
    QList<int> out;
    for (int i = 0; i < sheet.GetRecordCount(); ++i)
        out << sheet.GetRecord(i)->GetKind();
    return out;
}

template <class T> QList<T*> objects(const Manager& sheet)
{
    QList<T*> out;
    for (int i = 0; i < sheet.GetRecordCount(); ++i)
        if (auto* o = dynamic_cast<T*>(sheet.GetRecord(i)))
            out << o;
    return out;
}
} // namespace

// The memo-sheet editor driven as a user drives it: the mouse on the page, the buttons, the
// dialogs answered through the test world; files checked by loading them again.
class TestFreeEdit : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    QString m_folder;
    int m_serial = 0;

    std::unique_ptr<Dlg> open(bool newSheet = true, const QString& name = QString(), bool large = false)
    {
        CTavFreeEditRequest request;
        request.folder = m_folder;
        request.fileName = name.isEmpty() ? QStringLiteral("sheet%1.pdb").arg(++m_serial) : name;
        request.newSheet = newSheet;
        if (large) {
            request.type = Manager::TypeOverlay;
            request.large = true;
            request.page = QSize(460, 394);
            request.canvas = QSize(460, 700);
        }
        auto dlg = std::make_unique<Dlg>(*m_app, request);
        dlg->show();
        return dlg;
    }
    static Manager& sheet(Dlg& dlg) { return *dlg.Page()->Sheet(); }
    static void click(Dlg& dlg, int id) { dlg.Button(id)->click(); }

private slots:
    void initTestCase()
    {
        QVERIFY(AppTestEnv::StartAt(QDateTime(QDate(2024, 11, 20), QTime(10, 30)), m_env, m_app));
        m_folder = CTavSheetLink::Folder(*m_app);
        // Seals come from resource databases; this one holds two ring pictures.
        CTavDbPalmDatabase seals;
        const QString sealFolder = CTavDbEnv::GetCorePath() + QStringLiteral("Seals");
        QDir().mkpath(sealFolder);
        QCOMPARE(seals.Create(sealFolder + QStringLiteral("/Stamps.prc"), 0x62697473, 0x53746D70, true),
                 TavStatusCode::Ok);
        QCOMPARE(seals.AddResource(CTavDbSealObject::BitmapType, 1000, ringBitmap(32)), TavStatusCode::Ok);
        QCOMPARE(seals.AddResource(CTavDbSealObject::BitmapType, 1001, ringBitmap(24)), TavStatusCode::Ok);
        QCOMPARE(seals.Save(), TavStatusCode::Ok);
    }
    void cleanupTestCase() { AppTestEnv::Finish(m_env, m_app); }
    void cleanup() { QVERIFY2(m_env->AllAnswersUsed(), "a queued answer was not used"); }

    void strokesUndoAndEraser()
    {
        auto dlg = open();
        QVERIFY(dlg->Button(Dlg::IdPen)->isChecked());
        QWidget* page = dlg->Page();
        const int base = sheet(*dlg).GetRecordCount();
        QCOMPARE(kinds(sheet(*dlg)).mid(0, base), QList<int>({1, 2, 3}));

        // A wider red pen, chosen in the two pen dialogs.
        m_env->AnswerDialog(answer<CTavFreeEditPenDlg>([](CTavFreeEditPenDlg& d) {
            AppTestEnv::Screenshot(&d, QStringLiteral("freeedit-pen"));
            d.WidthButtons()[2]->click();
        }));
        click(*dlg, Dlg::IdPen);
        m_env->AnswerDialog(
            answer<CTavFreeEditColorDlg>([](CTavFreeEditColorDlg& d) { d.Swatches()[5]->click(); }));
        click(*dlg, Dlg::IdPenColor);
        drag(page, QPoint(40, 40), QPoint(120, 90));
        drag(page, QPoint(40, 200), QPoint(200, 210));
        AppTestEnv::Screenshot(dlg.get(), QStringLiteral("freeedit-strokes"));
        const auto strokes = objects<CTavDbHwriteObject>(sheet(*dlg));
        QCOMPARE(strokes.size(), 2);
        QCOMPARE(strokes[0]->GetPenWidth(), 3);
        QCOMPARE(strokes[0]->GetColor(), QColor(255, 0, 0));
        QVERIFY(strokes[0]->GetPoints().size() >= 8);

        // Moving the first stroke is no undo step: undo takes the second, then the first, which
        // stays where it was moved to until then.
        const QRect before = strokes[0]->GetRect();
        drag(page, strokes[0]->GetPoints()[4], strokes[0]->GetPoints()[4] + QPoint(10, 20));
        QCOMPARE(strokes[0]->GetRect(), before.translated(10, 20));
        QVERIFY(dlg->Button(Dlg::IdPen)->isChecked());
        click(*dlg, Dlg::IdUndo);
        QCOMPARE(objects<CTavDbHwriteObject>(sheet(*dlg)), QList<CTavDbHwriteObject*>({strokes[0]}));
        QCOMPARE(strokes[0]->GetRect(), before.translated(10, 20));
        click(*dlg, Dlg::IdUndo);
        QVERIFY(objects<CTavDbHwriteObject>(sheet(*dlg)).isEmpty());
        click(*dlg, Dlg::IdUndo); // nothing left: no harm
        QCOMPARE(sheet(*dlg).GetRecordCount(), base);

        // The eraser takes what its path crosses; a stroke it took is no longer undone later, so
        // the next undo goes to the stroke before it.
        drag(page, QPoint(30, 300), QPoint(250, 300));
        drag(page, QPoint(150, 100), QPoint(150, 180));
        click(*dlg, Dlg::IdEraser);
        QVERIFY(dlg->Button(Dlg::IdEraser)->isChecked() && !dlg->Button(Dlg::IdPen)->isChecked());
        drag(page, QPoint(120, 140), QPoint(180, 140));
        QCOMPARE(objects<CTavDbHwriteObject>(sheet(*dlg)).size(), 1);
        mouse(page, QEvent::MouseButtonPress, QPoint(10, 10)); // a tap erases nothing
        mouse(page, QEvent::MouseButtonRelease, QPoint(10, 10));
        QCOMPARE(objects<CTavDbHwriteObject>(sheet(*dlg)).size(), 1);
        click(*dlg, Dlg::IdUndo);
        QVERIFY(objects<CTavDbHwriteObject>(sheet(*dlg)).isEmpty());
        dlg->reject();
    }

    void textBoxes()
    {
        auto dlg = open();
        QWidget* page = dlg->Page();
        click(*dlg, Dlg::IdText);
        QVERIFY(dlg->Button(Dlg::IdText)->isChecked());

        // Started 10 pixels from the right edge and dragged a few pixels: 24 inside the edge,
        // 24 x 24, on even coordinates.
        m_env->AnswerDialog(typeText(QStringLiteral("右端"), 3));
        drag(page, QPoint(290, 101), QPoint(293, 105), 2);
        auto texts = objects<CTavDbTextObject>(sheet(*dlg));
        QCOMPARE(texts.size(), 1);
        QCOMPARE(texts[0]->GetRect(), QRect(276, 100, 24, 24));
        QCOMPARE(texts[0]->GetString(), QStringLiteral("右端"));
        QCOMPARE(texts[0]->GetFontCode(), 9);
        // After placing a box no tool is active.
        QCOMPARE(dlg->Page()->Tools().State(), 0);
        QVERIFY(!dlg->Button(Dlg::IdText)->isChecked() && !dlg->Button(Dlg::IdPen)->isChecked());

        // A box dragged past the page's bottom ends one pixel inside it; the next text dialog
        // starts with the last font; a cancelled text leaves no box.
        click(*dlg, Dlg::IdText);
        m_env->AnswerDialog(answer<CTavFreeTextDlg>([](CTavFreeTextDlg& d) {
            QCOMPARE(d.FontCode(), 9);
            QVERIFY(d.FontButtons()[3]->isChecked());
            d.Edit()->setPlainText(QString(5000, u'あ') + QStringLiteral("\n"));
            QCOMPARE(d.Text().size(), CTavDbTextObject::MaxChars);
            d.Edit()->setPlainText(QStringLiteral("一行目\n二行目"));
            AppTestEnv::Screenshot(&d, QStringLiteral("freeedit-textdlg"));
        }));
        drag(page, QPoint(21, 300), QPoint(150, 500));
        texts = objects<CTavDbTextObject>(sheet(*dlg));
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts[1]->GetRect(), QRect(20, 300, 130, 93));
        click(*dlg, Dlg::IdText);
        m_env->AnswerDialog(AppTestEnv::PressCancel());
        drag(page, QPoint(100, 20), QPoint(160, 60));
        QCOMPARE(objects<CTavDbTextObject>(sheet(*dlg)).size(), 2);
        AppTestEnv::Screenshot(dlg.get(), QStringLiteral("freeedit-text"));

        // A double click reopens the text; the text tool does not.
        m_env->AnswerDialog(answer<CTavFreeTextDlg>([](CTavFreeTextDlg& d) {
            QCOMPARE(d.Text(), QStringLiteral("一行目\n二行目"));
            d.Edit()->setPlainText(QStringLiteral("書き直し"));
        }));
        mouse(page, QEvent::MouseButtonDblClick, QPoint(60, 320));
        QCOMPARE(texts[1]->GetString(), QStringLiteral("書き直し"));
        dlg->reject();
    }

    void moveResizeAndDelete()
    {
        auto dlg = open();
        QWidget* page = dlg->Page();
        click(*dlg, Dlg::IdText);
        m_env->AnswerDialog(typeText(QStringLiteral("箱")));
        drag(page, QPoint(100, 100), QPoint(160, 150));
        auto* box = objects<CTavDbTextObject>(sheet(*dlg)).first();
        QCOMPARE(box->GetRect(), QRect(100, 100, 61, 51));

        // Odd moves go in steps of two, the odd pixel carried to the next move.
        mouse(page, QEvent::MouseButtonPress, QPoint(120, 120));
        QVERIFY(box->IsSelected());
        mouse(page, QEvent::MouseMove, QPoint(123, 121));
        QCOMPARE(box->GetRect().topLeft(), QPoint(102, 100));
        mouse(page, QEvent::MouseMove, QPoint(124, 122));
        QCOMPARE(box->GetRect().topLeft(), QPoint(104, 102));
        // A move that would leave the page stops at its edge.
        mouse(page, QEvent::MouseMove, QPoint(520, -300));
        QCOMPARE(box->GetRect(), QRect(239, 0, 61, 51));
        mouse(page, QEvent::MouseButtonRelease, QPoint(520, -300));
        QCOMPARE(box->GetRecordFlag() & 0x02, 0u);
        QVERIFY(box->IsSelected());

        // Resizing by the handle never takes the edge past the page, and never below 24 x 24.
        const QPoint handle = box->ResizeHandle().center();
        mouse(page, QEvent::MouseButtonPress, handle);
        QCOMPARE(dlg->Page()->Tools().State(), 10);
        mouse(page, QEvent::MouseMove, handle + QPoint(30, 40));
        QCOMPARE(box->GetRect(), QRect(239, 0, 61, 91));
        mouse(page, QEvent::MouseMove, handle + QPoint(-100, 40));
        QCOMPARE(box->GetRect().size(), QSize(24, 91));
        mouse(page, QEvent::MouseButtonRelease, handle + QPoint(-100, 40));
        QCOMPARE(dlg->Page()->Tools().State(), 0);
        AppTestEnv::Screenshot(dlg.get(), QStringLiteral("freeedit-selected"));

        // Delete asks first when the option says so; No keeps the box.
        m_app->Options().SetCheckDelete(1);
        m_env->AnswerMessage(TavMsg::IdNo);
        QTest::keyClick(page, Qt::Key_Delete);
        QCOMPARE(objects<CTavDbTextObject>(sheet(*dlg)).size(), 1);
        m_env->AnswerMessage(TavMsg::IdYes);
        QTest::keyClick(page, Qt::Key_Delete);
        QVERIFY(objects<CTavDbTextObject>(sheet(*dlg)).isEmpty());
        QCOMPARE(m_env->Messages().last(), QStringLiteral("選択されたデータを削除します。よろしいですか?"));
        dlg->reject();
    }

    void saveLoadClearAndSaveAs()
    {
        const QString name = QStringLiteral("roundtrip.pdb");
        auto dlg = open(true, name);
        drag(dlg->Page(), QPoint(30, 30), QPoint(90, 60));
        click(*dlg, Dlg::IdText);
        m_env->AnswerDialog(typeText(QStringLiteral("保存")));
        drag(dlg->Page(), QPoint(50, 150), QPoint(150, 190));
        m_env->AnswerDialog(answer<CTavFreeEditSealDlg>([](CTavFreeEditSealDlg& d) {
            QCOMPARE(d.Seals().size(), 2);
            d.Cells()[0]->click();
        }));
        click(*dlg, Dlg::IdSeal);
        dlg->CategoryBox()->setCurrentIndex(dlg->CategoryBox()->findText(QStringLiteral("ビジネス")));
        m_env->ClearRecords();
        click(*dlg, Dlg::IdSave);
        QCOMPARE(m_env->Messages(), QStringList{QStringLiteral("ファイルを保存しました。")});
        QVERIFY(dlg->Saved());
        const QString path = dlg->Path();
        const QByteArray saved = TestDataDir::ReadFile(path);
        QVERIFY(!saved.isEmpty());

        // Clear, then Cancel: the file on disk stays as saved.
        click(*dlg, Dlg::IdClear);
        QCOMPARE(kinds(sheet(*dlg)), QList<int>({1, 2, 3}));
        dlg->reject();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), saved);
        file.close();

        // Opened again: the same objects, the seal at the top left, the category kept; the
        // thumbnail shows the stroke.
        dlg = open(false, name);
        QCOMPARE(kinds(sheet(*dlg)), QList<int>({1, 2, 3, 4, 5, 6}));
        QCOMPARE(objects<CTavDbTextObject>(sheet(*dlg)).first()->GetString(), QStringLiteral("保存"));
        auto* seal = objects<CTavDbSealObject>(sheet(*dlg)).first();
        QCOMPARE(seal->GetRect(), QRect(0, 0, 32, 32));
        QCOMPARE(seal->GetDatabaseName(), QStringLiteral("Stamps"));
        QCOMPARE(sheet(*dlg).GetCategoryId(), 1);
        QCOMPARE(dlg->CategoryBox()->currentText(), QStringLiteral("ビジネス"));
        const QImage thumbnail = sheet(*dlg).CreateThumbnailBitmapEx(Manager::PageRect, QSize(75, 98));
        QVERIFY(thumbnail.pixelColor(15, 11).lightness() < 200);
        AppTestEnv::Screenshot(dlg.get(), QStringLiteral("freeedit-objects"));

        // Save as: a new file with a new title; the old one stays.
        m_env->ClearRecords();
        click(*dlg, Dlg::IdSaveAs);
        QVERIFY(dlg->Path() != path);
        QVERIFY(QFile::exists(dlg->Path()) && QFile::exists(path));
        QCOMPARE(m_env->Messages(), QStringList{QStringLiteral("ファイルを保存しました。")});
        Manager copy;
        QCOMPARE(copy.LoadFromFile(dlg->Path()), TavStatusCode::Ok);
        copy.CreateObjects();
        QCOMPARE(copy.GetTitle(), QStringLiteral("2024/11/20 10:30"));

        // OK saves without a word and closes.
        drag(dlg->Page(), QPoint(200, 300), QPoint(250, 350));
        m_env->ClearRecords();
        click(*dlg, Dlg::IdOk);
        QVERIFY(m_env->Messages().isEmpty());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(copy.LoadFromFile(dlg->Path()), TavStatusCode::Ok);
        QCOMPARE(copy.CreateObjects(), 7);
    }

    void pathLengthRule()
    {
        // The folder's path plus the separator plus the name: 259 characters save, 260 do not.
        const int fixed = int(m_folder.size()) + 1 + 4;
        for (int length : {259, 260}) {
            const QString name = QString(length - fixed, u'n') + QStringLiteral(".pdb");
            auto dlg = open(true, name);
            QCOMPARE(dlg->Path().size(), length);
            drag(dlg->Page(), QPoint(30, 30), QPoint(90, 60));
            m_env->ClearRecords();
            click(*dlg, Dlg::IdOk);
            if (length == 259) {
                QVERIFY(m_env->Messages().isEmpty());
                QVERIFY(dlg->Saved() && QFile::exists(dlg->Path()));
            } else {
                QCOMPARE(m_env->Messages(), QStringList{QStringLiteral("ファイル名が長すぎます。")});
                QVERIFY(dlg->isVisible() && !dlg->Saved());
                dlg->reject();
            }
        }
    }

    void largeVariant()
    {
        auto dlg = open(true, QStringLiteral("overlay.pdb"), true);
        QCOMPARE(dlg->size(), QSize(500, 580));
        QVERIFY(dlg->Button(Dlg::IdScrollUp)->isVisible() && dlg->Button(Dlg::IdScrollDown)->isVisible());
        QVERIFY(!dlg->CategoryBox()->isVisible());
        QVERIFY(!dlg->Button(Dlg::IdSaveAs)->isEnabled() && !dlg->Button(Dlg::IdText)->isEnabled());

        // Scrolling stops at canvas height - page height; points are canvas points below it.
        click(*dlg, Dlg::IdScrollDown);
        QCOMPARE(dlg->Page()->Scroll(), 120);
        click(*dlg, Dlg::IdScrollDown);
        click(*dlg, Dlg::IdScrollDown);
        QCOMPARE(dlg->Page()->Scroll(), 700 - 394);
        drag(dlg->Page(), QPoint(20, 20), QPoint(80, 40));
        QCOMPARE(objects<CTavDbHwriteObject>(sheet(*dlg)).first()->GetPoints().first(), QPoint(20, 326));
        // A seal lands at the left edge of what is shown.
        m_env->AnswerDialog(
            answer<CTavFreeEditSealDlg>([](CTavFreeEditSealDlg& d) { d.Cells()[1]->click(); }));
        click(*dlg, Dlg::IdSeal);
        QCOMPARE(objects<CTavDbSealObject>(sheet(*dlg)).first()->GetRect(), QRect(0, 306, 24, 24));
        click(*dlg, Dlg::IdScrollUp);
        QCOMPARE(dlg->Page()->Scroll(), 186);
        AppTestEnv::Screenshot(dlg.get(), QStringLiteral("freeedit-large"));

        // Its details leave date, alarm and background alone.
        m_env->AnswerDialog(answer<CTavFreeEditDetailDlg>([](CTavFreeEditDetailDlg& d) {
            QVERIFY(!d.ScheduleDate()->isEnabled() && !d.ScheduleCalendar()->isEnabled());
            QVERIFY(!d.AlarmBox()->isEnabled() && !d.BackgroundButton()->isEnabled());
            QVERIFY(d.TitleEdit()->isEnabled());
        }));
        click(*dlg, Dlg::IdDetails);
        dlg->reject();
    }

    void detailsDialog()
    {
        auto dlg = open();
        m_env->AnswerDialog(answer<CTavFreeEditDetailDlg>([this](CTavFreeEditDetailDlg& d) {
            // Without an alarm the dialog proposes one an hour from now, hidden until ticked.
            QVERIFY(!d.AlarmBox()->isChecked() && !d.AlarmDate()->isVisible());
            QCOMPARE(d.AlarmTime()->time(), QTime(11, 30));
            QCOMPARE(d.ScheduleDate()->date(), QDate(2024, 11, 20));
            QCOMPARE(d.SizeLabel()->text(), QStringLiteral("0 bytes"));
            QCOMPARE(d.ScheduleDate()->minimumDate(), QDate(1970, 1, 2));
            QCOMPARE(d.ScheduleDate()->maximumDate(), QDate(2031, 12, 31));
            d.TitleEdit()->setText(QString(80, u'x'));
            m_env->AnswerDialog(answer<CTavDialogBase>([](CTavDialogBase& cal) {
                QCOMPARE(cal.windowTitle(), QStringLiteral("日付を選択"));
                cal.findChild<QCalendarWidget*>()->setSelectedDate(QDate(2025, 2, 3));
            }));
            d.ScheduleCalendar()->click();
            QCOMPARE(d.ScheduleDate()->date(), QDate(2025, 2, 3));
            d.ScheduleTime()->setTime(QTime(14, 45));
            d.AlarmBox()->setChecked(true);
            QVERIFY(d.AlarmDate()->isVisible());
            d.AlarmDate()->setDate(QDate(2025, 2, 2));
            m_env->AnswerDialog(
                answer<CTavFreeEditColorDlg>([](CTavFreeEditColorDlg& c) { c.Swatches()[10]->click(); }));
            d.BackgroundButton()->click();
            AppTestEnv::Screenshot(&d, QStringLiteral("freeedit-details"));
        }));
        click(*dlg, Dlg::IdDetails);
        const CTavDbFreeMiscInfoObject* misc = sheet(*dlg).GetMiscInfo();
        QCOMPARE(misc->GetTitle(), QString(63, u'x'));
        QCOMPARE(misc->GetScheduleDateTime(), QDateTime(QDate(2025, 2, 3), QTime(14, 45)));
        QCOMPARE(misc->GetU16(20), 2); // Monday
        QVERIFY(misc->GetFlags() & 0x8000);
        QCOMPARE(misc->GetAlarmDateTime(), QDateTime(QDate(2025, 2, 2), QTime(11, 30)));
        QCOMPARE(misc->GetU16(104), 1); // Sunday
        QCOMPARE(sheet(*dlg).GetBackground(), CTavFreeEditColorDlg::Palette()[10]);

        // Ticking the alarm off clears the flag and keeps the rest.
        m_env->AnswerDialog(answer<CTavFreeEditDetailDlg>([](CTavFreeEditDetailDlg& d) {
            QVERIFY(d.AlarmBox()->isChecked());
            QCOMPARE(d.AlarmDate()->date(), QDate(2025, 2, 2));
            d.AlarmBox()->setChecked(false);
        }));
        click(*dlg, Dlg::IdDetails);
        QVERIFY(!(misc->GetFlags() & 0x8000));
        QCOMPARE(misc->GetTitle(), QString(63, u'x'));
        dlg->reject();
    }

    void contentsDoubleClicks()
    {
        const QString contents = m_app->Users().GetCurrUserPath() + CTavDbEnv::GetMmContentsDir();
        auto dlg = open();
        Manager& s = sheet(*dlg);
        QImage photo(120, 80, QImage::Format_RGB32);
        photo.fill(QColor(70, 130, 180));
        auto* picture = s.AddNew<CTavDbMMContentsObject>();
        picture->SetPicture(QStringLiteral("C:\\Card\\DCIM\\photo1.png"), photo,
                            CTavDbMMContentsObject::FlagOnPc);
        auto* movie = s.AddNew<CTavDbMMContentsObject>();
        movie->SetMovie(contents + QStringLiteral("/clip.mov"), QImage());
        movie->Offset(0, 100);
        auto* sound = s.AddNew<CTavDbMMContentsObject>();
        sound->SetSound(contents + QStringLiteral("/voice.wav"));
        sound->Offset(0, 200);
        auto* pasted = s.AddNew<CTavDbMMContentsObject>();
        pasted->SetQuillo(m_folder + QStringLiteral("/roundtrip.pdb"), photo.scaled(50, 65));
        pasted->Offset(150, 200);
        dlg->Page()->update();
        AppTestEnv::Screenshot(dlg.get(), QStringLiteral("freeedit-contents"));

        auto doubleClick = [&](CTavDbMMContentsObject* o) {
            mouse(dlg->Page(), QEvent::MouseButtonDblClick, o->GetRect().center());
        };
        QStringList opened;
        CTavFreeEditMedia::SetOpener([&](const QUrl& url) {
            opened << url.toLocalFile();
            return !url.toLocalFile().endsWith(QStringLiteral(".wav"));
        });
        // Missing sources: one message each, naming the kind.
        m_env->ClearRecords();
        for (auto* o : {picture, movie, sound})
            doubleClick(o);
        QCOMPARE(m_env->Messages(),
                 QStringList(
                     {QStringLiteral("ページに貼り付けられている静止画のオリジナルデータが存在しません。"),
                      QStringLiteral("ページに貼り付けられている動画のオリジナルデータが存在しません。"),
                      QStringLiteral("ページに貼り付けられている音声のオリジナルデータが存在しません。")}));
        QVERIFY(opened.isEmpty());

        // Present: the picture found in the contents folder by its name, the movie handed to the
        // desktop, the sound refused by it.
        QVERIFY(photo.save(contents + QStringLiteral("/photo1.png")));
        for (const QString& f : {QStringLiteral("/clip.mov"), QStringLiteral("/voice.wav")}) {
            QFile file(contents + f);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("data");
        }
        m_env->ClearRecords();
        m_env->AnswerDialog(answer<CTavFreeEditPictureDlg>([](CTavFreeEditPictureDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("画像"));
            QVERIFY(!d.PeelButton());
        }));
        for (auto* o : {picture, movie, sound})
            doubleClick(o);
        QCOMPARE(opened, QStringList({contents + QStringLiteral("/clip.mov"),
                                      contents + QStringLiteral("/voice.wav")}));
        QCOMPARE(m_env->Messages(),
                 QStringList{QStringLiteral("この音声を再生出来るアプリケーションがありません。")});

        // A pasted sheet opens in the viewer; peeling it off takes it off the page.
        m_env->AnswerDialog(answer<CTavFreeEditPictureDlg>([](CTavFreeEditPictureDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("手書きメモビューワー"));
            AppTestEnv::Screenshot(&d, QStringLiteral("freeedit-viewer"));
            d.PeelButton()->click();
        }));
        doubleClick(pasted);
        QCOMPARE(objects<CTavDbMMContentsObject>(s).size(), 3);
        CTavFreeEditMedia::SetOpener(nullptr);
        dlg->reject();
    }

    void clearAndSealPages()
    {
        auto dlg = open();
        // A stroke, then clear: the undo history goes with the old sheet.
        drag(dlg->Page(), QPoint(30, 30), QPoint(90, 60));
        click(*dlg, Dlg::IdClear);
        click(*dlg, Dlg::IdUndo);
        QCOMPARE(kinds(sheet(*dlg)), QList<int>({1, 2, 3}));
        dlg->reject();

        // At most fifty seals, twenty a page.
        CTavDbPalmDatabase many;
        QVERIFY(many.Create(CTavDbEnv::GetCorePath() + QStringLiteral("Seals/Many.prc"), 0x62697473,
                            0x53746D70, true) == TavStatusCode::Ok);
        for (int id = 0; id < 60; ++id)
            QVERIFY(many.AddResource(CTavDbSealObject::BitmapType, uint16_t(2000 + id),
                                     ringBitmap(16 + id % 16)) == TavStatusCode::Ok);
        QVERIFY(many.Save() == TavStatusCode::Ok);
        CTavDbFreePrcObjectManager store({CTavDbEnv::GetCorePath() + QStringLiteral("Seals")});
        CTavFreeEditSealDlg seals(store);
        seals.show();
        QCOMPARE(seals.Seals().size(), 50);
        QCOMPARE(seals.PageSpin()->maximum(), 3);
        seals.PageSpin()->setValue(3);
        int enabled = 0;
        for (QToolButton* cell : seals.Cells())
            enabled += cell->isEnabled() && !cell->icon().isNull();
        QCOMPARE(enabled, 10);
        AppTestEnv::Screenshot(&seals, QStringLiteral("freeedit-seals"));
        seals.Cells()[9]->click();
        QCOMPARE(seals.Chosen()->id, seals.Seals()[49].id);
        QFile::remove(CTavDbEnv::GetCorePath() + QStringLiteral("Seals/Many.prc"));
    }

    void editFromOpener()
    {
        // The opener's call: modal, HotSync held off while open, true only when saved.
        CTavFreeEditRequest request{m_folder, QStringLiteral("opener.pdb"), true};
        m_env->AnswerDialog(answer<Dlg>([this](Dlg& d) {
            QCOMPARE(m_app->readyForSync(), 0);
            drag(d.Page(), QPoint(10, 10), QPoint(60, 60));
        }));
        QVERIFY(Dlg::Edit(*m_app, request, nullptr));
        QCOMPARE(m_app->readyForSync(), 1);
        m_env->AnswerDialog(AppTestEnv::PressCancel());
        QVERIFY(!Dlg::Edit(*m_app, request, nullptr));

        // A file that is no sheet at all: told, not opened, not written over.
        QFile broken(m_folder + QStringLiteral("/broken.pdb"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a database");
        broken.close();
        m_env->ClearRecords();
        QVERIFY(!Dlg::Edit(*m_app, {m_folder, QStringLiteral("broken.pdb")}, nullptr));
        QCOMPARE(m_env->Messages().size(), 1);
        QVERIFY(m_env->Messages().first().contains(QStringLiteral("broken.pdb")));
        QVERIFY(broken.open(QIODevice::ReadOnly));
        QCOMPARE(broken.readAll(), QByteArray("not a database"));
    }
};

QTEST_MAIN(TestFreeEdit)
#include "tst_freeedit.moc"
