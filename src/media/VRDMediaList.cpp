#include "media/VRDMediaList.h"

#include "media/VRDMediaWalker.h"

#include <utility>

VRDMediaList::VRDMediaList(VRDMediaWalkRunner &runner)
    : m_runner(runner)
    , m_self(std::make_shared<VRDMediaList *>(this))
{
}

VRDMediaList::~VRDMediaList()
{
    m_walkStop.request_stop();
}

void VRDMediaList::setDirectoryPath(std::string directoryPath)
{
    m_directoryPath = std::move(directoryPath);
    if (m_directoryPath.empty())
        return;
    const std::uint64_t generation = ++m_generation;
    m_catalog = VRDMediaCatalog();
    m_walkStop.request_stop();
    m_walkStop = std::stop_source();
    std::weak_ptr<VRDMediaList *> self = m_self;
    m_runner.run([directory = m_directoryPath, stop = m_walkStop.get_token()] {
                     return VRDMediaWalker::walk(directory, stop);
                 },
        [self, generation](VRDMediaCatalog catalog) {
            if (const std::shared_ptr<VRDMediaList *> list = self.lock())
                (*list)->takeWalkResult(generation, std::move(catalog));
        });
}

void VRDMediaList::takeWalkResult(std::uint64_t generation, VRDMediaCatalog catalog)
{
    if (generation != m_generation)
        return;
    m_catalog = std::move(catalog);
    if (m_delegate != nullptr)
        m_delegate->mediaListChanged(*this);
}
