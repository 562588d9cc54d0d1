// The program's date literal: "#" year "-" month "-" day "#", month and day with two digits and the
// year unpadded (9 March 2005 gives #2005-03-09#). Kept for texts the program shows and logs; values
// reach the database as bound parameters, never as this literal.
#pragma once

#include <string>

#include "db/Value.h"

namespace tarnwick {

// An impossible date is logged under "Translate2Date" and gives an empty text.
std::string Translate2Date(db::Date date);

}  // namespace tarnwick
