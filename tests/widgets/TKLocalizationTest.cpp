#include "widgets/TKLocalization.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// Every key the sources look up: TKLocalizedString("…"), the entries of key lists
// (localized({…}), k…Keys{…}), toolTipKey properties of the forms, and literals
// shaped like keys that core code hands over for the windows to look up.
QSet<QString> keysInSources()
{
    const QRegularExpression direct(R"(TKLocalizedString\(\s*"([^"]+)\"\s*\))");
    const QRegularExpression list(R"((?:localized\(\s*\{|Keys\{)([^}]*)\})");
    const QRegularExpression literal(R"("([^"\s]+)\")");
    const QRegularExpression keyShaped(R"(^(?:setting|msg|player|filelist|media|time)\.[A-Za-z0-9_.]+$|^[A-Za-z]+_fmt$)");
    const QRegularExpression formKey(R"(name="toolTipKey"[^>]*><string[^>]*>([^<]+)<)");
    QSet<QString> keys;
    QDirIterator files(qEnvironmentVariable("TOVIK_SOURCE_DIR") + "/src", {"*.cpp", "*.h", "*.ui"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            ADD_FAILURE() << file.fileName().toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        for (const auto &pattern : {direct, formKey})
            for (const auto &match : pattern.globalMatch(text))
                keys.insert(match.captured(1));
        for (const auto &match : list.globalMatch(text))
            for (const auto &entry : literal.globalMatch(match.captured(1)))
                keys.insert(entry.captured(1));
        for (const auto &match : literal.globalMatch(text))
            if (keyShaped.match(match.captured(1)).hasMatch())
                keys.insert(match.captured(1));
    }
    return keys;
}

class TKLocalizationTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(TKLocalization::install(*QCoreApplication::instance())); }
};

} // namespace

TEST_F(TKLocalizationTest, EveryKeyTheSourcesLookUpHasAText)
{
    const QSet<QString> keys = keysInSources();
    // The scan must see the kinds of keys it is meant to see, or it proves nothing.
    for (const char *sample : {"msg.saved", "Malaysia", "mon", "player.play", "setting.flashdata.SPD", "nSecond_fmt"})
        EXPECT_TRUE(keys.contains(sample)) << sample;
    // Asked directly, the table answers nothing for a key it lacks (some texts equal their keys).
    QTranslator table;
    ASSERT_TRUE(table.load(TKLocalization::tablePath("en")));
    for (const QString &key : keys) {
        EXPECT_FALSE(table.translate(nullptr, key.toUtf8()).isEmpty()) << key.toStdString();
        // The drive-log titles head the columns of the comma-separated export.
        if (key.startsWith("setting.flashdata."))
            EXPECT_FALSE(TKLocalizedString(key).contains(',')) << key.toStdString();
    }
    EXPECT_EQ(TKLocalizedString("msg.saved"), "Saved.");
    EXPECT_EQ(TKLocalizedString("nSecond_fmt").arg(30), "30 sec");
}

TEST_F(TKLocalizationTest, MissingKeyShowsTheKeyAndInstallingTwiceIsHarmless)
{
    EXPECT_EQ(TKLocalizedString("setting.no_such_key"), "setting.no_such_key");
    // Numeric list entries go through the table with their own text as key.
    EXPECT_EQ(TKLocalizedString("2.0"), "2.0");
    EXPECT_TRUE(TKLocalization::install(*QCoreApplication::instance(), {"xx"}));
    EXPECT_EQ(TKLocalizedString("media.event"), "Event");
}
