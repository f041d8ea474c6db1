#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

class TestDataDir;

// What one run of lumora-cli gave: its exit code, its JSON lines and its error text.
struct CliResult
{
    int exitCode = -1;
    QList<QJsonObject> lines;
    QString error;
};

// Runs lumora-cli on the data folder with the given arguments and standard input.
CliResult RunCli(const TestDataDir& dir, const QStringList& args, const QByteArray& input = QByteArray());
