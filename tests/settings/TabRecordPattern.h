#pragma once

#include "config/FILEDATA.h"
#include "settings/VRDSettingTabFactory.h"
#include "config/VRDFileDataFields.h"
#include "widgets/TKLocalization.h"

#include "SettingControllerFakes.h"
#include "Screenshot.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

// Helpers of the settings tab tests.

// A record whose bytes run through a pattern, so that a write anywhere
// shows; tests then put valid values into the fields a tab shows.
inline FILEDATA patternRecord()
{
    FILEDATA record{};
    auto *bytes = reinterpret_cast<std::uint8_t *>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return record;
}

// Offsets where the two records differ, leaving out the named fields.
inline std::vector<std::size_t> changedBytesOutside(const FILEDATA &before, const FILEDATA &after,
                                                    std::initializer_list<std::string_view> fields)
{
    std::vector<bool> owned(sizeof(FILEDATA), false);
    for (const std::string_view name : fields) {
        const VRDFieldInfo *field = VRDFileDataFields::find(name);
        if (field != nullptr)
            std::fill_n(owned.begin() + static_cast<std::ptrdiff_t>(field->offset), field->width, true);
    }
    const auto *a = reinterpret_cast<const std::uint8_t *>(&before);
    const auto *b = reinterpret_cast<const std::uint8_t *>(&after);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < sizeof(FILEDATA); ++i)
        if (!owned[i] && a[i] != b[i])
            changed.push_back(i);
    return changed;
}

// A whole-number field by its name, so that tables of cases can name it.
inline std::int64_t fieldValue(const FILEDATA &record, std::string_view name)
{
    const VRDFieldInfo *field = VRDFileDataFields::find(name);
    EXPECT_NE(field, nullptr) << name;
    return field == nullptr ? -1 : VRDFileDataFields::integerAt(record, *field);
}

inline void setFieldValue(FILEDATA &record, std::string_view name, std::int64_t value)
{
    const VRDFieldInfo *field = VRDFileDataFields::find(name);
    ASSERT_NE(field, nullptr) << name;
    VRDFileDataFields::setInteger(record, *field, value);
}

// The English string table, so that tests see the texts a user sees. A
// fixture derives from this before its tab member, which reads the table
// when it is built.
struct WithStringTable {
    WithStringTable() { TKLocalization::install(*qApp); }
};

// The settings window with the application's tabs, shown, without a card.
inline std::unique_ptr<VRDSettingController> openSettingsWindow()
{
    VRDSettingController::Environment environment;
    environment.diskService = std::make_shared<FakeDiskService>();
    environment.tabFactory = std::make_shared<VRDSettingTabFactory>();
    auto window = std::make_unique<VRDSettingController>(std::move(environment));
    window->show();
    return window;
}

// The fields of a config.bin as `tovik config show --json` reads them.
inline QJsonObject configFieldsByTheCommandLine(const std::string &path)
{
    QProcess tovik;
    tovik.start(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/src/cli/tovik",
                {"config", "show", "--json", QString::fromStdString(path)});
    EXPECT_TRUE(tovik.waitForFinished(30000));
    const QJsonObject shown = QJsonDocument::fromJson(tovik.readAllStandardOutput()).object();
    EXPECT_TRUE(shown["accepted"].toBool()) << path;
    return shown["fields"].toObject();
}
