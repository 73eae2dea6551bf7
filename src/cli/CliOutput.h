#pragma once

#include <QJsonDocument>
#include <QString>

// Output helpers shared by the sub-commands: every failure is one clear line
// on stderr and exit status 1.
namespace cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;

int fail(const QString &message);
void printLine(const QString &text);
void printJson(const QJsonDocument &document);

} // namespace cli
