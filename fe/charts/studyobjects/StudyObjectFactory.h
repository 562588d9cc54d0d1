// Making the study objects the extension's study getters hand out.
#pragma once

#include "com/HResult.h"
#include "com/Unknown.h"
#include "studyobjects/StudyOwner.h"

namespace dravik {

// A new study object over study `study` of `owner` with one reference for the caller: the object's
// IIndex for studies 0-47, its ICustomIndex for 48-57, handed out as an IUnknown pointer of that
// interface. E_POINTER for a null `object`; E_INVALIDARG for a study outside 0-57 or without a record.
com::HRESULT CreateStudyObject(IStudyOwner& owner, int study, com::IUnknown** object);

}  // namespace dravik
