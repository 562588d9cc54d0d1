// The library as an in-process server: its creatable classes under "Indikon.<Class>".
#include "com/InprocServer.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/Note.h"
#include "containers/RecordSet.h"
#include "indicators/CandleStick.h"
#include "indicators/Index.h"
#include "indicators/Oscillator.h"
#include "indikon/Identities.h"

namespace indikon {
namespace {

const com::ServerClass kClasses[] = {
    {CLSID_Database, "Indikon.Database", nullptr, "Apartment", &com::createComObject<Database>},
    {CLSID_Field, "Indikon.Field", nullptr, "Apartment", &com::createComObject<Field>},
    {CLSID_Oscillator, "Indikon.Oscillator", nullptr, "Apartment", &com::createComObject<Oscillator>},
    {CLSID_RecordSet, "Indikon.RecordSet", nullptr, "Apartment", &com::createComObject<RecordSet>},
    {CLSID_Index, "Indikon.Index", nullptr, "Apartment", &com::createComObject<Index>},
    {CLSID_Note, "Indikon.Note", nullptr, "Apartment", &com::createComObject<Note>},
    {CLSID_CandleStick, "Indikon.CandleStick", nullptr, "Apartment", &com::createComObject<CandleStick>},
};

}  // namespace
}  // namespace indikon

TARNWICK_INPROC_SERVER(indikon::kClasses)
