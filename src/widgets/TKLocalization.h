#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// The string table "InfoPlist": every text the user sees is looked up by key.
// Format keys (such as "nSecond_fmt" or "msg.gsensor_outofrange_fmt") hold Qt
// placeholders: TKLocalizedString("nSecond_fmt").arg(30).
class TKLocalization
{
public:
    // Loads the table of the first of the languages that has one (English when none
    // has) and installs it in the application; call once at start-up. Answers false
    // when no table could be loaded, in which case every lookup shows its key.
    static bool install(QCoreApplication &application, const QStringList &languages = {});
    // ":/i18n/InfoPlist_<language>.qm".
    static QString tablePath(const QString &language);
};

// The text of key; the key itself when the table has no such entry.
QString TKLocalizedString(const char *key);
QString TKLocalizedString(const QString &key);
