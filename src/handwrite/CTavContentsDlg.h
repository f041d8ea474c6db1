#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <memory>

#include "CTavContentScan.h"
#include "CTavContentThumbnail.h"
#include "CTavDialogBase.h"
#include "TavContentKind.h"

class CTavApp;
class CTavDriveMap;
class CTavThumbnailQueue;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// The content to paste on a memo sheet ("コンテンツ選択"): pictures, sounds and movies of the
// memory card, or the memo sheets of the current folder and the pictures, sounds and movies of
// a folder of the PC. The list shows every row at once and fills in the thumbnails as worker
// threads make them; closing the dialog stops them.
//
// Beside "転送先：" the combo and the button name where the list comes from: on the card the
// card's drive (the button opens the drive setting), on the PC the folder the pictures, sounds
// and movies are read from (the button picks another; the last eight are remembered).
class CTavContentsDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    enum Control
    {
        IdCard = 1000,
        IdPc = 1001,
        IdPictures = 1008,
        IdSounds = 1009,
        IdMovies = 1010,
        IdSheets = 1012,
        IdSource = 1033,
        IdList = 1114,
        IdBrowse = 1149,
    };
    enum Column
    {
        ColumnName,
        ColumnCreated,
        ColumnModified,
        ColumnKind,
    };
    // What the icon of a row shows (item data of the name column under StateRole).
    enum RowState
    {
        Waiting,
        Picture,
        Mark,
        Broken,
    };
    static constexpr int StateRole = Qt::UserRole + 1;
    static constexpr int ThumbnailWidth = 80;
    static constexpr int ThumbnailHeight = 60;
    static constexpr int RememberedFolders = 8;

    CTavContentsDlg(CTavApp& app, QWidget* parent = nullptr);
    ~CTavContentsDlg() override;

    // The chosen content after OK: its path as kept on the sheet (a drive path on the card),
    // the file to read on this PC, its kind, and whether it lives on the card.
    QString ChosenPath() const { return m_chosenPath; }
    QString ChosenLocalPath() const { return m_chosenLocal; }
    TavContentKind ChosenKind() const { return m_chosenKind; }
    bool ChosenOnCard() const { return m_chosenOnCard; }

    QTreeWidget* List() const { return m_list; }
    QCheckBox* Filter(int id) const;
    QRadioButton* CardButton() const { return m_card; }
    QRadioButton* PcButton() const { return m_pc; }
    QComboBox* SourceBox() const { return m_source; }
    QPushButton* BrowseButton() const { return m_browse; }
    QLabel* StatusLabel() const { return m_status; }
    // True while thumbnails are still being made.
    bool IsFilling() const;

    // Reads the card (asking for its drive first when none is set) or the PC side.
    void ShowCard();
    void ShowPc();
    // Reads pictures, sounds and movies of the PC from this folder and remembers it.
    void UsePcFolder(const QString& folder);

    void accept() override;
    void done(int result) override;

private:
    struct Entry
    {
        QString path;
        QString localPath;
        TavContentKind kind = TavContentKind::None;
        QString name;
        QString created;
        QString modified;
        QImage thumbnail;
        RowState state = Waiting;
        QTreeWidgetItem* row = nullptr;
    };

    static Entry fileEntry(const CTavContentScan::Item& item);
    void layOut();
    void setEntries(QList<Entry> entries, const QString& failedFolder);
    void showRows();
    void thumbnailMade(int job, const QImage& image, CTavContentThumbnail::Status status);
    void showProgress();
    void fillSourceForCard(const QString& root);
    void fillSourceForPc();
    void browse();
    QStringList rememberedFolders() const;
    QImage iconImage(const Entry& entry) const;

    CTavApp& m_app;
    std::unique_ptr<CTavDriveMap> m_drives;
    CTavThumbnailQueue* m_queue;
    QTreeWidget* m_list;
    QHash<int, QCheckBox*> m_filters;
    QRadioButton* m_card;
    QRadioButton* m_pc;
    QComboBox* m_source;
    QPushButton* m_browse;
    QLabel* m_status;

    QList<Entry> m_entries;
    QList<int> m_jobEntries;             // entry index of each thumbnail job of the pass in progress
    QHash<QString, QImage> m_thumbnails; // by local path, for refills of the same files
    QString m_failedFolder;
    int m_made = 0;

    QString m_chosenPath;
    QString m_chosenLocal;
    TavContentKind m_chosenKind = TavContentKind::None;
    bool m_chosenOnCard = false;
};
