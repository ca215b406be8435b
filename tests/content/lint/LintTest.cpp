#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "content/FontFileWriter.h"
#include "content/MaterialPresets.h"
#include "content/ModelShapes.h"
#include "content/OggVorbisWriter.h"
#include "content/ParticleFileWriter.h"
#include "content/ParticlePresets.h"
#include "content/PictureEncoder.h"
#include "tests/content/lint/DataLint.h"
#include "tests/support/TempFolder.h"

namespace {

using contentlint::DataLint;
using testing::AllOf;
using testing::Contains;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;
using testing::StartsWith;
namespace fs = std::filesystem;

// The data set the test run built once (make_data's CTest fixture).
fs::path BuiltDataSet() { return MORVANE_DATA_SET_FOLDER; }

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(DataLint, TheBuiltDataSetPasses) {
    ASSERT_TRUE(fs::is_directory(BuiltDataSet())) << "make_data has not built " << BuiltDataSet();
    EXPECT_THAT(DataLint(BuiltDataSet()).Run(), IsEmpty());
}

// A copy of the built data set with one fault planted: the lint names the file.
class PlantedFault : public testing::Test {
protected:
    PlantedFault() {
        fs::copy(BuiltDataSet(), Data(), fs::copy_options::recursive);
    }
    fs::path Data() const { return folder_.Path() / "data"; }
    void Plant(const std::string& file, const std::string& bytes) const { folder_.WriteFile("data/" + file, bytes); }
    std::vector<std::string> Lint(std::uint64_t maxBytes = DataLint::kMaxBytes) const {
        return DataLint(Data(), maxBytes).Run();
    }

