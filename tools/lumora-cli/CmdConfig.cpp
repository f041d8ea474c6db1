#include <QJsonObject>
#include <QJsonValue>

#include "CTavRegOption.h"
#include "CTavRegistryFile.h"
#include "CliCommand.h"
#include "CliContext.h"

namespace {
using Type = CTavRegistryFile::Type;

struct KnownValue
{
    QLatin1String name;
    Type type;
    int32_t number;
};

// Every value the program reads, with the type and the value its first read creates.
const KnownValue kKnown[] = {
    {CTavRegOption::kLanguage, Type::String, 0},
    {CTavRegOption::kCurrentUser, Type::String, 0},
    {CTavRegOption::kWindowShowCmd, Type::Number, 0},
    {CTavRegOption::kWindowPosLeft, Type::Number, 0},
    {CTavRegOption::kWindowPosTop, Type::Number, 0},
    {CTavRegOption::kWindowPosRight, Type::Number, 0},
    {CTavRegOption::kWindowPosBottom, Type::Number, 0},
    {CTavRegOption::kWindowToolBarHide, Type::Number, 0},
    {CTavRegOption::kWindowStatusBarHide, Type::Number, 0},
    {CTavRegOption::kListViewerPrivate, Type::Number, 0},
    {CTavRegOption::kFKDrive, Type::String, 0},
    {CTavRegOption::kCheckDelete, Type::Number, 1},
    {CTavRegOption::kCheckBackup, Type::Number, 1},
};

const KnownValue* known(const QString& name)
{
    for (const KnownValue& k : kKnown) {
        if (name.compare(k.name, Qt::CaseInsensitive) == 0)
            return &k;
    }
    return nullptr;
}

QString keyOf(const QString& name)
{
    return name.compare(CTavRegOption::kLanguage, Qt::CaseInsensitive) == 0 ? CTavRegOption::ProductKeyPath()
                                                                            : CTavRegOption::OptionKeyPath();
}

QString typeName(Type type)
{
    switch (type) {
    case Type::String:
        return QStringLiteral("string");
    case Type::Number:
        return QStringLiteral("number");
    case Type::None:
        break;
    }
    return QStringLiteral("none");
}

QJsonObject describe(const CTavRegistryFile& reg, const QString& name)
{
    const QString key = keyOf(name);
    const KnownValue* k = known(name);
    const Type stored = reg.valueType(key, name);
    QJsonObject out{{QStringLiteral("name"), k ? QString(k->name) : name},
                    {QStringLiteral("key"), key},
                    {QStringLiteral("stored"), stored != Type::None}};
    const Type type = stored != Type::None ? stored : (k ? k->type : Type::None);
    out.insert(QStringLiteral("type"), typeName(type));
    QString text;
    int32_t number = 0;
    if (stored == Type::String && reg.readString(key, name, &text))
        out.insert(QStringLiteral("value"), text);
    else if (stored == Type::Number && reg.readNumber(key, name, &number))
        out.insert(QStringLiteral("value"), number);
    else if (k)
        out.insert(QStringLiteral("value"),
                   k->type == Type::Number ? QJsonValue(k->number) : QJsonValue(QString()));
    else
        out.insert(QStringLiteral("value"), QJsonValue::Null);
    return out;
}

bool parseInt32(const QString& text, int32_t* out)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < INT32_MIN || value > INT32_MAX || text.trimmed() != text)
        return false;
    *out = static_cast<int32_t>(value);
    return true;
}

int write(CTavRegistryFile& reg, const QString& name, const QString& value, const QString& forced)
{
    const QString key = keyOf(name);
    const Type stored = reg.valueType(key, name);
    Type type = forced == QLatin1String("string")   ? Type::String
                : forced == QLatin1String("number") ? Type::Number
                                                    : Type::None;
    if (stored != Type::None && type != Type::None && type != stored)
        return CliContext::fail(
            CliExit::DataError,
            QStringLiteral("\"%1\" is stored as a %2; a value of another type is never overwritten")
                .arg(name, typeName(stored)));
    int32_t number = 0;
    if (type == Type::None)
        type = stored != Type::None         ? stored
               : known(name)                ? known(name)->type
               : parseInt32(value, &number) ? Type::Number
                                            : Type::String;
    if (type == Type::Number && !parseInt32(value, &number))
        return CliContext::fail(
            CliExit::DataError,
            QStringLiteral("\"%1\" holds a number; \"%2\" is not a 32-bit integer").arg(name, value));
    const bool ok =
        type == Type::Number ? reg.writeNumber(key, name, number) : reg.writeString(key, name, value);
    if (!ok)
        return CliContext::fail(CliExit::DataError,
                                QStringLiteral("cannot write \"%1\" to %2").arg(name, reg.path()));
    CliContext::printJson(describe(reg, name));
    return CliExit::Ok;
}

int runConfig(CliContext& ctx, const QStringList& arguments)
{
    QStringList args = arguments;
    QString forced;
    const bool typed = CliContext::takeOption(args, QStringLiteral("--type"), &forced);
    const bool unset = CliContext::takeFlag(args, QStringLiteral("--unset"));
    if ((typed && forced != QLatin1String("string") && forced != QLatin1String("number")) ||
        args.size() > 2 || (typed && args.size() != 2) || (unset && args.size() != 1))
        return CliContext::fail(
            CliExit::UsageError,
            QStringLiteral("usage: config [NAME [VALUE [--type string|number]]] | config --unset NAME"));
    if (!args.isEmpty() && args.first().isEmpty())
        return CliContext::fail(CliExit::UsageError, QStringLiteral("the value name is empty"));
    if (unset || args.size() == 2) {
        if (const int rc = ctx.beginWrite(true))
            return rc;
    }
    CTavRegistryFile reg;
    if (args.isEmpty()) {
        for (const KnownValue& k : kKnown)
            CliContext::printJson(describe(reg, k.name));
        for (const QString& name : reg.valueNames(CTavRegOption::OptionKeyPath())) {
            if (!known(name))
                CliContext::printJson(describe(reg, name));
        }
        return CliExit::Ok;
    }
    const QString name = args.first();
    if (unset) {
        if (!reg.deleteValue(keyOf(name), name))
            return CliContext::fail(CliExit::DataError,
                                    QStringLiteral("cannot remove \"%1\" from %2").arg(name, reg.path()));
        CliContext::printJson(describe(reg, name));
        return CliExit::Ok;
    }
    if (args.size() == 2)
        return write(reg, name, args.at(1), forced);
    if (!known(name) && reg.valueType(keyOf(name), name) == Type::None)
        return CliContext::fail(CliExit::DataError, QStringLiteral("no value named \"%1\"").arg(name));
    CliContext::printJson(describe(reg, name));
    return CliExit::Ok;
}
} // namespace

LUMORA_CLI_COMMAND({"config", "config [NAME [VALUE [--type string|number]]] | config --unset NAME",
                    "lists, reads or writes the program's settings (the registry values)", &runConfig})
