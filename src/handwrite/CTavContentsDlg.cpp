#include "CTavContentsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "CTavApp.h"
#include "CTavCardDriveDlg.h"
#include "CTavContentMarks.h"
#include "CTavContentScan.h"
#include "CTavDriveMap.h"
#include "CTavFileDlg.h"
#include "CTavFreeSheetScan.h"
#include "CTavHelp.h"
#include "CTavOptions.h"
#include "CTavProfile.h"
#include "CTavRegOption.h"
#include "CTavSheetLink.h"
#include "CTavThumbnailQueue.h"
#include "TavCommandIds.h"
#include "TavStrings.h"

namespace {
const QString kProfileSection = QStringLiteral("Contents");
const QString kHelpPage = QStringLiteral("contents.html");
const QSize kBox(CTavContentsDlg::ThumbnailWidth, CTavContentsDlg::ThumbnailHeight);

QString dateText(const QDateTime& dt)
{
    if (!dt.isValid())
        return QString();
    const QString date = QLocale(QLocale::Japanese, QLocale::Japan).toString(dt.date(), QLocale::ShortFormat);
    return QString::asprintf("%s %02d:%02d:%02d", qUtf8Printable(date), dt.time().hour(), dt.time().minute(),
                             dt.time().second());
}

QString kindText(TavContentKind kind)
{
    switch (kind) {
    case TavContentKind::Picture:
        return QStringLiteral("静止画");
    case TavContentKind::Sound:
        return QStringLiteral("音声");
    case TavContentKind::Movie:
        return QStringLiteral("動画");
    case TavContentKind::Sheet:
        return QStringLiteral("手書きメモ");
    default:
        return QString();
    }
}

int filterOf(TavContentKind kind)
{
    switch (kind) {
    case TavContentKind::Picture:
        return CTavContentsDlg::IdPictures;
    case TavContentKind::Sound:
        return CTavContentsDlg::IdSounds;
    case TavContentKind::Movie:
        return CTavContentsDlg::IdMovies;
    default:
        return CTavContentsDlg::IdSheets;
    }
}

const QImage& mark(CTavContentMarks::Mark which)
{
    static const auto marks = [] {
        std::vector<QImage> all;
        for (auto m :
             {CTavContentMarks::Mark::Sound, CTavContentMarks::Mark::Movie, CTavContentMarks::Mark::Sheet,
              CTavContentMarks::Mark::Broken, CTavContentMarks::Mark::Waiting})
            all.push_back(CTavContentMarks::Draw(m, kBox));
        return all;
    }();
    return marks[static_cast<size_t>(which)];
}
} // namespace

CTavContentsDlg::CTavContentsDlg(CTavApp& app, QWidget* parent)
    : CTavDialogBase(parent), m_app(app), m_drives(std::make_unique<CTavDriveMap>(app.Options().registry())),
      m_queue(new CTavThumbnailQueue(kBox, 2, this)), m_list(new QTreeWidget(this)),
      m_card(new QRadioButton(QStringLiteral("M.S."), this)),
      m_pc(new QRadioButton(QStringLiteral("本体"), this)), m_source(new QComboBox(this)),
      m_browse(new QPushButton(QStringLiteral("参照(&B)..."), this)), m_status(new QLabel(this))
{
    setWindowTitle(QStringLiteral("コンテンツ選択"));
    layOut();
    connect(m_queue, &CTavThumbnailQueue::made, this, &CTavContentsDlg::thumbnailMade);
    connect(m_queue, &CTavThumbnailQueue::finished, this, &CTavContentsDlg::showProgress);
    connect(m_card, &QRadioButton::clicked, this, &CTavContentsDlg::ShowCard);
    connect(m_pc, &QRadioButton::clicked, this, &CTavContentsDlg::ShowPc);
    connect(m_browse, &QPushButton::clicked, this, &CTavContentsDlg::browse);
    connect(m_source, &QComboBox::activated, this, [this](int index) {
        if (m_pc->isChecked() && index >= 0)
            UsePcFolder(m_source->itemData(index).toString());
    });
    for (QCheckBox* box : std::as_const(m_filters))
        connect(box, &QCheckBox::toggled, this, &CTavContentsDlg::showRows);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CTavContentsDlg::accept);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [] { CTavHelp::ShowHelp(kHelpPage); });

    // A card that is there opens first; without one the PC side does, without asking.
    if (m_drives->isUsable(CTavOptions::instance().FlekDrive()))
        ShowCard();
    else
        ShowPc();
}

