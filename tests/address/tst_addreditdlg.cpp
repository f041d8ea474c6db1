#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUndoStack>

#include "AppTestEnv.h"
#include "CTavAddrEditDlg.h"
#include "CTavAddrPrefsDlg.h"
#include "CTavAddrThumbChooser.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavFileDlg.h"
#include "CTavModuleDoc.h"
#include "CTavProfile.h"
#include "CTavSheetChooserDlg.h"
#include "TestSheets.h"

using Rec = CTavDbAddrRecord;

namespace {
const QString kSection = QStringLiteral("CustomLabel");

// Text of exactly that many code page 932 bytes: double-byte kanji, then one ASCII letter.
QString bytesOf(int bytes)
{
    return QString(bytes / 2, u'漢') + (bytes % 2 ? QStringLiteral("a") : QString());
}

QString camera(const QString& name)
{
    return QStringLiteral(LUMORA_TEST_DATA_DIR "/camera/") + name;
}

QSize jpegSize(const QByteArray& data)
{
    QImage image;
    image.loadFromData(data, "JPG");
    return image.size();
}
} // namespace

// The card dialog, the address preferences and the picture chooser, on a running program.
class TestAddrEditDlg : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    QByteArray m_oldTmp;

    CTavDbAddr& store() { return m_app->AddrStore(); }
    QString sheetFolder() { return m_app->Users().GetCurrUserPath() + CTavDbEnv::GetQuillosDir(); }

    // A card with every field, stored; the stored copy is returned.
    Rec storedCard()
    {
        Rec card;
        for (int f = 0; f < Rec::FieldCount; ++f)
            card.SetField(Rec::Field(f), QStringLiteral("値%1").arg(f));
        for (int slot = 0; slot < Rec::kPhoneCount; ++slot)
            card.SetPhoneLabelID(slot, 7 - slot);
        card.SetDisplayPhone(3);
        card.SetCategoryID(store().FindCategoryByName(QStringLiteral("パーソナル"))->GetID());
        card.SetPrivate(true);
        card.SetQuilloName(QStringLiteral("打ち合わせ"));
        if (!CTavAddrThumbChooser::UsePicture(nullptr, camera(QStringLiteral("Canon_40D.jpg")), card))
            qFatal("no thumbnail");
        if (store().AddRecord(card) != TavStatusCode::Ok)
            qFatal("card not stored");
        return *static_cast<Rec*>(store().FindRecord(card.GetUniqueId()));
    }

