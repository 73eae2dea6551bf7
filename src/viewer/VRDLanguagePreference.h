#pragma once

class QSettings;

// The preferred-language list of the application: logged at each launch,
// then set to English so that later launches use the English texts.
class VRDLanguagePreference
{
public:
    static constexpr auto kKey = "languages";

    // Logs "SUPPORT_LANGUAGE=<entry>" for each stored entry, then stores ["en"].
    static void logAndPreferEnglish(QSettings &settings);
};
