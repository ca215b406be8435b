#pragma once
// The kinds of product the data set is made of, each a Product whose builder runs the
// matching builder over its sources: SVG pictures, animation sheets (a grid with its
// material, or numbered files), models and particle systems with their materials,
// synthesised sounds, checked XML copies and the text table merged from one source per
// area. Paths are relative to the data folder with backslashes, sources relative to
// the source folder.

#include <string>
#include <vector>

#include "content/FontGenerator.h"
#include "content/ModelFileWriter.h"
#include "content/ParticleFileWriter.h"
#include "content/Product.h"
#include "content/ShaderFileWriter.h"
#include "content/SheetBuilder.h"
#include "content/SvgTemplate.h"

namespace Content {

class ProductRecipes {
public:
    enum class Format { Png, Jpeg, JpegWithAlpha, Tga };
    // One frame's parameter sweeps from `from` (frame 0) to `to` (the last frame).
    struct Animation {
        std::string parameter = "t";
        double from = 0.0;
        double to = 1.0;
        int frames = 1;
        float speed = 10.0f;
        // Values the template gets in every frame besides the swept one (colours).
        SvgTemplate::Parameters fixed = {};
    };

    // "<path>.<extension>" (and "<path>_alpha.jpg" with JpegWithAlpha), the template
    // filled with the parameters.
    static Product SvgPicture(const std::string& path, const std::string& source, int width, int height,
                              Format format = Format::Png, const SvgTemplate::Parameters& parameters = {});
    // The frames of an SVG template in a grid picture "<path>.png" with the material
    // "<path>.srf"; a grid of 0 x 0 takes the smallest that holds the frames.
    static Product SvgSheet(const std::string& path, const std::string& source, int cellWidth, int cellHeight,
                            const Animation& animation, SheetBuilder::Grid grid = {0, 0});
    // The grid picture alone: a GUI resource list's "net" shader describes its grid.
    static Product SvgListSheet(const std::string& path, const std::string& source, int cellWidth, int cellHeight,
                                const Animation& animation, SheetBuilder::Grid grid = {0, 0});
    // A sheet as above and the model "<path>.mdl" drawn with its material.
    static Product SvgSheetModel(const std::string& path, const std::string& source, int cellWidth, int cellHeight,
                                 const Animation& animation, const ModelFileWriter::Model& model);
    // A button's four states (normal, hover, pressed, disabled) or a check box's eight,
    // from a template whose parameter "state" counts them from 0, as a list sheet.
    static Product SvgButton(const std::string& path, const std::string& source, int cellWidth, int cellHeight);
    static Product SvgCheckBox(const std::string& path, const std::string& source, int cellWidth, int cellHeight);
    // The frames as "<path>00.png" ... with the material "<path>.srf".
    static Product SvgNumbered(const std::string& path, const std::string& source, int width, int height,
                               const Animation& animation);
    // "<path>.mdl" (or ".psf") with "<path>.srf".
    static Product Model(const std::string& path, const ModelFileWriter::Model& model,
                         const ShaderFileWriter::Shader& material);
    static Product Particles(const std::string& path, const ParticleFileWriter::ParticleSystem& system,
                             const ShaderFileWriter::Shader& material);
    // A score rendered and encoded as Ogg Vorbis, its stream serial derived from the path.
    static Product Sound(const std::string& path, const std::string& score);
    // A bitmap font folder "<folder>\font.tga", ".fnt", ".xml" in the options' style; the
    // options' typeface is a host path, which takes part in the fingerprint like any source.
    static Product Font(const std::string& folder, const FontGenerator::Options& options);
    // A text the catalogue made itself (resource lists, background descriptions).
    static Product Written(const std::string& path, const std::string& text);
    // The source copied unchanged (licence notices).
    static Product Copy(const std::string& path, const std::string& source);
    // The source read by the game's XML parser, then copied unchanged.
    static Product XmlCopy(const std::string& path, const std::string& source);
    // <texts language="english"> with the elements of every source's document element,
    // the sources in the order given; each source is parsed first, and a key defined
    // twice fails naming both sources.
    static Product MergedTexts(const std::string& path, const std::vector<std::string>& sources);
};

}  // namespace Content
