#pragma once

#include <QByteArray>
#include <optional>

#include "CTavHotSyncChannel.h"

// The lines that travel between the HotSync manager and the program: one JSON object per
// line, {"notification":N} one way and {"value":V,"explanation":"..."} back.
class CTavHotSyncProtocol final
{
public:
    // Longer lines are hostile or broken; the reader drops the connection.
    static constexpr qsizetype kMaxLine = 64 * 1024;

    static QByteArray request(int notification);
    // The notification, or nothing when the line is not a request (negative numbers included).
    static std::optional<int> parseRequest(const QByteArray& line);
    static QByteArray answer(const CTavHotSyncChannel::Answer& answer);
    static std::optional<CTavHotSyncChannel::Answer> parseAnswer(const QByteArray& line);
};
