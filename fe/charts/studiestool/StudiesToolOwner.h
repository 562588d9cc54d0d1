// What the studies tool needs from the extension object that owns it: the study records and names, the
// analytical chart's calculated list, showing and hiding a study, the InternalCommand event and the
// module its texts come from. Not a COM interface; the extension object provides it and outlives the
// tool's use of it.
#pragma once

#include <memory>
#include <string>

#include "com/HResult.h"
#include "com/Types.h"
#include "res/ResourceModule.h"

namespace dravik {

struct StudyRecord;

class StudiesToolOwner {
public:
    virtual ~StudiesToolOwner() = default;

    // Record of study 0-57; null outside.
    virtual const StudyRecord* ToolStudyRecord(int study) = 0;
    // The study's name as its record holds it.
    virtual std::string ToolStudyName(int study) = 0;
    // The study's slot in the analytical chart's calculated list (-1 none) and whether it is shown.
    virtual com::SHORT ToolFindCalculatedStudy(int study, bool* shown) = 0;
    // Raises InternalCommand (id, lRet = 0) and answers the lRet the listeners left.
    virtual com::LONG ToolInternalCommand(com::LONG id) = 0;
    // Shows (hide false) or hides the study.
    virtual com::HRESULT ToolToggleStudy(int study, bool hide) = 0;
    // The module of the extension's current language.
    virtual std::shared_ptr<const res::ResourceModule> ToolResources() = 0;
};

}  // namespace dravik
