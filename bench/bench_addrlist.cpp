// The address book with 65,535 cards: rebuilding the list (the document's rows and the list
// pane's rows and paint), switching index tabs and searching. The cards are generated once into
// the build's bench-data/addrlist.

#include <QApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

#include "BenchEnv.h"
#include "CTavAddrDoc.h"
#include "CTavAddrFrame.h"
#include "CTavAddrLeftView.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbEnv.h"

namespace {
QString dataDir()
{
    return BenchEnv::workDir(QStringLiteral("addrlist"));
}

struct Name
{
    const char16_t* text;
    const char16_t* reading;
};
const Name kLastNames[] = {
    {u"佐藤", u"サトウ"},   {u"鈴木", u"スズキ"},     {u"高橋", u"タカハシ"}, {u"田中", u"タナカ"},
    {u"渡辺", u"ワタナベ"}, {u"伊藤", u"イトウ"},     {u"中村", u"ナカムラ"}, {u"小林", u"コバヤシ"},
    {u"山本", u"ヤマモト"}, {u"加藤", u"カトウ"},     {u"吉田", u"ヨシダ"},   {u"後藤", u"ゴトウ"},
    {u"Smith", u""},        {u"長谷川", u"ハセガワ"}, {u"村上", u"ムラカミ"}, {u"根本", u"ネモト"}};
const Name kFirstNames[] = {{u"一郎", u"イチロウ"}, {u"洋子", u"ヨウコ"}, {u"学", u"マナブ"},
                            {u"彩", u"アヤ"},       {u"John", u""},       {u"大樹", u"ダイキ"},
                            {u"隆", u"タカシ"},     {u"恵", u"メグミ"}};
const char16_t* const kCompanies[] = {u"", u"株式会社あおば", u"山田商事",  u"Example Inc.", u"みなと物産",
                                      u"", u"ひかり電機",     u"丸の内銀行"};

// The store file, made on first use; its name carries the count.
QString storePath()
{
    const QString path = dataDir() + QStringLiteral("/address%1.ldb").arg(BenchEnv::records());
    if (QFileInfo::exists(path))
        return path;
    CTavDbAddr store;
    QList<uint32_t> categories{0};
    for (const char16_t* name : {u"仕事", u"個人", u"家族"}) {
        uint32_t id = 0;
        store.AddCategory(QString::fromUtf16(name), &id);
        categories << id;
    }
    QRandomGenerator random(62024);
    for (int n = 0; n < BenchEnv::records(); ++n) {
        const Name& last = kLastNames[random.bounded(int(std::size(kLastNames)))];
        const Name& first = kFirstNames[random.bounded(int(std::size(kFirstNames)))];
        CTavDbAddrRecord card;
        card.SetLastName(QString::fromUtf16(last.text));
        card.SetLastNameYomi(QString::fromUtf16(last.reading));
        card.SetFirstName(QString::fromUtf16(first.text) + QString::number(n));
        card.SetFirstNameYomi(QString::fromUtf16(first.reading));
        card.SetCompany(QString::fromUtf16(kCompanies[random.bounded(int(std::size(kCompanies)))]));
        card.SetPhone(0, QStringLiteral("03-%1-%2").arg(random.bounded(10000)).arg(n % 10000));
        card.SetPhone(4, QStringLiteral("user%1@example.jp").arg(n));
        card.SetPhoneLabelID(4, CTavDbAddrRecord::kLabelEmail);
        card.SetDisplayPhone(random.bounded(2) ? 1 : 0);
        card.SetCity(QStringLiteral("千代田区"));
        card.SetNote(random.bounded(4) == 0 ? QStringLiteral("打ち合わせは水曜日") : QString());
        card.SetCategoryID(categories.at(random.bounded(categories.size())));
        card.SetPrivate(random.bounded(20) == 0);
        store.AddRecord(card);
    }
    return store.WriteToFile(path) == TavStatusCode::Ok ? path : QString();
}

// The application's address store loaded with the cards, and the address book's window on it.
struct AddressBook
{
    CTavApp app;
    CTavAddrDoc* doc = nullptr;
    CTavAddrFrame* frame = nullptr;
    std::string error;

