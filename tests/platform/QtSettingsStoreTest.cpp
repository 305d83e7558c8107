// The settings store on real files, in a private config folder.

#include "platform/qt/QtSettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using tapfill::platform::qt::QtSettingsStore;

namespace {

/// QSettings fixes its folders at first use in a process, so every test
/// here shares one config folder, made before any of them runs; each test
/// uses an application name of its own.
const tapfill::test::TempDir configRoot;
const bool configRootSet = ::setenv("XDG_CONFIG_HOME", configRoot.path().c_str(), 1) == 0;

} // namespace

TEST(QtSettingsStore, RunningFlagIsWrittenAtOnceWhereEveryCopyLooksAndComesBackAsWritten)
{
    QtSettingsStore store;
    EXPECT_EQ(store.getSetting("lockfiles", "startit", "FL1", ""), "");
    ASSERT_TRUE(store.saveSetting("lockfiles", "startit", "FL1", "1"));

    ASSERT_TRUE(configRootSet);
    EXPECT_NE(configRoot.read("lockfiles/lockfiles.conf").find("[startit]\nFL1=1"), std::string::npos)
        << "written at once, not when the store goes";

    // A second store (another copy of the program) reads what the first wrote.
    for (const std::string value : {"1", "0", "", " 1 ", "1.0", "a=b; c", "Grüße €1", "#not a comment",
                                    "line\nbreak", "\"quoted\"", "back\\slash"}) {
        ASSERT_TRUE(store.saveSetting("lockfiles", "startit", "FL1", value)) << value;
        EXPECT_EQ(QtSettingsStore().getSetting("lockfiles", "startit", "FL1", "?"), value);
    }
}

TEST(QtSettingsStore, AnUnwritablePlaceReportsFailure)
{
    // A file where the application's folder should be: nobody, not even
    // root, can create the settings file below it.
    configRoot.write("tf-blocked", "in the way");
    QtSettingsStore store;
    EXPECT_FALSE(store.saveSetting("tf-blocked", "startit", "FL1", "1"));
    EXPECT_EQ(store.getSetting("tf-blocked", "startit", "FL1", "none"), "none");
}
