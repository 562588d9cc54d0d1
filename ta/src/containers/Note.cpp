#include "containers/Note.h"

namespace indikon {

com::HRESULT Note::setPeriod(com::SHORT period) {
    period_ = period;
    return com::S_OK;
}

com::HRESULT Note::setValue(double value) {
    value_ = value;
    return com::S_OK;
}

com::HRESULT Note::setNote(const com::Bstr& note) {
    note_ = note;
    return com::S_OK;
}

com::HRESULT Note::getPeriod(com::SHORT* period) {
    if (!period)
        return com::E_POINTER;
    *period = period_;
    return com::S_OK;
}

com::HRESULT Note::getValue(double* value) {
    if (!value)
        return com::E_POINTER;
    *value = value_;
    return com::S_OK;
}

com::HRESULT Note::getNote(com::Bstr* note) {
    if (!note)
        return com::E_POINTER;
    *note = note_;
    return com::S_OK;
}

}  // namespace indikon
