#pragma once

#include "media/VRDMediaWalkRunner.h"

#include <QPointer>

class QObject;

// Runs walks on Qt's global thread pool and delivers each result in the
// thread of the context object (the main window), through its event loop.
// Nothing is delivered once the context object is gone.
class VRDConcurrentMediaWalkRunner final : public VRDMediaWalkRunner {
public:
    explicit VRDConcurrentMediaWalkRunner(QObject *context);

    void run(Walk walk, Deliver deliver) override;

private:
    QPointer<QObject> m_context;
};
