#include "cli/CliOutput.h"

#include <cstdio>

namespace cli {

int fail(const QString &message)
{
    const QByteArray text = ("tovik: " + message + "\n").toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
    return kExitFailure;
}

void printLine(const QString &text)
{
    const QByteArray bytes = (text + "\n").toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

void printJson(const QJsonDocument &document)
{
    const QByteArray bytes = document.toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

} // namespace cli