    AddressBook()
    {
        CTavDbEnv::SetCorePath(dataDir() + QStringLiteral("/root/"));
        if (storePath().isEmpty() || app.AddrStore().LoadFromFile(storePath()) != TavStatusCode::Ok)
            error = "cannot write or read the address store in " + dataDir().toStdString();
        doc = new CTavAddrDoc(app, &app);
        frame = new CTavAddrFrame(doc);
        frame->resize(1000, 700);
        frame->show();
        frame->LayOutPanes(1000);
        frame->Update(0);
        QApplication::processEvents();
        if (error.empty() && app.AddrStore().GetRecordCount() != BenchEnv::records())
            error = BenchEnv::mismatch(QStringLiteral("cards"), BenchEnv::records(),
                                       app.AddrStore().GetRecordCount());
    }
    ~AddressBook() { delete frame; }
};

std::unique_ptr<AddressBook> g_book; // made on first use, gone before the application object

AddressBook& book()
{
    if (!g_book)
        g_book = std::make_unique<AddressBook>();
    return *g_book;
}

bool ready(benchmark::State& state)
{
    if (!book().error.empty())
        state.SkipWithError(book().error.c_str());
    return book().error.empty();
}

// A refresh after a change of the cards: the rows of every card and the list painted again.
void BM_RebuildList(benchmark::State& state)
{
    if (!ready(state))
        return;
    AddressBook& b = book();
    b.frame->PressTab(CTavAddrDoc::kTabAll);
    for (auto _ : state) {
        b.doc->Refresh();
        b.frame->LeftView()->viewport()->repaint();
        benchmark::DoNotOptimize(b.doc->Count());
    }
    state.counters["cards"] = b.doc->Count();
}
BENCHMARK(BM_RebuildList)->Unit(benchmark::kMillisecond);

// Pressing a tab: from all cards to "か" (arg 1) and from "か" back to all (arg 10).
void BM_SwitchTab(benchmark::State& state)
{
    if (!ready(state))
        return;
    AddressBook& b = book();
    const int to = static_cast<int>(state.range(0));
    const int from = to == CTavAddrDoc::kTabAll ? 1 : CTavAddrDoc::kTabAll;
    for (auto _ : state) {
        state.PauseTiming();
        b.frame->PressTab(from);
        state.ResumeTiming();
        b.frame->PressTab(to);
        b.frame->LeftView()->viewport()->repaint();
        benchmark::DoNotOptimize(b.doc->Count());
    }
    state.counters["rows"] = b.doc->Count();
    b.frame->PressTab(CTavAddrDoc::kTabAll);
}
BENCHMARK(BM_SwitchTab)->Arg(1)->Arg(CTavAddrDoc::kTabAll)->Unit(benchmark::kMillisecond);

// Switching to the company order and back to the name order.
void BM_SwitchSort(benchmark::State& state)
{
    if (!ready(state))
        return;
    AddressBook& b = book();
    for (auto _ : state) {
        b.doc->SetSortMode(1);
        b.doc->SetSortMode(0);
        benchmark::DoNotOptimize(b.doc->Count());
    }
}
BENCHMARK(BM_SwitchSort)->Unit(benchmark::kMillisecond);

// Typing into the search box: the list narrows to the matching cards.
void BM_Search(benchmark::State& state)
{
    if (!ready(state))
        return;
    AddressBook& b = book();
    for (auto _ : state) {
        b.doc->SetSearchText(QStringLiteral("たなか"));
        benchmark::DoNotOptimize(b.doc->Count());
        state.PauseTiming();
        b.doc->SetSearchText(QString());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int status = BenchEnv::run(argc, argv);
    g_book.reset();
    return status;
}
