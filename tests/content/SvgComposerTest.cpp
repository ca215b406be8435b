#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "content/CharacterPoses.h"
#include "content/SvgComposer.h"
#include "engine/kernel/Error.h"

namespace {

using Content::SvgComposer;
using testing::HasSubstr;

// A character template that shows its pose's values.
std::string Read(const std::string& source) {
    EXPECT_EQ(source, "art/ui/characters/girl.svg");
    return "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 200 400'><circle cx='${leftEye}' r='${wave}'/></svg>";
}

std::string ErrorOf(const std::string& scene) {
    try {
        SvgComposer::Compose(scene, "art/scene.svg", Read);
    } catch (const Vantor::Error& error) {
        return error.GetText();
    }
    return "";
}

TEST(SvgComposer, APartBecomesThePosesDrawingMovedAndScaled) {
    const std::string composed = SvgComposer::Compose(
        "<svg><rect/><part pose=\"girl_hello\" x=\"10\" y=\"-20.5\" scale=\"0.5\"/><rect/></svg>", "art/scene.svg", Read);
    const Content::SvgTemplate::Parameters& pose = Content::CharacterPoses::Named("girl_hello").parameters;
    EXPECT_EQ(composed, "<svg><rect/><g transform=\"translate(10 -20.5) scale(0.5)\"><circle cx='" +
                            Content::SvgTemplate::Format(pose.at("leftEye")) + "' r='1'/></g><rect/></svg>");
    EXPECT_EQ(SvgComposer::Compose("<svg/>", "art/scene.svg", Read), "<svg/>");
}

TEST(SvgComposer, AMalformedPartOrAnUnknownPoseIsNamedWithTheScene) {
    EXPECT_THAT(ErrorOf("<svg><part pose=\"girl_hello\" x=\"1\"/></svg>"), HasSubstr("art/scene.svg: a part element is"));
    EXPECT_THAT(ErrorOf("<svg><part x=\"1\" pose=\"girl_hello\" y=\"1\" scale=\"1\"/></svg>"),
                HasSubstr("art/scene.svg: a part element is"));
    EXPECT_THAT(ErrorOf("<svg><part pose=\"girl_dance\" x=\"1\" y=\"1\" scale=\"1\"/></svg>"),
                HasSubstr("art/scene.svg: no character pose \"girl_dance\""));
}

}  // namespace
