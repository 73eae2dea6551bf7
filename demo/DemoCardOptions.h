#pragma once

#include "demo/DemoCardPlan.h"

#include <QString>
#include <QStringList>

#include <optional>

// The generator's command line.
struct DemoCardOptions {
    QString outputDirectory;
    DemoCardPlan::Settings plan;
    int width = 640;
    int height = 360;
    int framesPerSecond = 30;
    bool withVideo = true;

    // Nothing, with the reason in error, when the arguments are not usable.
    static std::optional<DemoCardOptions> parse(const QStringList &arguments, QString &error);
};
