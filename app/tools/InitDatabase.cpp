// tarnwick-initdb <database file>
// Creates the initial market database of an installation: a new file with the market schema. An
// existing file is never touched.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "appdata/Schema.h"
#include "db/Connection.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarnwick-initdb <database file>\n");
        return 2;
    }
    const std::filesystem::path file = argv[1];
    try {
        db::Connection connection = db::Connection::createNew(file);
        tarnwick::CreateMarketSchema(connection);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnwick-initdb: %s: %s\n", file.c_str(), error.what());
        return 1;
    }
    std::printf("created %s\n", file.c_str());
    return 0;
}
