#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "res/LanguageBundle.h"
#include "res/ModuleRegistry.h"

using res::LanguageBundle;
using res::LoadStatus;
using res::ModuleRegistry;
using res::ResourceModule;

namespace {

class LanguageBundleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        auto module = std::make_shared<ResourceModule>("Dravik");
        module->setString(577, "Price axis");
        module->setString(578, "Date axis");
        builtIn_ = module;
    }

    QString write(const QString& name, const QByteArray& data) {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        return file.fileName();
    }

    QTemporaryDir dir_;
    std::shared_ptr<const ResourceModule> builtIn_;
};

const QByteArray kArabicBundle = "TarnwickResources 1\n[strings]\n577\t\xD9\x85\xD8\xAD\xD9\x88\xD8\xB1\n";

}  // namespace

TEST_F(LanguageBundleTest, BundleTextsWinAndMissingOnesComeFromTheBuiltInModule) {
    const auto load = LanguageBundle::load(write("ar.res", kArabicBundle), builtIn_);
    ASSERT_TRUE(load.loaded()) << load.result.message.toStdString();
    EXPECT_NE(load.module, builtIn_);
    EXPECT_EQ(load.module->string(577), "\xD9\x85\xD8\xAD\xD9\x88\xD8\xB1");
    EXPECT_EQ(load.module->string(578), "Date axis");
    EXPECT_EQ(load.module->fallback(), builtIn_);
}

TEST_F(LanguageBundleTest, FailuresFallBackToTheBuiltInModule) {
    struct Case {
        const char* name;
        QString path;
        LoadStatus status;
    };
    const Case cases[] = {
        {"no name", QString(), LoadStatus::NoFile},
        {"missing", dir_.filePath("absent.res"), LoadStatus::Missing},
        {"unreadable", dir_.path(), LoadStatus::Unreadable},
        {"garbled", write("garbled.res", QByteArray("\x89PNG\r\n\x1a\n\x00\x00", 10)), LoadStatus::Malformed},
        {"truncated mid-entry", write("cut.res", "TarnwickResources 1\n[strings]\n577"),
         LoadStatus::Malformed},
    };
    for (const auto& c : cases) {
        const auto load = LanguageBundle::load(c.path, builtIn_);
        EXPECT_EQ(load.result.status, c.status) << c.name;
        EXPECT_EQ(load.module, builtIn_) << c.name;
        EXPECT_EQ(load.module->string(577), "Price axis") << c.name;
    }
}

TEST_F(LanguageBundleTest, RegistryKeepsOneCurrentModulePerComponent) {
    ModuleRegistry::registerBuiltIn("Dravik", builtIn_);
    auto other = std::make_shared<ResourceModule>("Tarnwick");
    other->setString(577, "other");
    ModuleRegistry::registerBuiltIn("Tarnwick", other);

    const auto selected = ModuleRegistry::selectLanguage("Dravik", write("ar.res", kArabicBundle));
    ASSERT_TRUE(selected.loaded());
    EXPECT_EQ(ModuleRegistry::current("Dravik"), selected.module);
    EXPECT_EQ(ModuleRegistry::current("Tarnwick")->string(577), "other");

    // A bundle that fails to load puts the built-in module back, not the previous bundle.
    const auto failed = ModuleRegistry::selectLanguage("Dravik", dir_.filePath("absent.res"));
    EXPECT_FALSE(failed.loaded());
    EXPECT_EQ(ModuleRegistry::current("Dravik"), builtIn_);

    EXPECT_FALSE(ModuleRegistry::selectLanguage("Nobody", {}).module);
    EXPECT_FALSE(ModuleRegistry::setCurrent("Nobody", builtIn_));
    EXPECT_TRUE(ModuleRegistry::setCurrent("Dravik", nullptr));
    EXPECT_EQ(ModuleRegistry::current("Dravik"), builtIn_);

    ModuleRegistry::unregister("Dravik");
    ModuleRegistry::unregister("Tarnwick");
    EXPECT_FALSE(ModuleRegistry::current("Dravik"));
    EXPECT_TRUE(ModuleRegistry::components().isEmpty());
}
