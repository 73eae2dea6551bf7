#pragma once

#include "config/FILEDATA.h"

#include <QObject>

// The one settings record of the settings window. The tabs read it and hand
// their edits back through store; loading and resetting replace it whole.
// Whoever shows the record follows the two signals.
class VRDConfigDocument : public QObject
{
    Q_OBJECT

public:
    explicit VRDConfigDocument(QObject *parent = nullptr);

    const FILEDATA &record() const { return m_record; }

    // A record read from a file, or made afresh: the tabs show it anew.
    void replace(const FILEDATA &record);
    // The defaults in every field that has one; the rest stays.
    void reset();
    // A tab's edit of the record.
    void store(const FILEDATA &record);
    // Sets the plate flag and the check word before the record is written.
    void prepareForSave();

signals:
    void replaced();
    void edited();

private:
    FILEDATA m_record{};
};
