#pragma once

#include <QImage>
#include <QString>

#include "CTavDbFreeRecord.h"

// A content pasted on the sheet: a picture, a movie, a sound or another memo sheet, kept as the
// path of its file and, except for sounds, a small picture of it.
class CTavDbMMContentsObject final : public CTavDbFreeRecord
{
public:
    enum SubType : uint8_t
    {
        Picture = 6,
        Movie = 7,
        Sound = 8,
        Sheet = 9,
    };
    // Flag word values of pictures: kept on the PC, or on the memory card.
    static constexpr uint16_t FlagOnPc = 0x0008;
    static constexpr uint16_t FlagOnCard = 0x0800;
    static constexpr int MaxThumbnailSide = 160;
    static constexpr int MaxPathBytes = 1024;

    CTavDbMMContentsObject() : CTavDbFreeRecord(KindContents) {}

    void SetPicture(const QString& path, const QImage& thumbnail, uint16_t flags);
    void SetMovie(const QString& path, const QImage& thumbnail);
    void SetSound(const QString& path);
    void SetQuillo(const QString& path, const QImage& thumbnail);

    SubType GetSubType() const { return m_subType; }
    const QString& GetPath() const { return m_path; }
    uint16_t GetFlags() const { return m_flags; }
    const QImage& GetThumbnail() const { return m_thumbnail; }
    // The file to open: the path itself when it exists, else the file of that name in folder,
    // or its handheld database (name + ".pdb") there; empty when none exists.
    QString FindSourceFile(const QString& folder) const;

    bool IsPageObject() const override { return true; }
    bool IsResizable() const override { return m_subType != Sound; }
    QSize MinimumSize() const override { return QSize(16, 16); }

protected:
    void PackPayload(CTavDbFreeWriter& out) const override;
    bool ParsePayload(CTavDbFreeReader& in) override;
    void DrawObject(QPainter& painter, const CTavDbFreeDrawContext& context) const override;

private:
    void set(SubType type, const QString& path, const QImage& thumbnail, uint16_t flags);

    SubType m_subType = Picture;
    uint16_t m_flags = 0;
    QString m_path;
    QImage m_thumbnail;
};
