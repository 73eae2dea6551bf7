// Feeds arbitrary bytes to the config.bin reader and to everything that
// reads the record generically afterwards.
#include "config/VRDFileData.h"
#include "config/VRDFileDataFields.h"
#include "config/VRDSettingRules.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FILEDATA record{};
    static_cast<void>(VRDReadFileDataFromBytes(std::span<const std::uint8_t>(data, size), record));
    for (const VRDFieldInfo &field : kFileDataFields) {
        if (field.kind == VRDFieldKind::Text) {
            static_cast<void>(VRDFileDataFields::textOf(record, field));
            continue;
        }
        for (std::size_t i = 0; i < field.count; ++i) {
            if (field.kind == VRDFieldKind::F32)
                static_cast<void>(VRDFileDataFields::floatAt(record, field, i));
            else
                static_cast<void>(VRDFileDataFields::integerAt(record, field, i));
        }
    }
    // Settings the way the tool sets them: the rest of the input as a value.
    const auto &rules = VRDSettingRules::all();
    if (size > 1) {
        const VRDSettingRule &rule = rules[data[0] % rules.size()];
        const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
        if (VRDSettingRules::apply(record, rule, text))
            static_cast<void>(VRDSettingRules::finish(record, {std::string(rule.field)}));
    }
    VRDPrepareFileDataForSave(record);
    return 0;
}
