// Fonts and painters need a QGuiApplication; one is created for the whole test program.
#include <gtest/gtest.h>

#include <QGuiApplication>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_gdi";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            app_ = new QGuiApplication(argc, argv);
    }

private:
    QGuiApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