    testsupport::TempFolder folder_;
};

Content::Picture Opaque(int width, int height) {
    Content::Picture picture(width, height);
    std::fill(picture.rgba.begin(), picture.rgba.end(), 255);
    return picture;
}

TEST_F(PlantedFault, EachKindOfFaultIsNamedWithItsFile) {
    using Content::ShaderFileWriter;
    const std::string quad = Text(Content::ModelFileWriter::Build(Content::ModelShapes::UnitQuad()));
    const std::string srf = Text(ShaderFileWriter::Build(Content::MaterialPresets::Single("common\\empty")));
    struct Case {
        std::vector<std::pair<std::string, std::string>> files;
        std::string problem;
        std::vector<std::string> removed = {};
    };
    const std::vector<Case> cases{
        {{{"common/empty.png", "not a picture"}}, "common\\empty.png: "},
        {{{"common/empty.png", Text(Content::PictureEncoder::Png(Opaque(12, 8)))}},
         "common\\empty.png: picture of 12x8: sides must be powers of two"},
        {{{"console/console.png", Text(Content::PictureEncoder::Png(Opaque(2048, 1)))}},
         "console\\console.png: picture of 2048x1"},
        {{{"fx/quad.mdl", quad}, {"fx/quad.srf", Text(ShaderFileWriter::Build(Content::MaterialPresets::Single("fx\\none")))}},
         "fx\\quad.srf: stage 0 texture \"fx\\none\" not found"},
        {{{"fx/quad.mdl", quad}}, "fx\\quad.mdl: no material fx\\quad.srf"},
        {{{"fx/quad.mdl", quad.substr(0, 20)}, {"fx/quad.srf", srf}}, "fx\\quad.mdl: "},
        {{{"fx/quad.mdl", quad}, {"fx/quad.srf", srf.substr(0, 30)}}, "fx\\quad.srf: "},
        {{{"fx/burst.psf", "VTPSF"}, {"fx/burst.srf", srf}}, "fx\\burst.psf: "},
        {{{"audio/beep.ogg",
           Text(Content::OggVorbisWriter::Encode(std::vector<std::int16_t>(4410, 0), 1, 44100))}},
         "audio\\beep.ogg: sound at 44100 Hz, not 22050 Hz"},
        {{{"audio/beep.ogg", "OggS broken"}}, "audio\\beep.ogg: "},
        {{{"ui/stray.png", Text(Content::PictureEncoder::Png(Opaque(4, 4)))}}, "ui\\stray.png: nothing refers to this file"},
        {{{"notes.txt", "hello"}}, "notes.txt: no reader for files of this kind"},
        {{{"fonts/common/font.fnt", "VTFNT"}}, "fonts\\common\\font.fnt: "},
        {{{"levels/levels.xml", "<levels><stage></levels>"}}, "levels\\levels.xml: XML format error"},
        {{{"texts/texts.xml", "<texts><a text='1'/><b><c text='2'/></b><a text='3'/></texts>"}},
         "texts\\texts.xml: text key \"a\" is also defined in texts\\texts.xml"},
        {{}, "fonts\\console\\font.fnt: no fonts\\console\\font picture beside it", {"fonts/console/font.tga"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        fs::remove_all(Data());
        fs::copy(BuiltDataSet(), Data(), fs::copy_options::recursive);
        for (const auto& [file, bytes] : c.files) Plant(file, bytes);
        for (const std::string& file : c.removed) fs::remove(Data() / file);
        EXPECT_THAT(Lint(), Contains(StartsWith(c.problem)));
    }
}

TEST_F(PlantedFault, AFontWithACharacterTwiceIsNamed) {
    Content::FontFileWriter::Record glyph;
    glyph.code = u'A';
    glyph.w = glyph.h = glyph.width = 1.0f;
    Plant("fonts/console/font.fnt", Text(Content::FontFileWriter::Build({glyph, glyph})));
    EXPECT_THAT(Lint(), Contains("fonts\\console\\font.fnt: Error: (GUIFont::GUIFont): Dublicated character!"));
}

// A small GUI on top of the built data set whose every name resolves: a resource list
// with a model and a shader below "ui/", a fader list, a template lent to a window, and
// a text label naming a font and text keys.
class GuiData : public PlantedFault {
protected:
    GuiData() {
        Plant("ui/frame.mdl", Text(Content::ModelFileWriter::Build(Content::ModelShapes::UnitQuad())));
        Plant("ui/frame.srf", Text(Content::ShaderFileWriter::Build(Content::MaterialPresets::Single("ui\\frame_picture"))));
        Plant("ui/frame_picture.png", Text(Content::PictureEncoder::Png(Opaque(4, 4))));
        AddToList("ui/resources_basic.xml", "<ui><model name='frame' file_name='frame.mdl'/>"
                  "<shader name='frame_look' texture_name='frame_picture' alpha_blend='1'/></ui>");
        Plant("ui/windows/test_faders.xml", "<faders><fader name='fade_in' show_speed='2'/></faders>");
        Plant("ui/windows/look.xml", "<window name='look' shader='frame_look'/>");
        PlantWindow("<window name='window_test' model='frame' fader='fade_in' template='look'>"
                    "<text_label name='title' font='common' text=\"[u]game_title+' - '+game_title\"/></window>");
    }
    void PlantWindow(const std::string& layout) const { Plant("ui/windows/window_test.xml", layout); }
    // The entries go into one of the data set's own lists, beside what it holds.
    void AddToList(const std::string& path, const std::string& entries) const {
        std::ifstream file(Data() / path);
        std::string list((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        list.insert(list.rfind("</resources>"), entries);
        Plant(path, list);
    }
};

TEST_F(GuiData, LoadsWithoutAProblemWhenEveryNameResolves) { EXPECT_THAT(Lint(), IsEmpty()); }

TEST_F(GuiData, EachNameThatDoesNotResolveIsNamedWithItsTemplate) {
    const std::string file = "ui\\windows\\window_test.xml: ";
    const std::vector<std::pair<std::string, std::string>> cases{
        {"<window name='window_test' model='frame_'/>", "window_test: model \"ui/frame_\" is in no resource list"},
        {"<window name='window_test'><button name='b' animator_model='look'/></window>",
         "window_test/b: model \"ui/look\" is in no resource list"},
        {"<window name='window_test'><scroll name='s' toddler_shader='frame'/></window>",
         "window_test/s: shader \"ui/frame\" is in no resource list"},
        {"<window name='window_test' fader='fade_out'/>", "window_test: fader \"fade_out\" is in no fader list"},
        {"<window name='window_test' template='looks'/>", "window_test: template \"looks\" is no top element"},
        {"<window name='window_test'><edit_box name='e' font='commons'/></window>",
         "window_test/e: font \"commons\" did not load"},
        {"<window name='window_test'><text_label name='t' text=\"game_title+'a+b'+[fu]common/none\"/></window>",
         "window_test/t: text key \"'a\", \"b'\", \"common/none\" not in the text table"},
    };
    for (const auto& [layout, problem] : cases) {
        SCOPED_TRACE(layout);
        PlantWindow(layout);
        EXPECT_THAT(Lint(), Contains(file + problem));
    }
}

TEST_F(GuiData, ListsNameFilesThatArePresentAndDefineEachKeyOnce) {
    struct Case {
        std::string additional;
        std::string problem;
    };
    const std::string list = "ui\\resources_additional.xml: ";
    const std::vector<Case> cases{
        {"<model name='cursor' file_name='cursor.mdl'/>", list + "model \"cursor\": file \"ui\\cursor.mdl\" not found"},
        {"<particles name='trail' file_name='trail.psf'/>",
         list + "particle system \"trail\": file \"ui\\trail.psf\" not found"},
        {"<shader name='glow' texture_name='glow'/>", list + "shader \"glow\": texture \"ui\\glow\" not found"},
        // The lists are read in the order of their paths.
        {"<ui><model name='frame' file_name='frame.mdl'/></ui>",
         "ui\\resources_basic.xml: model \"ui/frame\" is also defined in ui\\resources_additional.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.additional);
        fs::copy_file(BuiltDataSet() / "ui/resources_additional.xml", Data() / "ui/resources_additional.xml",
                      fs::copy_options::overwrite_existing);
        AddToList("ui/resources_additional.xml", c.additional);
        EXPECT_THAT(Lint(), Contains(c.problem));
    }
}

TEST_F(GuiData, WhatTheKeepersLoadLogsIsAProblemNamingTheResource) {
    // Every file is sound on its own, but a particle system is no model.
    Plant("ui/burst.psf", Text(Content::ParticleFileWriter::Build({})));
    Plant("ui/burst.srf", Text(Content::ShaderFileWriter::Build(Content::MaterialPresets::Single("ui\\frame_picture"))));
    AddToList("ui/resources_additional.xml", "<model name='burst' file_name='burst.psf'/>");
    EXPECT_THAT(Lint(), Contains(AllOf(StartsWith("resource lists: "), HasSubstr("ui\\burst.psf"))));
}

TEST_F(GuiData, TexturePackFilesAreReadAsTexturePacks) {
    Plant("ui/pack.tpf", "GFTPF broken");
    Plant("ui/pack.srf", Text(Content::ShaderFileWriter::Build(Content::MaterialPresets::Single("ui\\frame_picture"))));
    AddToList("ui/resources_additional.xml", "<texture_pack name='pack' file_name='pack.tpf'/>");
    const std::vector<std::string> problems = Lint();
    EXPECT_THAT(problems, Contains(StartsWith("ui\\pack.tpf: Failed to read")));
    EXPECT_THAT(problems, Not(Contains(HasSubstr("nothing refers"))));
}

// The layouts the code opens are built over the loaded data set: a control the code
// looks up must be there with its kind, and no text may compose to the missing-key mark.
TEST_F(PlantedFault, ALayoutTheCodeCannotUseIsNamed) {
    const std::string window = "<window name='window_exit'><window name='window'><button name='button_0'/>";
    const std::vector<std::pair<std::string, std::string>> cases{
        {window + "</window></window>", "window_exit: button \"/window/button_1\" is missing"},
        {window + "<text_label name='button_1'/></window></window>", "window_exit: \"/window/button_1\" is no button"},
        {window + "<button name='button_1'/><text_label name='text' font='common' text='exit/none'/></window></window>",
         "window_exit: \"window_exit/window/text\" composes \"exit/none\" to ***"},
        {window + "<button name='button_1' fader='nowhere'/></window></window>", "window_exit: "},
    };
    for (const auto& [layout, problem] : cases) {
        SCOPED_TRACE(layout);
        Plant("ui/windows/window_exit.xml", layout);
        EXPECT_THAT(Lint(), Contains(StartsWith(problem)));
    }
}

TEST_F(PlantedFault, ATextKeyTheCodeNamesMustBeInTheTable) {
    Plant("texts/texts.xml", "<texts language='english'><game_title text='Cafe'/></texts>");
    EXPECT_THAT(Lint(), Contains("texts\\texts.xml: text key \"common/back\" that the code names is missing"));
}

// A background answers a missing layer resource with an empty default: the lint names it.
TEST_F(PlantedFault, ABackgroundLayerWhoseResourceIsInNoListIsNamed) {
    Plant("ui/background/background.xml", "<background resources_prefix='ui/background'><model name='sky_layer'/>"
                                          "<model name='nothing'/><particles name='steam' animator_model='nowhere'/>"
                                          "</background>");
    const std::string file = "ui\\background\\background.xml: ";
    EXPECT_THAT(Lint(), AllOf(Contains(file + "layer \"nothing\": model \"ui/background/nothing\" is in no resource list"),
                              Contains(file + "layer \"steam\": model \"ui/background/nowhere\" is in no resource list"),
                              Not(Contains(HasSubstr("sky_layer")))));
}

TEST_F(PlantedFault, LicenceNoticesNeedNoReferenceAndNoReader) {
    Plant("fonts/common/licence.txt", "Free to use.");
    EXPECT_THAT(Lint(), IsEmpty());
}

TEST_F(PlantedFault, AFolderOverTheLimitIsNamed) {
    EXPECT_THAT(Lint(100), Contains(AllOf(StartsWith("data folder: "), HasSubstr("more than 100"))));
}

}  // namespace
