#include "viewer/VRDLanguagePreference.h"

#include "viewer/VRDViewerLog.h"

#include <QSettings>
#include <QStringList>

void VRDLanguagePreference::logAndPreferEnglish(QSettings &settings)
{
    const QString key = QString::fromLatin1(kKey);
    const QStringList languages = settings.value(key).toStringList();
    for (const QString &language : languages)
        qCInfo(lcViewer).noquote() << QStringLiteral("SUPPORT_LANGUAGE=%1").arg(language);
    settings.setValue(key, QStringList{QStringLiteral("en")});
    settings.sync();
}
