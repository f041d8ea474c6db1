#pragma once

#include <QLatin1String>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>

#include "CTavRegistryFile.h"

// The program's registry access: values under the option key "SOFTWARE\Ostrel
// Corporation\Lumora\Option" (created when missing), the language under the product key.
// Reads create a missing value with its default; a value of the other type makes reads fail
// and is never overwritten. Failures are silent: 0 (or false) and an empty or zero result.
class CTavRegOption final
{
public:
    static constexpr QLatin1String kSoftware{"SOFTWARE"};
    static constexpr QLatin1String kCompany{"Ostrel Corporation"};
    static constexpr QLatin1String kProduct{"Lumora"};
    static constexpr QLatin1String kOption{"Option"};

    static constexpr QLatin1String kLanguage{"language"};
    static constexpr QLatin1String kCurrentUser{"CurrentUser"};
    static constexpr QLatin1String kWindowShowCmd{"WindowShowCmd"};
    static constexpr QLatin1String kWindowPosLeft{"WindowPosLeft"};
    static constexpr QLatin1String kWindowPosTop{"WindowPosTop"};
    static constexpr QLatin1String kWindowPosRight{"WindowPosRight"};
    static constexpr QLatin1String kWindowPosBottom{"WindowPosBottom"};
    static constexpr QLatin1String kWindowToolBarHide{"WindowToolBarHide"};
    static constexpr QLatin1String kWindowStatusBarHide{"WindowStatusBarHide"};
    static constexpr QLatin1String kListViewerPrivate{"ListViewerPrivate"};
    static constexpr QLatin1String kFKDrive{"FKDrive"};
    static constexpr QLatin1String kCheckDelete{"CheckDelete"};
    static constexpr QLatin1String kCheckBackup{"CheckBackup"};

    static constexpr QLatin1String kDefaultLanguage{"jpJP"};
    // Bytes (code page 932) a read string may take: the caller's buffer of 256 less the zero.
    static constexpr int kMaxStringBytes = 255;

    // "SOFTWARE\Ostrel Corporation\Lumora" and the same with "\Option".
    static QString ProductKeyPath();
    static QString OptionKeyPath();

    // The window rectangle as stored: right and bottom are exclusive, as Windows keeps them.
    struct WindowPos
    {
        int32_t left = 0;
        int32_t top = 0;
        int32_t right = 0;
        int32_t bottom = 0;
        QRect toRect() const { return QRect(left, top, right - left, bottom - top); }
        static WindowPos fromRect(const QRect& r)
        {
            return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        }
        bool operator==(const WindowPos&) const = default;
    };

    // Works on the registry file at CTavRegistryFile::defaultPath().
    CTavRegOption();
    // Works on the given file, which must outlive this object.
    explicit CTavRegOption(CTavRegistryFile& registry);
    ~CTavRegOption();
    Q_DISABLE_COPY_MOVE(CTavRegOption)

    CTavRegistryFile& registry() { return *m_registry; }

    // 1 on success, 0 on failure (out emptied). A missing value is created with def; a stored
    // string longer than kMaxStringBytes fails.
    int ReadString(const QString& name, QString& out, const QString& def);
    // 1 on success, 0 on failure (out 0). A missing value is created with def.
    int ReadNumber(const QString& name, int32_t& out, int32_t def);
    // 1 on success; 0 when the value exists with the other type or the write fails.
    int WriteString(const QString& name, const QString& value);
    int WriteNumber(const QString& name, int32_t value);
    // The language under the product key: a missing value is created empty. out is always the
    // language to use: the stored one, or def when it is missing, empty, of the other type or
    // unreadable. Returns 1 when the stored value was used, 0 when def was.
    int ReadLanguage(const QString& name, QString& out, const QString& def);

    // The stored string without creating it or the key: same type and length rules as
    // ReadString. For tools that must not change the settings by looking.
    bool PeekString(const QString& name, QString* out) const;

    // One accessor per value. Getters return what the read yields (0 or empty on failure).
    QString Language();
    QString CurrentUser();
    bool SetCurrentUser(const QString& name);
    int32_t WindowShowCmd();
    bool SetWindowShowCmd(int32_t showCmd);
    WindowPos WindowPosition();
    // All four values; false when any write failed (the others are still written).
    bool SetWindowPosition(const WindowPos& pos);
    bool ToolBarHidden();
    bool SetToolBarHidden(bool hidden);
    bool StatusBarHidden();
    bool SetStatusBarHidden(bool hidden);
    int32_t ListViewerPrivate();
    bool SetListViewerPrivate(int32_t mode);
    QString FKDrive();
    bool SetFKDrive(const QString& root);
    int32_t CheckDelete();
    bool SetCheckDelete(int32_t on);
    int32_t CheckBackup();
    bool SetCheckBackup(int32_t on);

private:
    int32_t numberOr0(const QString& name, int32_t def);

    std::unique_ptr<CTavRegistryFile> m_own;
    CTavRegistryFile* m_registry;
};
