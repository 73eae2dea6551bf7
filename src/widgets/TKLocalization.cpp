#include "widgets/TKLocalization.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

namespace {
const char *const kTranslatorName = "InfoPlist";
}

QString TKLocalization::tablePath(const QString &language)
{
    return QStringLiteral(":/i18n/InfoPlist_%1.qm").arg(language);
}

bool TKLocalization::install(QCoreApplication &application, const QStringList &languages)
{
    // Installing twice would only stack a second copy of the same table.
    if (application.findChild<QTranslator *>(QLatin1String(kTranslatorName), Qt::FindDirectChildrenOnly))
        return true;
    QStringList candidates = languages;
    candidates.append(QStringLiteral("en"));
    for (const QString &language : candidates) {
        const QString path = tablePath(language);
        if (!QFile::exists(path))
            continue;
        auto *translator = new QTranslator(&application);
        translator->setObjectName(QLatin1String(kTranslatorName));
        if (translator->load(path) && QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

QString TKLocalizedString(const char *key)
{
    return qtTrId(key);
}

QString TKLocalizedString(const QString &key)
{
    const QByteArray id = key.toUtf8();
    return qtTrId(id.constData());
}