CTavContentsDlg::~CTavContentsDlg()
{
    m_queue->Cancel();
}

void CTavContentsDlg::layOut()
{
    m_list->setObjectName(QStringLiteral("id%1").arg(IdList));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setIconSize(kBox);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({QStringLiteral("名前"), QStringLiteral("作成日時"), QStringLiteral("更新日時"),
                             QStringLiteral("種類")});
    m_list->setColumnWidth(ColumnName, 250);
    m_list->setColumnWidth(ColumnCreated, 150);
    m_list->setColumnWidth(ColumnModified, 150);
    m_list->header()->setStretchLastSection(true);

    auto* filters = new QHBoxLayout;
    for (const auto& [id, text] : {std::pair{IdPictures, "Pic"}, std::pair{IdSounds, "Voi"},
                                   std::pair{IdMovies, "Mov"}, std::pair{IdSheets, "Note"}}) {
        auto* box = new QCheckBox(QString::fromLatin1(text), this);
        box->setObjectName(QStringLiteral("id%1").arg(id));
        box->setChecked(true);
        m_filters.insert(id, box);
        filters->addWidget(box);
    }
    filters->addSpacing(24);
    m_card->setObjectName(QStringLiteral("id%1").arg(IdCard));
    m_pc->setObjectName(QStringLiteral("id%1").arg(IdPc));
    filters->addWidget(m_card);
    filters->addWidget(m_pc);
    filters->addStretch();

    m_source->setObjectName(QStringLiteral("id%1").arg(IdSource));
    m_source->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_source->setMinimumContentsLength(30);
    m_browse->setObjectName(QStringLiteral("id%1").arg(IdBrowse));
    m_browse->setAutoDefault(false);
    auto* source = new QHBoxLayout;
    source->addWidget(new QLabel(QStringLiteral("転送先："), this));
    source->addWidget(m_source, 1);
    source->addWidget(m_browse);

    m_status->setObjectName(QStringLiteral("status"));
    m_status->setTextFormat(Qt::PlainText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavContentsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavContentsDlg::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(source);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
    resize(680, 500);
}

QCheckBox* CTavContentsDlg::Filter(int id) const
{
    return m_filters.value(id);
}

bool CTavContentsDlg::IsFilling() const
{
    return m_queue->IsRunning();
}

CTavContentsDlg::Entry CTavContentsDlg::fileEntry(const CTavContentScan::Item& item)
{
    Entry entry;
    entry.path = item.path;
    entry.localPath = item.localPath;
    entry.kind = item.kind;
    entry.name = QFileInfo(item.localPath).fileName();
    entry.created = dateText(item.created);
    entry.modified = dateText(item.modified);
    return entry;
}

void CTavContentsDlg::ShowCard()
{
    m_card->setChecked(true);
    m_filters.value(IdSheets)->setEnabled(false);
    QString drive = CTavOptions::instance().FlekDrive();
    if (drive.isEmpty()) {
        m_app.ShowMessage(this, QStringLiteral("メモリースティックドライブの設定を確認して下さい。"),
                          TavStr::ProductName, TavMsg::Ok | TavMsg::IconExclamation);
        CTavCardDriveDlg dialog(m_app, this);
        dialog.exec();
        drive = CTavOptions::instance().FlekDrive();
    }
    m_drives->refresh();
    fillSourceForCard(drive);
    if (!m_drives->isUsable(drive)) {
        setEntries({}, QString());
        m_app.ShowMessage(
            this,
            QStringLiteral("メモリースティックドライブが正しく設定されていないため読み込みは行いません。"),
            TavStr::ProductName, TavMsg::Ok | TavMsg::IconExclamation);
        return;
    }
    const CTavContentScan::Result scan = CTavContentScan::Card(*m_drives, drive);
    QList<Entry> entries;
    for (const CTavContentScan::Item& item : scan.items)
        entries.append(fileEntry(item));
    setEntries(std::move(entries), scan.failedFolder);
}

void CTavContentsDlg::ShowPc()
{
    m_pc->setChecked(true);
    m_filters.value(IdSheets)->setEnabled(true);
    fillSourceForPc();

    QList<Entry> entries;
    std::vector<CTavFreeSheetEntry> sheets;
    QStringList problems;
    CTavFreeSheetScan::Folder(
        CTavSheetLink::Folder(m_app), false, [](int) { return true; }, &sheets, &problems);
    for (const CTavFreeSheetEntry& sheet : sheets) {
        Entry entry;
        entry.path = entry.localPath = sheet.path;
        entry.kind = TavContentKind::Sheet;
        entry.name = sheet.title.isEmpty() ? QFileInfo(sheet.path).fileName() : sheet.title;
        entry.created = dateText(QDateTime::fromSecsSinceEpoch(sheet.created));
        entry.modified = dateText(QDateTime::fromSecsSinceEpoch(sheet.modified));
        entry.thumbnail = sheet.smallThumbnail;
        entries.append(entry);
    }
    QString failed;
    if (const QString folder = m_source->currentData().toString(); !folder.isEmpty()) {
        const CTavContentScan::Result scan = CTavContentScan::Folder(folder);
        for (const CTavContentScan::Item& item : scan.items)
            entries.append(fileEntry(item));
        failed = scan.failedFolder;
    }
    setEntries(std::move(entries), failed);
}

void CTavContentsDlg::UsePcFolder(const QString& folder)
{
    QStringList folders = rememberedFolders();
    folders.removeAll(folder);
    folders.prepend(folder);
    while (folders.size() > RememberedFolders)
        folders.removeLast();
    for (int i = 0; i < RememberedFolders; ++i)
        CTavProfile::WriteProfileString(kProfileSection, QStringLiteral("Folder%1").arg(i + 1),
                                        folders.value(i));
    ShowPc();
}

QStringList CTavContentsDlg::rememberedFolders() const
{
    QStringList folders;
    for (int i = 0; i < RememberedFolders; ++i) {
        const QString folder =
            CTavProfile::GetProfileString(kProfileSection, QStringLiteral("Folder%1").arg(i + 1), QString());
        if (!folder.isEmpty() && !folders.contains(folder))
            folders << folder;
    }
    return folders;
}

void CTavContentsDlg::fillSourceForCard(const QString& root)
{
    m_source->clear();
    if (!root.isEmpty())
        m_source->addItem(m_drives->displayName(root), root);
    m_source->setEnabled(false);
    m_browse->setToolTip(QStringLiteral("メモリースティックのドライブを設定します"));
}

void CTavContentsDlg::fillSourceForPc()
{
    m_source->clear();
    for (const QString& folder : rememberedFolders())
        m_source->addItem(QDir::toNativeSeparators(folder), folder);
    m_source->setEnabled(m_source->count() > 0);
    m_source->setCurrentIndex(m_source->count() > 0 ? 0 : -1);
    m_source->setPlaceholderText(QStringLiteral("(静止画・音声・動画のフォルダを選択して下さい)"));
    m_browse->setToolTip(QStringLiteral("静止画・音声・動画を読むフォルダを選びます"));
}

void CTavContentsDlg::browse()
{
    if (m_card->isChecked()) {
        CTavCardDriveDlg dialog(m_app, this);
        if (dialog.exec() == QDialog::Accepted)
            ShowCard();
        return;
    }
    CTavFileDlg dlg(CTavFileDlg::Open, QStringLiteral("静止画・音声・動画のフォルダの選択"), QString(), this);
    dlg.SetHelpPage(kHelpPage);
    dlg.FileDialog()->setFileMode(QFileDialog::Directory);
    dlg.FileDialog()->setOption(QFileDialog::ShowDirsOnly, true);
    dlg.SetInitialFolder(m_source->count() > 0 ? m_source->currentData().toString() : QDir::homePath());
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QFileInfo chosen(dlg.PathName());
    if (chosen.isDir())
        UsePcFolder(chosen.absoluteFilePath());
}

QImage CTavContentsDlg::iconImage(const Entry& entry) const
{
    using M = CTavContentMarks::Mark;
    switch (entry.state) {
    case Waiting:
        return mark(M::Waiting);
    case Broken:
        return mark(M::Broken);
    case Mark:
        return mark(entry.kind == TavContentKind::Sound   ? M::Sound
                    : entry.kind == TavContentKind::Sheet ? M::Sheet
                                                          : M::Movie);
    case Picture:
        break;
    }
    // Every icon takes the whole box, so that rows line up whatever the picture's shape.
    QImage icon(kBox, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    const QImage scaled = entry.thumbnail.size().boundedTo(kBox) == entry.thumbnail.size()
                              ? entry.thumbnail
                              : entry.thumbnail.scaled(kBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QRect place(QPoint((kBox.width() - scaled.width()) / 2, (kBox.height() - scaled.height()) / 2),
                      scaled.size());
    p.drawImage(place.topLeft(), scaled);
    // A frame, so that a white page or a pale picture still shows its edge.
    p.setPen(QColor(190, 190, 190));
    p.drawRect(place.adjusted(0, 0, -1, -1));
    return icon;
}

void CTavContentsDlg::setEntries(QList<Entry> entries, const QString& failedFolder)
{
    m_queue->Cancel();
    for (Entry& entry : entries) {
        if (entry.kind == TavContentKind::Sound) {
            entry.state = Mark;
        } else if (entry.kind == TavContentKind::Sheet) {
            entry.state = entry.thumbnail.isNull() ? Mark : Picture;
        } else if (const auto cached = m_thumbnails.constFind(entry.localPath);
                   cached != m_thumbnails.cend()) {
            entry.thumbnail = *cached;
            entry.state = cached->isNull() ? Broken : Picture;
        }
    }
    m_entries = std::move(entries);
    m_failedFolder = failedFolder;
    showRows();
}

void CTavContentsDlg::showRows()
{
    m_queue->Cancel();
    m_list->clear();
    m_jobEntries.clear();
    m_made = 0;
    QList<CTavThumbnailQueue::Job> jobs;
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < m_entries.size(); ++i) {
        Entry& entry = m_entries[i];
        entry.row = nullptr;
        const QCheckBox* filter = m_filters.value(filterOf(entry.kind));
        if (!filter->isChecked() || !filter->isEnabled())
            continue;
        auto* row = new QTreeWidgetItem({entry.name, entry.created, entry.modified, kindText(entry.kind)});
        row->setData(ColumnKind, Qt::UserRole, static_cast<int>(entry.kind));
        row->setData(ColumnName, Qt::UserRole, i);
        row->setData(ColumnName, StateRole, entry.state);
        row->setIcon(ColumnName, QIcon(QPixmap::fromImage(iconImage(entry))));
        row->setToolTip(ColumnName, QDir::toNativeSeparators(entry.path));
        entry.row = row;
        rows << row;
        if (entry.state == Waiting) {
            jobs.append({entry.localPath, entry.kind});
            m_jobEntries << i;
        }
    }
    m_list->addTopLevelItems(rows);
    if (!jobs.isEmpty())
        m_queue->Start(jobs);
    showProgress();
}

void CTavContentsDlg::thumbnailMade(int job, const QImage& image, CTavContentThumbnail::Status status)
{
    if (job < 0 || job >= m_jobEntries.size())
        return;
    Entry& entry = m_entries[m_jobEntries[job]];
    entry.thumbnail = image;
    entry.state = status == CTavContentThumbnail::Status::Made     ? Picture
                  : status == CTavContentThumbnail::Status::Broken ? Broken
                                                                   : Mark;
    // Movies without a frame reader are tried again next time; pictures never change.
    if (entry.state != Mark)
        m_thumbnails.insert(entry.localPath, entry.state == Picture ? image : QImage());
    if (entry.row) {
        entry.row->setData(ColumnName, StateRole, entry.state);
        entry.row->setIcon(ColumnName, QIcon(QPixmap::fromImage(iconImage(entry))));
    }
    ++m_made;
    showProgress();
}

void CTavContentsDlg::showProgress()
{
    QString text;
    if (m_queue->IsRunning())
        text = QStringLiteral("サムネイルを作成しています... (%1 / %2)").arg(m_made).arg(m_jobEntries.size());
    else
        text = QStringLiteral("%1 件").arg(m_list->topLevelItemCount());
    if (!m_failedFolder.isEmpty())
        text += QStringLiteral("　「%1」を読み込めませんでした。").arg(m_failedFolder);
    m_status->setText(text);
}

void CTavContentsDlg::accept()
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        m_app.ShowMessage(this, QStringLiteral("コンテンツを選択して下さい。"), TavStr::ProductName,
                          TavMsg::Ok | TavMsg::IconExclamation);
        return;
    }
    const Entry& entry = m_entries[selected.first()->data(ColumnName, Qt::UserRole).toInt()];
    m_chosenPath = entry.path;
    m_chosenLocal = entry.localPath;
    m_chosenKind = entry.kind;
    m_chosenOnCard = m_card->isChecked();
    CTavDialogBase::accept();
}

void CTavContentsDlg::done(int result)
{
    m_queue->Cancel();
    CTavDialogBase::done(result);
}
