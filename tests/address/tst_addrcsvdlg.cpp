#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QTableWidget>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavAddrCsvImportDlg.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbText.h"

namespace {
using Format = CTavDbAddrCsvFormat;
using R = CTavDbAddrRecord;

// The program's own columns in code page 932 with semicolons; 表 and ソ end in the byte of '\'.
const QString kSemicolonFile =
    QStringLiteral("category;private;last_name;first_name;last_name_reading;first_name_reading;company;"
                   "phone1_label;phone1;note\r\n"
                   "仕事;1;表;颯太;オモテ;ソウタ;北星ソフト;7;090-0000-1111;\"備考;再訪問\"\r\n"
                   ";0;能登;十;ノト;ジュウ;;;;\r\n");
} // namespace

// The CSV import dialog: what it guesses from a file, how a column is given another field, and
// that the choice comes back for the next file with the same columns.
class TestAddrCsvDlg : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile f(m_env->Dir().filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? f.fileName() : QString();
    }

private slots:
    void init()
    {
        QVERIFY(AppTestEnv::StartAt({}, m_env, m_app, QStringLiteral("Taro")));
    }
    void cleanup()
    {
        AppTestEnv::Finish(m_env, m_app);
    }

    void guessesAColumnIsChangedAndRemembered()
    {
        const QString path = write(QStringLiteral("semicolon.csv"), CTavDbText::toCp932(kSemicolonFile));
        {
            CTavAddrCsvImportDlg dlg(*m_app, path);
            QCOMPARE(dlg.EncodingBox()->currentIndex(), 1);
            QCOMPARE(dlg.DelimiterBox()->currentText(), QStringLiteral("セミコロン (;)"));
            QVERIFY(dlg.HeaderBox()->isChecked());
            QCOMPARE(dlg.LayoutBox()->currentText(), Format::LayoutName(Format::LayoutOwn));
            QCOMPARE(dlg.PreviewTable()->columnCount(), 10);
            QCOMPARE(dlg.PreviewTable()->rowCount(), 3); // the field choosers and two cards
            QCOMPARE(dlg.PreviewTable()->item(1, 2)->text(), QStringLiteral("表"));
            QCOMPARE(dlg.PreviewTable()->item(1, 9)->text(), QStringLiteral("備考;再訪問"));
            QCOMPARE(dlg.FieldBox(2)->currentData().toInt(), int(R::LastName));
            QCOMPARE(dlg.FieldBox(0)->currentText(), QStringLiteral("カテゴリ"));

            QComboBox* company = dlg.FieldBox(6);
            company->setCurrentIndex(company->findData(int(R::Custom1)));
            QCOMPARE(dlg.LayoutBox()->currentText(), Format::LayoutName(Format::LayoutCustom));
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            AppTestEnv::Screenshot(&dlg, QStringLiteral("address-csv-import"));
            dlg.accept();

            const Format format = dlg.Format();
            QCOMPARE(m_app->AddrStore().ImportCsvFile(path, &format), TavStatusCode::Ok);
            QCOMPARE(m_app->AddrStore().GetRecordCount(), 2);
            const auto* card = static_cast<const R*>(m_app->AddrStore().AllRecords().front().get());
            QCOMPARE(card->GetCustom(0), QStringLiteral("北星ソフト"));
            QVERIFY(card->GetCompany().isEmpty());
        }
        {
            // Another file with the same header gets the same choice; a comma turns it into one column.
            CTavAddrCsvImportDlg dlg(*m_app,
                                     write(QStringLiteral("again.csv"), CTavDbText::toCp932(kSemicolonFile)));
            QCOMPARE(dlg.FieldBox(6)->currentData().toInt(), int(R::Custom1));
            dlg.DelimiterBox()->setCurrentIndex(0);
            QCOMPARE(dlg.PreviewTable()->columnCount(), 1);
            QVERIFY(!dlg.FieldBox(1));
        }
        {
            // Other columns start from the guess again.
            QString other = kSemicolonFile;
            other.replace(QStringLiteral("company;"), QStringLiteral("company_reading;"));
            CTavAddrCsvImportDlg dlg(*m_app, write(QStringLiteral("utf8.csv"), other.toUtf8()));
            QCOMPARE(dlg.EncodingBox()->currentIndex(), 0);
            QCOMPARE(dlg.FieldBox(6)->currentData().toInt(), int(R::CompanyYomi));
        }
    }
};

QTEST_MAIN(TestAddrCsvDlg)
#include "tst_addrcsvdlg.moc"
