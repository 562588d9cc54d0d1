// One analyst note on a company: a row of Notes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "db/Value.h"

namespace tarnwick {

class clsNote {
public:
    std::int32_t ID = 0;
    // The English text after ParseParameters; the text of the display language when a reader fills it.
    std::string Text;
    db::Date NoteDate{};
    std::int32_t CompanyID = 0;
    bool HasImage = false;
    std::string isNew;  // "N" for a note stored from the update stream, empty once opened
    bool isDeleted = false;

    // A NOTES line, after its Arabic letters are converted: ID|CompanyID|date|Text|AText|HasImage
    // flag|deleted flag.
    bool ParseParameters(std::string_view Line);
    // Inserts or updates the row by ID, both texts included, and marks it unread ("N"). Errors are
    // logged and give false.
    bool InsertDB();
    // Stores isNew. Errors are logged.
    void UpdateDB();

private:
    std::string AText;  // the Arabic text, filled only by ParseParameters
};

}  // namespace tarnwick
