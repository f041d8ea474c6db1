#include "CTavHotSyncProtocol.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <limits>

namespace {
const QString kNotification = QStringLiteral("notification");
const QString kValue = QStringLiteral("value");
const QString kExplanation = QStringLiteral("explanation");

std::optional<QJsonObject> objectOf(const QByteArray& line)
{
    if (line.size() > CTavHotSyncProtocol::kMaxLine)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

// JSON numbers are doubles; only whole numbers that fit an int are taken.
std::optional<int> intOf(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (std::trunc(d) != d || d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(d);
}

QByteArray lineOf(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}
} // namespace

QByteArray CTavHotSyncProtocol::request(int notification)
{
    return lineOf(QJsonObject{{kNotification, notification}});
}

std::optional<int> CTavHotSyncProtocol::parseRequest(const QByteArray& line)
{
    const std::optional<QJsonObject> object = objectOf(line);
    if (!object)
        return std::nullopt;
    const std::optional<int> notification = intOf(object->value(kNotification));
    if (!notification || *notification < 0)
        return std::nullopt;
    return notification;
}

QByteArray CTavHotSyncProtocol::answer(const CTavHotSyncChannel::Answer& answer)
{
    return lineOf(QJsonObject{{kValue, answer.value}, {kExplanation, answer.explanation}});
}

std::optional<CTavHotSyncChannel::Answer> CTavHotSyncProtocol::parseAnswer(const QByteArray& line)
{
    const std::optional<QJsonObject> object = objectOf(line);
    if (!object)
        return std::nullopt;
    const std::optional<int> value = intOf(object->value(kValue));
    const QJsonValue explanation = object->value(kExplanation);
    if (!value || !(explanation.isString() || explanation.isUndefined()))
        return std::nullopt;
    return CTavHotSyncChannel::Answer{*value, explanation.toString()};
}
