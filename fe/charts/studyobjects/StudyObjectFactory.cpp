#include "studyobjects/StudyObjectFactory.h"

#include "state/StudyRecord.h"
#include "studyobjects/CStudyObject.h"

namespace dravik {
namespace {

template <typename Interface>
com::IUnknown* handOut(IStudyOwner& owner, int study) {
    // The interface pointer itself, whose IUnknown part is the interface's first base, so the typed
    // getters may pass it on as it is.
    Interface* made = com::makeComObject<CStudyObject<Interface>>(owner, study).detach();
    return made;
}

}  // namespace

com::HRESULT CreateStudyObject(IStudyOwner& owner, int study, com::IUnknown** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    if (study < 0 || study >= static_cast<int>(kStudyCount) || !owner.StudyRecordOf(study))
        return com::E_INVALIDARG;
    *object = study < static_cast<int>(kFirstCustomStudy) ? handOut<IIndex>(owner, study)
                                                          : handOut<ICustomIndex>(owner, study);
    return com::S_OK;
}

}  // namespace dravik
