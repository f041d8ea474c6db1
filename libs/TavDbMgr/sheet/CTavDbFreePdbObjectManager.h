#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPolygon>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "CTavDbFreeRecord.h"
#include "CTavDbPalmDatabase.h"
#include "TavStatus.h"

class CTavDbFreeCanvasObject;
class CTavDbFreeMiscInfoObject;
class CTavDbThumbnailObject;
class CTavDbFreePrcObjectManager;
class QPainter;

// One memo sheet file: a handheld record database of creator 'SlNm' whose records are the
// sheet's objects (docs/sheet-format.md). Memo sheets have type 'DATA' and start with their
// thumbnail, misc-info and canvas records; reference sheets ('BNRI') and schedule overlays
// ('DOKO') start with the misc-info record. The last record is drawn on top.
//
// Damaged files load as far as they are whole: what was dropped, moved or put back in order is
// listed by GetProblems, and nothing is written unless SaveAsFile is asked to.
class CTavDbFreePdbObjectManager final
{
public:
    static constexpr uint32_t Creator = 0x536C4E6D;       // 'SlNm'
    static constexpr uint32_t TypeSheet = 0x44415441;     // 'DATA'
    static constexpr uint32_t TypeReference = 0x424E5249; // 'BNRI'
    static constexpr uint32_t TypeOverlay = 0x444F4B4F;   // 'DOKO'
    static constexpr uint32_t TypeCategory = 0x43415447;  // 'CATG'
    static constexpr int PageWidth = 300;
    static constexpr int PageHeight = 394;
    static constexpr QRect PageRect{0, 0, PageWidth, PageHeight};
    static constexpr QSize SmallThumbnailSize{24, 24};

    CTavDbFreePdbObjectManager();
    ~CTavDbFreePdbObjectManager();
    CTavDbFreePdbObjectManager(const CTavDbFreePdbObjectManager&) = delete;
    CTavDbFreePdbObjectManager& operator=(const CTavDbFreePdbObjectManager&) = delete;

    // The store the seals' pictures come from: a store of its own over the folders, or one
    // shared with other managers.
    void CreateResources(const QStringList& folders = {});
    void SetResources(std::shared_ptr<CTavDbFreePrcObjectManager> resources);
    CTavDbFreePrcObjectManager* GetResources() const { return m_resources.get(); }

    // An empty sheet of the type bound to the path, with the records a new sheet starts with.
    // Nothing is written until SaveAsFile.
    TavStatus Create(const QString& path, uint32_t type);
    // Reads the database; a damaged one is repaired as far as its records are whole. The
    // objects are made by CreateObjects.
    TavStatus LoadFromFile(const QString& path);
    TavStatus LoadFromBytes(const QByteArray& bytes, const QString& path = QString());
    // Makes the objects of the loaded records; returns how many there are.
    int CreateObjects();
    // Writes atomically (the old file stays when anything fails). Refused when the file exists
    // and overwrite is false; RecordLimit, with nothing written, for more records than a
    // handheld database holds. A sheet saved without changes is written byte for byte as read.
    TavStatus SaveAsFile(const QString& path, bool overwrite);
    // The bytes SaveAsFile would write.
    QByteArray ToBytes();

    // What loading dropped, moved or put back in order, one text per finding, for the user.
    const QStringList& GetProblems() const { return m_problems; }
    // True when loading left out something the file holds (a record or part of the file); false
    // when it only moved or reordered what it read.
    bool LostData() const { return m_lostData; }
    // The database: header, dates, name, category block.
    const CTavDbPalmDatabase& GetHeader() const { return m_db; }
    CTavDbPalmDatabase& GetDatabase() { return m_db; }
    uint32_t GetType() const { return m_db.GetType(); }
    uint32_t GetCreator() const { return m_db.GetCreator(); }
    bool IsSheetOfType(uint32_t type) const { return GetCreator() == Creator && GetType() == type; }
    const QString& GetPath() const { return m_path; }
    // The size of the file as last read or written.
    qint64 GetFileSize() const { return m_fileSize; }

