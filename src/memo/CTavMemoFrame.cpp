#include "CTavMemoFrame.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include "CTavMemoDoc.h"
#include "CTavModuleBar.h"
#include "CTavPlaceholderPane.h"
#include "TavCommandIds.h"

CTavMemoFrame::CTavMemoFrame(CTavMemoDoc* document, QWidget* parent)
    : CTavModuleFrame(document,
                      Description{TavSlot::MemoPad, TavModule::MemoPad, CTavModuleBar::MemoPad,
                                  QStringLiteral("メモ帳"), false, true},
                      parent),
      m_category(new QComboBox(TopBar())), m_sort(new QComboBox(TopBar()))
{
    m_category->setObjectName(QStringLiteral("categoryBox"));
    m_category->addItem(QStringLiteral("すべて"));
    m_sort->setObjectName(QStringLiteral("sortBox"));
    m_sort->addItems({QStringLiteral("五十音順"), QStringLiteral("本体で指定した順番")});
    auto* bar = static_cast<QHBoxLayout*>(TopBar()->layout());
    bar->insertWidget(0, new QLabel(QStringLiteral("カテゴリ:"), TopBar()));
    bar->insertWidget(1, m_category);
    bar->insertSpacing(2, 16);
    bar->insertWidget(3, new QLabel(QStringLiteral("並べ替え:"), TopBar()));
    bar->insertWidget(4, m_sort);
    connect(m_sort, &QComboBox::currentIndexChanged, document,
            [document](int index) { document->SetHandheldOrder(index == 1); });

    CreatePanes(new CTavPlaceholderPane(QStringLiteral("メモの一覧"),
                                        QStringLiteral("メモの 1 行目と日付の一覧がここに表示されます。"),
                                        this),
                new CTavPlaceholderPane(QStringLiteral("メモの内容"),
                                        QStringLiteral("選んだメモの全文がここに表示されます。"), this));
}
