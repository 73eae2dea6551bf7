#include "viewer/VRDConcurrentMediaWalkRunner.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

VRDConcurrentMediaWalkRunner::VRDConcurrentMediaWalkRunner(QObject *context)
    : m_context(context)
{
}

void VRDConcurrentMediaWalkRunner::run(Walk walk, Deliver deliver)
{
    if (m_context.isNull())
        return;
    // The watcher belongs to the context: it dies with it, taking the pending
    // delivery along.
    auto *watcher = new QFutureWatcher<VRDMediaCatalog>(m_context.data());
    QObject::connect(watcher, &QFutureWatcherBase::finished, m_context.data(),
        [watcher, deliver = std::move(deliver)] {
            deliver(watcher->future().takeResult());
            watcher->deleteLater();
        });
    watcher->setFuture(QtConcurrent::run(std::move(walk)));
}
