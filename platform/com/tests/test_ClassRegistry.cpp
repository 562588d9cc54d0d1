#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "TempRegistry.h"
#include "com/ClassRegistry.h"

using namespace com;
namespace fs = std::filesystem;

namespace {

const CLSID kFinancial = Guid::fromString("{3F53C702-5296-42FF-BD60-3C37A4308F7D}");
const CLSID kFinancialOld = Guid::fromString("{3F53C7F2-5296-42FF-BD60-3C37A4308F7D}");
const CLSID kDatabase = Guid::fromString("{C78DAD01-7EF3-4E89-92C5-1C1B8F2B9E00}");

ClassEntry financial() {
    return {kFinancial, "Lomex.Financial", "Lomex.Financial.4", "Apartment",
            "/opt/tarnwick/lib/libdravik.so"};
}
ClassEntry database() {
    return {kDatabase, "Indikon.Database", "", "Apartment", "/opt/tarnwick/lib/libindikon.so"};
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

const char* const kGolden =
    "# Tarnwick class registry, written by the registration of in-process servers.\n"
    "\n"
    "[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\n"
    "ProgID=Lomex.Financial\n"
    "VersionedProgID=Lomex.Financial.4\n"
    "ThreadingModel=Apartment\n"
    "Library=/opt/tarnwick/lib/libdravik.so\n"
    "\n"
    "[{C78DAD01-7EF3-4E89-92C5-1C1B8F2B9E00}]\n"
    "ProgID=Indikon.Database\n"
    "ThreadingModel=Apartment\n"
    "Library=/opt/tarnwick/lib/libindikon.so\n";

}  // namespace

TEST(ClassRegistry, FileRoundTrip) {
    TempRegistry temp;
    ClassRegistry registry;
    registry.add(financial());
    registry.add(database());
    std::string error;
    ASSERT_TRUE(registry.save(temp.path(), error)) << error;
    EXPECT_EQ(readFile(temp.path()), kGolden);

    ClassRegistry loaded;
    ASSERT_TRUE(loaded.load(temp.path(), error)) << error;
    EXPECT_EQ(loaded.entries(), registry.entries());
    // Nothing but the registry file is left in the folder: the temporary file was renamed.
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.folder()), fs::directory_iterator()), 1);
}

TEST(ClassRegistry, ReadsCommentsCrLfAndUnknownKeys) {
    ClassRegistry registry;
    std::string error;
    ASSERT_TRUE(
        registry.parse("; written by hand\r\n\r\n[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\r\n"
                       "ProgID=Lomex.Financial\r\nInprocHandler=ignored\r\n"
                       "Library=/path with spaces/a=b.so\r\n",
                       error))
        << error;
    ASSERT_EQ(registry.entries().size(), 1u);
    EXPECT_EQ(registry.entries()[0].library, "/path with spaces/a=b.so");
    EXPECT_EQ(registry.entries()[0].versionedProgId, "");
}

