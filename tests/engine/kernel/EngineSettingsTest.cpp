#include "engine/kernel/EngineSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineSettings, DefaultsAreEmptyExceptPacksAndDisplayMode) {
    const Vantor::EngineSettings settings;
    EXPECT_TRUE(settings.usePacks);
    EXPECT_EQ(settings.displayMode, "800x600x32");

    EXPECT_TRUE(settings.title.empty());
    EXPECT_EQ(settings.version, 0);
    EXPECT_TRUE(settings.baseFolder.empty());
    EXPECT_FALSE(settings.saveConfigAtExit);
    EXPECT_TRUE(settings.configName.empty());
    EXPECT_FALSE(settings.logEnabled);
    EXPECT_FALSE(settings.logFlush);
    EXPECT_TRUE(settings.logFolder.empty());
    EXPECT_TRUE(settings.logName.empty());
    EXPECT_TRUE(settings.configFolder.empty());
    EXPECT_TRUE(settings.dataFolder.empty());
    EXPECT_EQ(settings.packCacheLimit, 0u);
    EXPECT_EQ(settings.hostWindow, nullptr);
    EXPECT_EQ(settings.iconId, 0);
    EXPECT_FALSE(settings.forceDefaultMode);
    EXPECT_FALSE(settings.forceDefaultFullscreen);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_FALSE(settings.exactVideoMode);
    EXPECT_FALSE(settings.stencilBufferWanted);
    EXPECT_FALSE(settings.centreWindow);
    EXPECT_EQ(settings.windowPosition.x, 0);
    EXPECT_EQ(settings.windowPosition.y, 0);
    EXPECT_EQ(settings.restoreMessageId, 0u);
    EXPECT_FALSE(settings.use3DSound);
}

TEST(EngineSettings, AssignmentCopiesStringsFlagsAndPosition) {
    Vantor::EngineSettings source;
    source.title = L"Caf\u00e9";
    source.displayMode = "1024x768x32";
    source.forceDefaultFullscreen = true;
    source.fullscreen = true;
    source.exactVideoMode = true;
    source.stencilBufferWanted = true;
    source.centreWindow = true;
    source.windowPosition = Vantor::Vector2i(12, -7);
    source.packCacheLimit = 16777216u;

    Vantor::EngineSettings copy;
    copy = source;
    source.title.clear();  // the copy owns its own text
    EXPECT_EQ(copy.title, L"Caf\u00e9");
    EXPECT_EQ(copy.displayMode, "1024x768x32");
    EXPECT_TRUE(copy.forceDefaultFullscreen && copy.fullscreen && copy.exactVideoMode && copy.stencilBufferWanted &&
                copy.centreWindow);
    EXPECT_EQ(copy.windowPosition.x, 12);
    EXPECT_EQ(copy.windowPosition.y, -7);
    EXPECT_EQ(copy.packCacheLimit, 16777216u);
}

}  // namespace
