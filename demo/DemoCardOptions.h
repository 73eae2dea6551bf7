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
    // The standard card also holds a morning of driving (DemoMorning); a card
    // of a given --count holds exactly that many recordings.
    bool withMorning = true;

    // Nothing, with the reason in error, when the arguments are not usable.
    static std::optional<DemoCardOptions> parse(const QStringList &arguments, QString &error);
};
