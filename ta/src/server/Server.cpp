// The library as an in-process server: its creatable classes under "Indikon.<Class>".
#include "com/InprocServer.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/Note.h"
#include "containers/RecordSet.h"
#include "indicators/Bands.h"
#include "indicators/CandleStick.h"
#include "indicators/ChartPattern.h"
#include "indicators/Cycle.h"
#include "indicators/General.h"
#include "indicators/Index.h"
#include "indicators/LinearRegression.h"
#include "indicators/MovingAverage.h"
#include "indicators/Oscillator.h"
#include "indikon/Identities.h"

namespace indikon {
namespace {

const com::ServerClass kClasses[] = {
    {CLSID_Database, "Indikon.Database", nullptr, "Apartment", &com::createComObject<Database>},
    {CLSID_MovingAverage, "Indikon.MovingAverage", nullptr, "Apartment",
     &com::createComObject<MovingAverage>},
    {CLSID_Field, "Indikon.Field", nullptr, "Apartment", &com::createComObject<Field>},
    {CLSID_Oscillator, "Indikon.Oscillator", nullptr, "Apartment", &com::createComObject<Oscillator>},
    {CLSID_Bands, "Indikon.Bands", nullptr, "Apartment", &com::createComObject<Bands>},
    {CLSID_RecordSet, "Indikon.RecordSet", nullptr, "Apartment", &com::createComObject<RecordSet>},
    {CLSID_Index, "Indikon.Index", nullptr, "Apartment", &com::createComObject<Index>},
    {CLSID_General, "Indikon.General", nullptr, "Apartment", &com::createComObject<General>},
    {CLSID_ChartPattern, "Indikon.ChartPattern", nullptr, "Apartment", &com::createComObject<ChartPattern>},
    {CLSID_Note, "Indikon.Note", nullptr, "Apartment", &com::createComObject<Note>},
    {CLSID_CandleStick, "Indikon.CandleStick", nullptr, "Apartment", &com::createComObject<CandleStick>},
    {CLSID_Cycle, "Indikon.Cycle", nullptr, "Apartment", &com::createComObject<Cycle>},
    {CLSID_LinearRegression, "Indikon.LinearRegression", nullptr, "Apartment",
     &com::createComObject<LinearRegression>},
};

}  // namespace
}  // namespace indikon

TARNWICK_INPROC_SERVER(indikon::kClasses)
