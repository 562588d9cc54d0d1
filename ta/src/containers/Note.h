// A period, a value and a text; plain stores and reads.
#pragma once

#include "com/ComObject.h"
#include "indikon/_Note.h"

namespace indikon {

class Note final : public com::ComObject<_Note> {
public:
    com::HRESULT setPeriod(com::SHORT period) override;
    com::HRESULT setValue(double value) override;
    com::HRESULT setNote(const com::Bstr& note) override;
    com::HRESULT getPeriod(com::SHORT* period) override;
    com::HRESULT getValue(double* value) override;
    com::HRESULT getNote(com::Bstr* note) override;

private:
    com::SHORT period_ = 0;
    double value_ = 0;
    com::Bstr note_;
};

}  // namespace indikon