    int GetRecordCount() const { return int(m_records.size()); }
    CTavDbFreeRecord* GetRecord(int index) const;
    int Find(const CTavDbFreeRecord* record) const;
    // Takes the record and appends it (on top); returns it.
    CTavDbFreeRecord* AddRecord(std::unique_ptr<CTavDbFreeRecord> record);
    template <class T> T* AddNew() { return static_cast<T*>(AddRecord(std::make_unique<T>())); }
    bool RemoveRecord(const CTavDbFreeRecord* record);
    // Moves the record to the end, so that it is drawn on top.
    void TopMostRecord(const CTavDbFreeRecord* record);
    void ClearSelection();

    CTavDbThumbnailObject* GetThumbnail() const;
    CTavDbFreeMiscInfoObject* GetMiscInfo() const;
    CTavDbFreeCanvasObject* GetCanvas() const;
    // The misc-info title; empty without a misc-info record.
    QString GetTitle() const;
    // Makes the misc-info record when there is none.
    void SetQuilloTitle(const QString& title);
    int GetCategoryId() const;
    QRect GetCanvasRect() const;
    QColor GetBackground() const;

    // Draws the background and every page object meeting area, in canvas coordinates.
    void Draw(QPainter& painter, const QRect& area) const;
    // The part canvasRect of the sheet drawn into a picture of size.
    QImage CreateThumbnailBitmap(const QRect& canvasRect, const QSize& size) const;
    // The same from the stored thumbnail when there is one and canvasRect is the page: fast,
    // for lists.
    QImage CreateThumbnailBitmapEx(const QRect& canvasRect, const QSize& size) const;
    // Stores the page picture in the thumbnail record (made when missing, for memo sheets).
    void SetThumbnail(const QImage& page);

    // The page objects under p, the topmost first.
    QList<CTavDbFreeRecord*> IsForcus(const QPoint& p) const;
    // The selected object whose resize handle is under p.
    CTavDbFreeRecord* IsResize(const QPoint& p) const;
    // The strokes the eraser path passes over.
    QList<CTavDbFreeRecord*> EraseCheck(const QPolygon& path) const;

    // A new file name ("Quillo_yyyyMMdd_HHmmss.pdb", with "_2" ... when taken) free in folder.
    static QString CreateFileName(const QString& folder);
    // "yyyy/MM/dd HH:mm" of now.
    static QString CreateDefaultTitle();
    // How many schedule and To Do records link this sheet, as the counter set by the program
    // says (0 without one). The counter gets the sheet's file name.
    int GetRefNum() const;
    static void SetReferenceCounter(std::function<int(const QString& fileName)> counter);
    // Unfiled, business, personal: the categories a new category database starts with.
    static QStringList DefaultCategoryNames()
    {
        return {QStringLiteral("未分類"), QStringLiteral("ビジネス"), QStringLiteral("パーソナル")};
    }
    // The category database of the memo sheets with the given names (the first is unfiled), ids
    // 0, 1, 2 ... as the handheld gives them.
    static TavStatus CreateCategoryDatabase(const QString& path,
                                            const QStringList& names = DefaultCategoryNames());
    static QString CategoryFileName() { return QStringLiteral("Quillo_Category.pdb"); }

private:
    void reset();
    bool recordsUnchanged(const std::vector<QByteArray>& bytes) const;
    void syncDatabase();
    void putInOrder();
    void bringInside();
    CTavDbFreeRecord* firstOfKind(CTavDbFreeRecord::Kind kind) const;

    CTavDbPalmDatabase m_db;
    QString m_path;
    qint64 m_fileSize = 0;
    std::vector<std::unique_ptr<CTavDbFreeRecord>> m_records;
    bool m_structureChanged = false;
    QStringList m_problems;
    bool m_lostData = false;
    std::shared_ptr<CTavDbFreePrcObjectManager> m_resources;
};
