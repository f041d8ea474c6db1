#include "CTavReferViewDlg.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "CTavDbFileStreamWriter.h"
#include "CTavDbPalmDatabase.h"
#include "CTavReferPictureDlg.h"
#include "CTavReferView.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbMMContentsObject.h"

CTavReferViewDlg::CTavReferViewDlg(std::shared_ptr<CTavDbFreePdbObjectManager> sheet,
                                   const QString& contentFolder, QWidget* parent)
    : CTavDialogBase(parent), m_view(new CTavReferView), m_contentFolder(contentFolder)
{
    setObjectName(QStringLiteral("referViewer"));
    setWindowTitle(QStringLiteral("便利情報ビューワー"));
    auto* title = new QLabel(sheet ? sheet->GetHeader().GetName() : QString(), this);
    title->setObjectName(QStringLiteral("referTitle"));
    title->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_view->SetScale(kScale);
    m_view->SetInteractive(true);
    m_view->SetSheet(std::move(sheet));
    m_view->setFixedSize(m_view->sizeHint());
    connect(m_view, &CTavReferView::contentActivated, this, &CTavReferViewDlg::ShowContent);

    // The whole page at twice its size is taller than small screens: it scrolls there.
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(m_view);
    scroll->setAlignment(Qt::AlignHCenter);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    // Room for the vertical scroll bar, so that the width never scrolls.
    const QSize wanted = m_view->size() + QSize(8 + scroll->verticalScrollBar()->sizeHint().width(), 4);
    scroll->setMinimumSize(wanted.width(), std::min(wanted.height(), screen.height() - 140));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(scroll, 1);
    layout->addWidget(buttons);
}

CTavReferViewDlg::~CTavReferViewDlg()
{
    // The sheet outlives the dialog in the list: no object stays selected there.
    m_view->SelectObject(nullptr);
}

bool CTavReferViewDlg::ShowContent(CTavDbFreeRecord* object)
{
    auto* content = dynamic_cast<CTavDbMMContentsObject*>(object);
    if (!content)
        return false;
    const QString file = content->FindSourceFile(m_contentFolder);
    if (file.isEmpty())
        return false;
    // Only the handheld's copy may be left: the picture is the content of its blocks.
    CTavDbPalmDatabase database;
    QByteArray kept;
    QBuffer buffer(&kept);
    QImageReader reader(file);
    if (file.endsWith(QStringLiteral(".pdb"), Qt::CaseInsensitive) &&
        database.LoadFromFile(file) == TavStatusCode::Ok &&
        CTavDbFileStreamWriter::ReadContent(database, &kept) == TavStatusCode::Ok)
        reader.setDevice(&buffer);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return false;
    CTavReferPictureDlg dialog(picture, QFileInfo(file).fileName(), this);
    dialog.exec();
    return true;
}