TEST(ClassRegistry, RefusesDamagedText) {
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"ProgID=A\n", "line 1: entry outside a class section"},
        {"[{3F53C702-5296-42FF-BD60-3C37A4308F7D}\nProgID=A\nLibrary=/a.so\n",
         "line 1: bad class identifier"},
        {"[{3F53C702-5296-42FF-BD60}]\nProgID=A\nLibrary=/a.so\n", "line 1: bad class identifier"},
        {"[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\nProgID A\n", "line 2: expected key=value"},
        {"[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\nLibrary=/a.so\n", "has no ProgID"},
        {"[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\nProgID=A\n[{C78DAD01-7EF3-4E89-92C5-1C1B8F2B9E00}]\n",
         "{3F53C702-5296-42FF-BD60-3C37A4308F7D} has no Library"},
        {"[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\nProgID=A\nLibrary=/a.so\n"
         "[{3f53c702-5296-42ff-bd60-3c37a4308f7d}]\nProgID=B\nLibrary=/b.so\n",
         "line 4: class {3F53C702-5296-42FF-BD60-3C37A4308F7D} appears twice"},
        // Values that registration would never write.
        {"[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\nProgID=1 not a progid!\nLibrary=/a.so\n",
         "{3F53C702-5296-42FF-BD60-3C37A4308F7D} has a bad ProgID \"1 not a progid!\""},
        {"[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\nProgID=Lomex.Financial\nVersionedProgID=Lomex.Other.4\n"
         "Library=/a.so\n",
         "has a bad versioned ProgID \"Lomex.Other.4\""},
        {"[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\nProgID=A\nVersionedProgID=A.\nLibrary=/a.so\n",
         "has a bad versioned ProgID"},
        {"[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\nProgID=A\nLibrary=libc.so.6\n",
         "has a library path that is not absolute: libc.so.6"},
        {"[{3F53C702-5296-42FF-BD60-3C37A4308F7D}]\nProgID=A\nLibrary=lib/../libdravik.so\n", "not absolute"},
    };
    for (const auto& c : cases) {
        ClassRegistry registry;
        registry.add(database());
        std::string error;
        EXPECT_FALSE(registry.parse(c.text, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(registry.entries().size(), 1u) << "a refused text leaves the registry as it was";
    }
}

TEST(ClassRegistry, MissingFileIsEmptyDamagedFileIsRefused) {
    TempRegistry temp;
    ClassRegistry registry;
    std::string error;
    EXPECT_TRUE(registry.load(temp.path(), error));
    EXPECT_TRUE(registry.entries().empty());

    writeFile(temp.path(), "[{nonsense}]\n");
    EXPECT_FALSE(registry.load(temp.path(), error));
    EXPECT_NE(error.find(temp.path().string()), std::string::npos) << error;
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
}

TEST(ClassRegistry, FailedSaveKeepsTheOldFile) {
    TempRegistry temp;
    writeFile(temp.path(), kGolden);
    ClassRegistry registry;
    ClassEntry broken = database();
    broken.library = "/lib/a\nLibrary=/lib/b.so";
    registry.add(broken);
    std::string error;
    EXPECT_FALSE(registry.save(temp.path(), error));
    EXPECT_NE(error.find("line break"), std::string::npos) << error;

    // A folder that cannot be written to: the temporary file cannot be made.
    if (::geteuid() != 0) {
        registry = ClassRegistry();
        registry.add(database());
        ::chmod(temp.folder().c_str(), 0500);
        EXPECT_FALSE(registry.save(temp.path(), error));
        EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
        ::chmod(temp.folder().c_str(), 0700);
    }
    EXPECT_EQ(readFile(temp.path()), kGolden);
}

TEST(ClassRegistry, SaveCreatesTheFolder) {
    TempRegistry temp;
    ClassRegistry registry;
    registry.add(financial());
    std::string error;
    const fs::path nested = temp.folder() / "config" / "Tarnwick" / "classes.reg";
    ASSERT_TRUE(registry.save(nested, error)) << error;
    EXPECT_TRUE(fs::is_regular_file(nested));
}

TEST(ClassRegistry, ProgIdNamesVersionsAndTheCurrentOne) {
    ClassRegistry registry;
    ClassEntry old = financial();
    old.clsid = kFinancialOld;
    old.versionedProgId = "Lomex.Financial.3";
    registry.add(old);
    registry.add(financial());
    registry.add(database());

    ASSERT_NE(registry.findProgId("Lomex.Financial.3"), nullptr);
    EXPECT_EQ(registry.findProgId("Lomex.Financial.3")->clsid, kFinancialOld);
    EXPECT_EQ(registry.findProgId("Lomex.Financial.4")->clsid, kFinancial);
    EXPECT_EQ(registry.findProgId("Lomex.Financial")->clsid, kFinancial) << "the version registered last";
    EXPECT_EQ(registry.findProgId("Indikon.Database")->clsid, kDatabase);
    EXPECT_EQ(registry.findProgId("lomex.financial"), nullptr);
    EXPECT_EQ(registry.findProgId("Lomex.Financial.5"), nullptr);
    EXPECT_EQ(registry.findProgId(""), nullptr);

    // Without its current version the ProgID falls back to the older one.
    EXPECT_TRUE(registry.remove(kFinancial));
    EXPECT_FALSE(registry.remove(kFinancial));
    EXPECT_EQ(registry.findProgId("Lomex.Financial")->clsid, kFinancialOld);
    EXPECT_EQ(registry.findClsid(kFinancial), nullptr);
}

TEST(ClassRegistry, AddReplacesTheSameClassAndTheSameVersion) {
    ClassRegistry registry;
    registry.add(financial());
    registry.add(database());
    ClassEntry moved = financial();
    moved.library = "/new/libdravik.so";
    registry.add(moved);
    ASSERT_EQ(registry.entries().size(), 2u);
    EXPECT_EQ(registry.entries().back(), moved);

    // Another class claiming the same version takes its place.
    ClassEntry rival = financial();
    rival.clsid = kFinancialOld;
    registry.add(rival);
    ASSERT_EQ(registry.entries().size(), 2u);
    EXPECT_EQ(registry.findProgId("Lomex.Financial.4")->clsid, kFinancialOld);
    EXPECT_EQ(registry.findClsid(kFinancial), nullptr);
}

TEST(ClassRegistry, ValidatesProgIds) {
    const struct {
        const char* progId;
        bool valid;
    } cases[] = {
        {"Lomex.Financial", true},
        {"Lomex.Financial.4", true},
        {"Indikon.Moving_Average", true},
        {"", false},
        {"4Lomex", false},
        {".Lomex", false},
        {"Lomex Financial", false},
        {"Lomex/Financial", false},
        {"L\xC3\xB6mex", false},
        {"A23456789012345678901234567890123456789", true},  // 39 characters
        {"A234567890123456789012345678901234567890", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassRegistry::isValidProgId(c.progId), c.valid) << c.progId;
}

TEST(ClassRegistry, DefaultPathFollowsTheEnvironment) {
    const struct {
        const char* registry;
        const char* xdg;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/tmp/r/classes.reg", "/x", "/h", "/tmp/r/classes.reg"},
        {nullptr, "/x/config", "/h", "/x/config/Tarnwick/classes.reg"},
        {nullptr, nullptr, "/home/ann", "/home/ann/.config/Tarnwick/classes.reg"},
        {"", "", "/home/ann", "/home/ann/.config/Tarnwick/classes.reg"},
        {nullptr, "relative/config", "/home/ann", "/home/ann/.config/Tarnwick/classes.reg"},
        {nullptr, nullptr, nullptr, ""},
    };
    TempRegistry restoreRegistryVariable;
    const char* names[] = {"TARNWICK_CLASS_REGISTRY", "XDG_CONFIG_HOME", "HOME"};
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i) {
        if (const char* value = std::getenv(names[i]))
            saved[i] = value;
    }
    for (const auto& c : cases) {
        const char* values[] = {c.registry, c.xdg, c.home};
        for (int i = 0; i < 3; ++i) {
            if (values[i]) {
                ::setenv(names[i], values[i], 1);
            } else {
                ::unsetenv(names[i]);
            }
        }
        EXPECT_EQ(ClassRegistry::defaultPath(), fs::path(c.expected)) << c.expected;
    }
    for (int i = 1; i < 3; ++i) {
        if (saved[i]) {
            ::setenv(names[i], saved[i]->c_str(), 1);
        } else {
            ::unsetenv(names[i]);
        }
    }
}
