// Widgets, fonts, painters and the clipboard need an application object; one QApplication is created
// for the whole test program, before its first test, and lives until the program ends.
#include <gtest/gtest.h>

#include <QApplication>

#include <cerrno>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        // Named after the test program, as the application of a program started from a shell is.
        static int argc = 1;
        static char* argv[] = {program_invocation_short_name, nullptr};
        if (!QCoreApplication::instance())
            new QApplication(argc, argv);
    }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
