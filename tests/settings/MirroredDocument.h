#pragma once

#include "config/FILEDATA.h"
#include "settings/VRDConfigDocument.h"

#include <QObject>

// Hands a test's plain record to a tab through a document, as the settings
// window does, and copies every edit the tab stores back into the record, so
// that the test reads what the tab wrote. Declare it before the tab: the tab
// keeps the document.
class MirroredDocument {
public:
    VRDConfigDocument *of(FILEDATA &record)
    {
        QObject::disconnect(m_mirror);
        m_document.replace(record);
        m_mirror = QObject::connect(&m_document, &VRDConfigDocument::edited, &m_document,
                                    [this, &record] { record = m_document.record(); });
        return &m_document;
    }

private:
    VRDConfigDocument m_document;
    QMetaObject::Connection m_mirror;
};
