#include "settings/VRDConfigDocument.h"

#include "config/VRDFileData.h"

VRDConfigDocument::VRDConfigDocument(QObject *parent)
    : QObject(parent)
{
}

void VRDConfigDocument::replace(const FILEDATA &record)
{
    m_record = record;
    emit replaced();
}

void VRDConfigDocument::reset()
{
    FILEDATA record = m_record;
    VRDResetFileData(record);
    replace(record);
}

void VRDConfigDocument::store(const FILEDATA &record)
{
    m_record = record;
    emit edited();
}

void VRDConfigDocument::prepareForSave()
{
    FILEDATA record = m_record;
    VRDPrepareFileDataForSave(record);
    store(record);
}
