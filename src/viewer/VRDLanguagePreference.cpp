#include "viewer/VRDLanguagePreference.h"

#include <QSettings>
#include <QStringList>
#include <QtDebug>

void VRDLanguagePreference::logAndPreferEnglish(QSettings &settings)
{
    const QString key = QString::fromLatin1(kKey);
    const QStringList languages = settings.value(key).toStringList();
    for (const QString &language : languages)
        qInfo().noquote() << QStringLiteral("SUPPORT_LANGUAGE=%1").arg(language);
    settings.setValue(key, QStringList{QStringLiteral("en")});
    settings.sync();
}
