#pragma once

#include <QString>

class VRDConfigDocument;
class VRDSettingController;

// The protocol every settings tab follows. The settings window owns the one
// record (in its document) and talks to a tab only through this interface; a
// tab keeps the document, never a copy of the record, shows the record in
// setFileData and hands its edits to the document in populate.
class VRDSettingControllerDelegate
{
public:
    virtual ~VRDSettingControllerDelegate() = default;

    // Keeps the document and shows the record's values at once.
    virtual void setFileData(VRDConfigDocument *document) = 0;
    // The localised message of the first problem in the controls, or a null
    // QString when everything is acceptable. Never changes the record.
    virtual QString validateUserInput() = 0;
    // False (and nothing changed) without a record or with invalid input;
    // otherwise writes every control into the record and answers true.
    virtual bool populate() = 0;
    // The settings window, for the loading sheet and as the parent of alerts.
    virtual void setMainController(VRDSettingController *controller) = 0;
    // Called when the tab is about to be removed after a successful populate.
    virtual void onHide() {}
};
