// Shared helpers of the library's tests: error checks and small price databases.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "com/ErrorInfo.h"
#include "indikon/Errors.h"
#include "indikon/_Database.h"
#include "testsupport/TempFolder.h"

namespace indikon::test {

struct ExpectedError {
    std::int32_t number;
    std::string source;
    std::string description;
};

// The call failed with exactly this error (HRESULT and error information).
::testing::AssertionResult failedWith(com::HRESULT result, const ExpectedError& expected);

// A field of the given values named `name`.
com::ComPtr<_Field> makeField(const std::vector<double>& values, const std::u16string& name);

// A database of n records: Close and Open = closes, High = highs (or closes), Low = lows (or closes),
// Volume 0, dates "D1".."Dn"; the cursor at record 1.
com::ComPtr<_Database> makeDatabase(const std::vector<double>& closes, const std::vector<double>& highs = {},
                                    const std::vector<double>& lows = {});

com::ComPtr<_Field> fieldOf(_Database* database, const std::u16string& name);
com::ComPtr<_Field> fieldOf(_RecordSet* records, const std::u16string& name);
std::vector<double> valuesOf(_Field* field);
com::SHORT recordCount(_Database* database);
com::SHORT position(_Database* database);
com::SHORT fieldCount(_RecordSet* records);

using testsupport::TempFolder;

}  // namespace indikon::test