private slots:
    void init()
    {
        m_env = std::make_unique<AppTestEnv>();
        // The thumbnail's temporary file goes into this test's own folder.
        m_oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", m_env->Dir().path().toUtf8());
        AppTestEnv::AddUser(QStringLiteral("Hanako"));
        m_app = m_env->Start();
        QVERIFY(m_app && m_app->MainFrame());
        QDir().mkpath(sheetFolder());
    }
    void cleanup()
    {
        AppTestEnv::Close(m_app);
        m_env.reset();
        qputenv("TMPDIR", m_oldTmp);
    }

    void overlongFieldsAreReportedInCheckOrder()
    {
        CTavAddrEditDlg dlg(*m_app, CTavAddrEditDlg::NewCard(*m_app), true);
        const auto setText = [&](Rec::Field f, const QString& text) {
            if (f == Rec::Note)
                dlg.NoteEdit()->setPlainText(text);
            else
                dlg.FieldEdit(f)->setText(text);
        };
        for (int f = 0; f < Rec::FieldCount; ++f)
            setText(Rec::Field(f), bytesOf(Rec::MaxBytes(Rec::Field(f)) + 1));
        const QString phone = QStringLiteral("電話を256バイト以内に編集してください");
        const QString custom = QStringLiteral("カスタムを256バイト以内に編集してください");
        const std::pair<Rec::Field, QString> order[] = {
            {Rec::LastNameYomi, QStringLiteral("よみ（姓）を256バイト以内に編集してください")},
            {Rec::FirstNameYomi, QStringLiteral("よみ（名）を256バイト以内に編集してください")},
            {Rec::LastName, QStringLiteral("姓を256バイト以内に編集してください")},
            {Rec::FirstName, QStringLiteral("名を256バイト以内に編集してください")},
            {Rec::CompanyYomi, QStringLiteral("よみ（会社）を256バイト以内に編集してください")},
            {Rec::Company, QStringLiteral("会社を256バイト以内に編集してください")},
            {Rec::Title, QStringLiteral("役職を256バイト以内に編集してください")},
            {Rec::Phone1, phone},
            {Rec::Phone2, phone},
            {Rec::Phone3, phone},
            {Rec::Phone4, phone},
            {Rec::Phone5, phone},
            {Rec::ZipCode, QStringLiteral("郵便番号を256バイト以内に編集してください")},
            {Rec::State, QStringLiteral("都道府県を256バイト以内に編集してください")},
            {Rec::City, QStringLiteral("市町村を256バイト以内に編集してください")},
            {Rec::Address, QStringLiteral("住所を256バイト以内に編集してください")},
            {Rec::Country, QStringLiteral("国名を256バイト以内に編集してください")},
            {Rec::Custom1, custom},
            {Rec::Custom2, custom},
            {Rec::Custom3, custom},
            {Rec::Custom4, custom},
            {Rec::Note, QStringLiteral("コメントを4Kバイト以内に編集してください")},
        };
        // Each OK names the first field still over its limit (a 257-byte last name is refused
        // with its own message); cut to exactly the limit, the field passes.
        for (const auto& [field, message] : order) {
            dlg.accept();
            QVERIFY(dlg.result() != QDialog::Accepted);
            QCOMPARE(m_env->Messages().last(), message);
            setText(field, bytesOf(Rec::MaxBytes(field)));
        }
        QCOMPARE(m_env->Messages().size(), int(std::size(order)));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Card().GetLastName(), QString(128, u'漢'));
        QCOMPARE(dlg.Card().GetNote(), QString(2048, u'漢'));
    }

    void emptyCardRefusedNoteOnlyAccepted()
    {
        CTavAddrEditDlg dlg(*m_app, CTavAddrEditDlg::NewCard(*m_app), true);
        // Labels, category and private flag alone are no content.
        dlg.PrivateBox()->setChecked(true);
        dlg.accept();
        QVERIFY(dlg.result() != QDialog::Accepted);
        QCOMPARE(m_env->Messages(), QStringList{QStringLiteral(
                                        "アドレスには、1フィールド以上のデータを入力する必要があります。")});
        dlg.NoteEdit()->setPlainText(QStringLiteral("電話は夜だけ\n二行目"));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Card().GetNote(), QStringLiteral("電話は夜だけ\n二行目"));
        QVERIFY(dlg.Card().GetIsPrivate());
        QCOMPARE(dlg.SaveMode(), CTavAddrEditDlg::Save::AddNew);
        QVERIFY(!dlg.OverwriteButton() && !dlg.AddNewButton());
    }

    void newCardDefaultsComeFromProfileAndList()
    {
        for (int slot = 0; slot < Rec::kPhoneCount; ++slot)
            CTavProfile::WriteProfileInt(kSection, QStringLiteral("defphonelabel%1").arg(slot), 7 - slot);
        CTavProfile::WriteProfileInt(kSection, QStringLiteral("defphone"), 4);
        const uint32_t personal = store().FindCategoryByName(QStringLiteral("パーソナル"))->GetID();
        store().SetCategoryFilter(personal);
        Rec card = CTavAddrEditDlg::NewCard(*m_app);
        QCOMPARE(card.GetDisplayPhone(), 4);
        QCOMPARE(card.GetPhoneLabelID(0), 7);
        QCOMPARE(card.GetCategoryID(), personal);

        CTavAddrEditDlg dlg(*m_app, card, true);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("アドレス新規作成ダイアログ"));
        QCOMPARE(dlg.PhoneLabelBox(0)->currentText(), QStringLiteral("携帯"));
        QVERIFY(dlg.UsualContactButton(3)->isChecked());
        QCOMPARE(dlg.CategoryBox()->currentText(), QStringLiteral("パーソナル"));
        dlg.show();
        AppTestEnv::Screenshot(&dlg, QStringLiteral("address-new-card"));

        // All categories listed, and values out of range, give the plain defaults.
        store().SetCategoryFilter(CTavDbPcRecord::kAllCategories);
        CTavProfile::WriteProfileInt(kSection, QStringLiteral("defphonelabel2"), 8);
        CTavProfile::WriteProfileInt(kSection, QStringLiteral("defphone"), 0);
        card = CTavAddrEditDlg::NewCard(*m_app);
        QCOMPARE(card.GetCategoryID(), CTavDbPcRecord::kUnfiled);
        QCOMPARE(card.GetPhoneLabelID(2), 2);
        QCOMPARE(card.GetDisplayPhone(), 1);
    }

    void existingCardRoundTripsAndSaveModes()
    {
        const Rec stored = storedCard();
        {
            // Unchanged, OK gives back the same card: every field lands where it came from.
            CTavAddrEditDlg dlg(*m_app, stored, false);
            QCOMPARE(dlg.windowTitle(), QStringLiteral("アドレス編集ダイアログ"));
            m_env->AnswerMessage(TavMsg::IdNo); // keep the link to the missing sheet
            m_env->AnswerDialog([](CTavDialogBase& d) {
                d.show();
                AppTestEnv::Screenshot(&d, QStringLiteral("address-edit-card"));
                d.accept();
                return d.result();
            });
            QCOMPARE(dlg.exec(), int(QDialog::Accepted));
            QVERIFY(!dlg.ThumbnailWell()->pixmap().isNull());
            QVERIFY(dlg.Card().IsEqualPdt(stored));
            QCOMPARE(dlg.Card().GetUniqueId(), stored.GetUniqueId());
            QCOMPARE(dlg.SaveMode(), CTavAddrEditDlg::Save::Update);
        }
        {
            // "追加保存" runs the checks first, then asks for a new card.
            CTavAddrEditDlg dlg(*m_app, stored, false);
            dlg.FieldEdit(Rec::City)->setText(bytesOf(257));
            dlg.AddNewButton()->click();
            QVERIFY(dlg.result() != QDialog::Accepted);
            QCOMPARE(m_env->Messages().last(), QStringLiteral("市町村を256バイト以内に編集してください"));
            dlg.FieldEdit(Rec::City)->setText(QStringLiteral("横浜市"));
            dlg.PhoneLabelBox(1)->setCurrentIndex(Rec::kLabelEmail);
            dlg.UsualContactButton(0)->setChecked(true);
            dlg.AddNewButton()->click();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(dlg.SaveMode(), CTavAddrEditDlg::Save::AddNew);
            QCOMPARE(dlg.Card().GetCity(), QStringLiteral("横浜市"));
            QCOMPARE(dlg.Card().GetPhoneLabelID(1), int(Rec::kLabelEmail));
            QCOMPARE(dlg.Card().GetDisplayPhone(), 1);
        }
        {
            // "上書き保存" replaces the card; a cleared picture and link go with it.
            CTavAddrEditDlg dlg(*m_app, stored, false);
            dlg.ThumbnailClearButton()->click();
            QVERIFY(dlg.ThumbnailWell()->pixmap().isNull());
            dlg.SheetUnlinkButton()->click();
            dlg.CategoryBox()->setCurrentIndex(0);
            dlg.OverwriteButton()->click();
            QCOMPARE(dlg.SaveMode(), CTavAddrEditDlg::Save::Update);
            QVERIFY(dlg.Card().GetThumbData().isEmpty() && dlg.Card().GetThumbName().isEmpty());
            QCOMPARE(dlg.Card().GetDummyThumb(), 0);
            QVERIFY(dlg.Card().GetQuilloName().isEmpty());
            QCOMPARE(dlg.Card().GetCategoryID(), CTavDbPcRecord::kUnfiled);
        }
    }

    void memoSheetLink()
    {
        Rec card;
        card.SetLastName(QStringLiteral("佐藤"));
        card.SetQuilloName(QStringLiteral("消えたメモ"));
        {
            // A sheet that is gone: the user agrees to drop the link.
            CTavAddrEditDlg dlg(*m_app, card, false);
            m_env->AnswerMessage(TavMsg::IdYes);
            m_env->AnswerDialog([](CTavDialogBase& d) {
                d.accept();
                return d.result();
            });
            QCOMPARE(dlg.exec(), int(QDialog::Accepted));
            QCOMPARE(m_env->Messages(), QStringList{CTavAddrEditDlg::kSheetMissing});
            QVERIFY(dlg.Card().GetQuilloName().isEmpty());
        }
        // The sheets of the user's folder are offered; the chosen one is linked by its name, and
        // a cancelled choice keeps the link there was.
        QVERIFY(TestSheets::write(sheetFolder() + QStringLiteral("/会議メモ.pdb"),
                                  CTavDbFreePdbObjectManager::TypeSheet, QStringLiteral("会議")));
        m_env->ClearRecords();
        CTavAddrEditDlg dlg(*m_app, card, false);
        m_env->AnswerMessage(TavMsg::IdNo);
        m_env->AnswerDialog([&](CTavDialogBase& d) {
            auto& edit = static_cast<CTavAddrEditDlg&>(d);
            m_env->AnswerDialog(AppTestEnv::PressCancel());
            edit.SheetPickButton()->click();
            if (edit.SheetLabel()->text() != QStringLiteral("消えたメモ"))
                return int(QDialog::Rejected);
            m_env->AnswerDialog([](CTavDialogBase& chooser) {
                auto* sheets = qobject_cast<CTavSheetChooserDlg*>(&chooser);
                if (!sheets || !sheets->SelectSheet(QStringLiteral("会議メモ")))
                    return int(QDialog::Rejected);
                sheets->accept();
                return sheets->result();
            });
            edit.SheetPickButton()->click();
            edit.accept();
            return edit.result();
        });
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QCOMPARE(m_env->Messages().size(), 1);
        QCOMPARE(dlg.Card().GetQuilloName(), QStringLiteral("会議メモ"));
        QVERIFY(m_env->AllAnswersUsed());
    }

    void customLabelLimits_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("15 single-byte") << QString(15, u'x') << true;
        QTest::newRow("16 single-byte") << QString(16, u'x') << false;
        QTest::newRow("7 double-byte and one") << QString(7, u'漢') + u'x' << true;
        QTest::newRow("8 double-byte") << QString(8, u'漢') << false;
    }
    void customLabelLimits()
    {
        QFETCH(QString, label);
        QFETCH(bool, accepted);
        const QStringList before = store().GetCustomLabels();
        CTavAddrPrefsDlg dlg(*m_app);
        dlg.CustomLabelEdit(1)->setText(label);
        dlg.CustomLabelEdit(2)->clear();
        dlg.accept();
        QCOMPARE(dlg.result() == QDialog::Accepted, accepted);
        if (accepted) {
            QCOMPARE(store().GetCustomLabel(1), label);
            QCOMPARE(store().GetCustomLabel(2), QStringLiteral("カスタムラベル3"));
            QVERIFY(m_env->Messages().isEmpty());
        } else {
            QCOMPARE(m_env->Messages(),
                     QStringList{QStringLiteral("カスタムラベルは15文字以内で入力してください")});
            QCOMPARE(store().GetCustomLabels(), before);
        }
    }

    void restoringDefaultsIsOneUndoableStep()
    {
        for (int slot = 0; slot < Rec::kPhoneCount; ++slot)
            CTavProfile::WriteProfileInt(kSection, QStringLiteral("defphonelabel%1").arg(slot), 7);
        CTavProfile::WriteProfileInt(kSection, QStringLiteral("defphone"), 5);
        const QStringList old = {QStringLiteral("誕生日"), QStringLiteral("趣味"), QStringLiteral("血液型"),
                                 QStringLiteral("ニックネーム")};
        QCOMPARE(store().SetCustomLabels(old), TavStatusCode::Ok);

        CTavAddrPrefsDlg dlg(*m_app);
        QCOMPARE(dlg.CustomLabelEdit(3)->text(), QStringLiteral("ニックネーム"));
        QVERIFY(dlg.SlotButton(4)->isChecked());
        QCOMPARE(dlg.UsualText()->text(), QStringLiteral("携帯は通常使用する連絡先です。"));
        dlg.SlotButton(1)->click();
        dlg.LabelBox(1)->setCurrentIndex(Rec::kLabelFax);
        QCOMPARE(dlg.UsualText()->text(), QStringLiteral("Faxは通常使用する連絡先です。"));
        dlg.show();
        AppTestEnv::Screenshot(&dlg, QStringLiteral("address-preferences"));

        dlg.DefaultsButton()->click();
        QCOMPARE(dlg.UsualText()->text(), QStringLiteral("会社℡は通常使用する連絡先です。"));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(CTavProfile::GetProfileInt(kSection, QStringLiteral("defphone"), -1), 1);
        for (int slot = 0; slot < Rec::kPhoneCount; ++slot)
            QCOMPARE(CTavProfile::GetProfileInt(kSection, QStringLiteral("defphonelabel%1").arg(slot), -1),
                     slot);
        QCOMPARE(store().GetCustomLabels(), CTavDbAddr::DefaultCustomLabels());
        QCOMPARE(CTavAddrEditDlg::NewCard(*m_app).GetPhoneLabelID(4), 4);

        QUndoStack& undo = m_app->Document(TavSlot::Address)->UndoStack();
        QCOMPARE(undo.count(), 1);
        QCOMPARE(undo.undoText(), QStringLiteral("カスタムラベルの変更"));
        undo.undo();
        QCOMPARE(store().GetCustomLabels(), old);
        undo.redo();
        QCOMPARE(store().GetCustomLabels(), CTavDbAddr::DefaultCustomLabels());
    }

    void pictureChooser()
    {
        // Stored 450 x 600 with "turn 90°" in its EXIF data: upright it is landscape.
        Rec card;
        m_env->AnswerDialog(AppTestEnv::ChooseFile(camera(QStringLiteral("orientation/landscape_6.jpg"))));
        QVERIFY(CTavAddrThumbChooser::Choose(nullptr, card));
        QCOMPARE(m_env->DialogTitles(), QStringList{QStringLiteral("写真の指定")});
        QCOMPARE(card.GetThumbName(), QStringLiteral("landscape_6.jpg"));
        QCOMPARE(card.GetDummyThumb(), 1);
        QCOMPARE(jpegSize(card.GetThumbData()), QSize(96, 72));
        QFile temporary(QDir(m_env->Dir().path()).filePath(QStringLiteral("_tavAddrTemp.jpg")));
        QVERIFY(temporary.open(QIODevice::ReadOnly));
        QCOMPARE(temporary.readAll(), card.GetThumbData());

        // A file that is no picture is named to the user and changes nothing.
        QFile fake(m_env->Dir().filePath(QStringLiteral("notes.jpg")));
        QVERIFY(fake.open(QIODevice::WriteOnly) && fake.write("meeting at ten\n") > 0);
        fake.close();
        const Rec before = card;
        m_env->AnswerDialog(AppTestEnv::ChooseFile(fake.fileName()));
        QVERIFY(!CTavAddrThumbChooser::Choose(nullptr, card));
        QCOMPARE(m_env->Messages().size(), 1);
        QVERIFY(m_env->Messages().first().contains(QStringLiteral("notes.jpg")));
        QVERIFY(card.IsEqualPdt(before));
    }
};

QTEST_MAIN(TestAddrEditDlg)
#include "tst_addreditdlg.moc"
