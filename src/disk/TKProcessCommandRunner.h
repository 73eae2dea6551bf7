#pragma once

#include "disk/TKCommandRunner.h"
#include "disk/TKFormatHelperInstallation.h"

#include <QStringList>

// Runs commands as child processes, never through a shell. Administrator
// rights come from pkexec (polkit asks for the password) unless the program
// already runs as root. Through pkexec, mkfs.fat is run by the format helper
// when the package has installed it and its polkit action.
class TKProcessCommandRunner : public TKCommandRunner {
public:
    explicit TKProcessCommandRunner(TKFormatHelperInstallation formatHelper = {});

    TKCommandResult run(const std::vector<std::string> &arguments, bool asAdministrator) override;

    // Where a program name is looked up: PATH, then the system folders that a
    // normal user's PATH often lacks (mkfs.fat lives in /usr/sbin).
    static QString findProgram(const QString &name);

private:
    TKFormatHelperInstallation m_formatHelper;
};
