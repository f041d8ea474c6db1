#include "CTavRegOption.h"

#include "CTavDbText.h"

namespace {
// Stored strings are C strings: nothing after a zero character counts.
QString cString(const QString& text)
{
    const qsizetype zero = text.indexOf(QChar(0));
    return zero < 0 ? text : text.left(zero);
}
} // namespace

QString CTavRegOption::ProductKeyPath()
{
    return QStringLiteral("%1\\%2\\%3").arg(kSoftware, kCompany, kProduct);
}

QString CTavRegOption::OptionKeyPath()
{
    return ProductKeyPath() + u'\\' + kOption;
}

CTavRegOption::CTavRegOption() : m_own(std::make_unique<CTavRegistryFile>()), m_registry(m_own.get()) {}

CTavRegOption::CTavRegOption(CTavRegistryFile& registry) : m_registry(&registry) {}

CTavRegOption::~CTavRegOption() = default;

int CTavRegOption::ReadString(const QString& name, QString& out, const QString& def)
{
    out.clear();
    const QString key = OptionKeyPath();
    if (name.isEmpty() || !m_registry->createKey(key))
        return 0;
    switch (m_registry->valueType(key, name)) {
    case CTavRegistryFile::Type::Number:
        return 0;
    case CTavRegistryFile::Type::None:
        if (!m_registry->writeString(key, name, cString(def)))
            return 0;
        break;
    case CTavRegistryFile::Type::String:
        break;
    }
    QString value;
    if (!m_registry->readString(key, name, &value) || CTavDbText::mbLength(value) > kMaxStringBytes)
        return 0;
    out = cString(value);
    return 1;
}

int CTavRegOption::ReadNumber(const QString& name, int32_t& out, int32_t def)
{
    out = 0;
    const QString key = OptionKeyPath();
    if (name.isEmpty() || !m_registry->createKey(key))
        return 0;
    if (m_registry->valueType(key, name) == CTavRegistryFile::Type::None &&
        !m_registry->writeNumber(key, name, def))
        return 0;
    int32_t value = 0;
    if (!m_registry->readNumber(key, name, &value))
        return 0;
    out = value;
    return 1;
}

int CTavRegOption::WriteString(const QString& name, const QString& value)
{
    const QString key = OptionKeyPath();
    if (name.isEmpty() || !m_registry->createKey(key))
        return 0;
    return m_registry->writeString(key, name, cString(value)) ? 1 : 0;
}

int CTavRegOption::WriteNumber(const QString& name, int32_t value)
{
    const QString key = OptionKeyPath();
    if (name.isEmpty() || !m_registry->createKey(key))
        return 0;
    return m_registry->writeNumber(key, name, value) ? 1 : 0;
}

int CTavRegOption::ReadLanguage(const QString& name, QString& out, const QString& def)
{
    out = def;
    const QString key = ProductKeyPath();
    if (name.isEmpty() || !m_registry->createKey(key))
        return 0;
    if (m_registry->valueType(key, name) == CTavRegistryFile::Type::None) {
        m_registry->writeString(key, name, QString());
        return 0;
    }
    QString value;
    if (!m_registry->readString(key, name, &value) || CTavDbText::mbLength(value) > kMaxStringBytes)
        return 0;
    value = cString(value);
    if (value.isEmpty())
        return 0;
    out = value;
    return 1;
}

bool CTavRegOption::PeekString(const QString& name, QString* out) const
{
    QString value;
    if (name.isEmpty() || !m_registry->readString(OptionKeyPath(), name, &value) ||
        CTavDbText::mbLength(value) > kMaxStringBytes)
        return false;
    *out = cString(value);
    return true;
}

int32_t CTavRegOption::numberOr0(const QString& name, int32_t def)
{
    int32_t value = 0;
    ReadNumber(name, value, def);
    return value;
}

QString CTavRegOption::Language()
{
    QString language;
    ReadLanguage(kLanguage, language, kDefaultLanguage);
    return language;
}

QString CTavRegOption::CurrentUser()
{
    QString name;
    ReadString(kCurrentUser, name, QString());
    return name;
}

bool CTavRegOption::SetCurrentUser(const QString& name)
{
    return WriteString(kCurrentUser, name) == 1;
}

int32_t CTavRegOption::WindowShowCmd()
{
    return numberOr0(kWindowShowCmd, 0);
}

bool CTavRegOption::SetWindowShowCmd(int32_t showCmd)
{
    return WriteNumber(kWindowShowCmd, showCmd) == 1;
}

CTavRegOption::WindowPos CTavRegOption::WindowPosition()
{
    WindowPos pos;
    pos.left = numberOr0(kWindowPosLeft, 0);
    pos.top = numberOr0(kWindowPosTop, 0);
    pos.right = numberOr0(kWindowPosRight, 0);
    pos.bottom = numberOr0(kWindowPosBottom, 0);
    return pos;
}

bool CTavRegOption::SetWindowPosition(const WindowPos& pos)
{
    const int written = WriteNumber(kWindowPosLeft, pos.left) + WriteNumber(kWindowPosTop, pos.top) +
                        WriteNumber(kWindowPosRight, pos.right) + WriteNumber(kWindowPosBottom, pos.bottom);
    return written == 4;
}

bool CTavRegOption::ToolBarHidden()
{
    return numberOr0(kWindowToolBarHide, 0) != 0;
}

bool CTavRegOption::SetToolBarHidden(bool hidden)
{
    return WriteNumber(kWindowToolBarHide, hidden ? 1 : 0) == 1;
}

bool CTavRegOption::StatusBarHidden()
{
    return numberOr0(kWindowStatusBarHide, 0) != 0;
}

bool CTavRegOption::SetStatusBarHidden(bool hidden)
{
    return WriteNumber(kWindowStatusBarHide, hidden ? 1 : 0) == 1;
}

int32_t CTavRegOption::ListViewerPrivate()
{
    return numberOr0(kListViewerPrivate, 0);
}

bool CTavRegOption::SetListViewerPrivate(int32_t mode)
{
    return WriteNumber(kListViewerPrivate, mode) == 1;
}

QString CTavRegOption::FKDrive()
{
    QString drive;
    ReadString(kFKDrive, drive, QString());
    return drive;
}

bool CTavRegOption::SetFKDrive(const QString& root)
{
    return WriteString(kFKDrive, root) == 1;
}

int32_t CTavRegOption::CheckDelete()
{
    return numberOr0(kCheckDelete, 1);
}

bool CTavRegOption::SetCheckDelete(int32_t on)
{
    return WriteNumber(kCheckDelete, on) == 1;
}

int32_t CTavRegOption::CheckBackup()
{
    return numberOr0(kCheckBackup, 1);
}

bool CTavRegOption::SetCheckBackup(int32_t on)
{
    return WriteNumber(kCheckBackup, on) == 1;
}
