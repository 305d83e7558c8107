// The settings store on real files, in a private config folder.

#include "platform/qt/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using tapfill::platform::qt::QtSettingsStore;

namespace {

/// QSettings fixes its folders at first use in a process, so every test
/// here shares one config folder, made before any of them runs; each test
/// uses an application name of its own.
class ConfigFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        char pattern[] = "/tmp/tapfill-settings-XXXXXX";
        root = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    }
    void TearDown() override { fs::remove_all(root); }
    static inline fs::path root;
};
const auto* const folder = ::testing::AddGlobalTestEnvironment(new ConfigFolder);

std::string contents(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(QtSettingsStore, RunningFlagLivesWhereEveryCopyLooks)
{
    QtSettingsStore store;
    EXPECT_EQ(store.getSetting("lockfiles", "startit", "FL1", ""), "");
    ASSERT_TRUE(store.saveSetting("lockfiles", "startit", "FL1", "1"));

    const fs::path file = ConfigFolder::root / "lockfiles" / "lockfiles.conf";
    ASSERT_TRUE(fs::exists(file)) << "written at once, not when the store goes";
    EXPECT_NE(contents(file).find("[startit]\nFL1=1"), std::string::npos) << contents(file);

    // A second store (another copy of the program) reads it.
    EXPECT_EQ(QtSettingsStore().getSetting("lockfiles", "startit", "FL1", ""), "1");
    ASSERT_TRUE(store.saveSetting("lockfiles", "startit", "FL1", "0"));
    EXPECT_EQ(QtSettingsStore().getSetting("lockfiles", "startit", "FL1", ""), "0");
}

TEST(QtSettingsStore, MissingValuesGiveTheDefault)
{
    QtSettingsStore store;
    ASSERT_TRUE(store.saveSetting("tf-defaults", "one", "key", "stored"));
    EXPECT_EQ(store.getSetting("tf-defaults", "one", "other", "fallback"), "fallback");
    EXPECT_EQ(store.getSetting("tf-defaults", "two", "key", "fallback"), "fallback");
    EXPECT_EQ(store.getSetting("tf-nothing", "one", "key", "fallback"), "fallback");
}

TEST(QtSettingsStore, SectionsAndApplicationsAreSeparate)
{
    QtSettingsStore store;
    ASSERT_TRUE(store.saveSetting("tf-apps-a", "s", "k", "a"));
    ASSERT_TRUE(store.saveSetting("tf-apps-b", "s", "k", "b"));
    ASSERT_TRUE(store.saveSetting("tf-apps-a", "t", "k", "a-t"));
    EXPECT_EQ(store.getSetting("tf-apps-a", "s", "k", ""), "a");
    EXPECT_EQ(store.getSetting("tf-apps-b", "s", "k", ""), "b");
    EXPECT_EQ(store.getSetting("tf-apps-a", "t", "k", ""), "a-t");
}

TEST(QtSettingsStore, ValuesComeBackAsWritten)
{
    QtSettingsStore store;
    for (const std::string value : {"", " 1 ", "1.0", "a=b; c", "Grüße €1", "#not a comment",
                                    "line\nbreak", "\"quoted\"", "back\\slash"}) {
        ASSERT_TRUE(store.saveSetting("tf-values", "startit", "FL1", value)) << value;
        EXPECT_EQ(QtSettingsStore().getSetting("tf-values", "startit", "FL1", "?"), value);
    }
}

TEST(QtSettingsStore, AnUnwritablePlaceReportsFailure)
{
    // A file where the application's folder should be: nobody, not even
    // root, can create the settings file below it.
    std::ofstream(ConfigFolder::root / "tf-blocked") << "in the way";
    QtSettingsStore store;
    EXPECT_FALSE(store.saveSetting("tf-blocked", "startit", "FL1", "1"));
    EXPECT_EQ(store.getSetting("tf-blocked", "startit", "FL1", "none"), "none");
}
