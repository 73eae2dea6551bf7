#pragma once

#include <optional>
#include <string>
#include <vector>

// Where the package installs tovik-format-helper and the polkit action that
// names it. With both in place, formatting runs through them: polkit shows the
// action's own message and the helper checks the card again. Run from the
// build folder there is neither, and pkexec runs mkfs.fat itself.
struct TKFormatHelperInstallation {
    std::string helperPath = "/usr/libexec/tovik/tovik-format-helper";
    std::string policyPath = "/usr/share/polkit-1/actions/io.github.tovik.Viewer.format.policy";

    // The program pkexec is to run for that command: the helper in place of
    // mkfs.fat when the helper is executable and the action is installed.
    std::optional<std::string> helperFor(const std::vector<std::string> &arguments) const;
};
