// The whole type library of the indicator library.
#pragma once

#include "indikon/Errors.h"
#include "indikon/Identities.h"
#include "indikon/_Bands.h"
#include "indikon/_CandleStick.h"
#include "indikon/_ChartPattern.h"
#include "indikon/_Cycle.h"
#include "indikon/_Database.h"
#include "indikon/_Field.h"
#include "indikon/_General.h"
#include "indikon/_Index.h"
#include "indikon/_LinearRegression.h"
#include "indikon/_MovingAverage.h"
#include "indikon/_Note.h"
#include "indikon/_Oscillator.h"
#include "indikon/_RecordSet.h"
