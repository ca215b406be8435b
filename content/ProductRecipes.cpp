#include "content/ProductRecipes.h"

#include <map>


#include "content/ContentHash.h"
#include "content/MaterialPresets.h"
#include "content/OggVorbisWriter.h"
#include "content/PictureEncoder.h"
#include "content/ProductContext.h"
#include "content/SoundScore.h"
#include "content/SvgRasteriser.h"
#include "content/SvgTemplate.h"
#include "content/XmlSource.h"
#include "engine/kernel/Error.h"
#include "tools/XMLNode.h"

namespace Content {

namespace {

constexpr float kVorbisQuality = 0.4f;

std::string Describe(const SvgTemplate::Parameters& parameters) {
    std::string text;
    for (const auto& [name, value] : parameters) text += " " + name + "=" + SvgTemplate::Format(value);
    return text;
}

std::string Describe(const ProductRecipes::Animation& a) {
    return a.parameter + " " + SvgTemplate::Format(a.from) + " " + SvgTemplate::Format(a.to) + " " +
           std::to_string(a.frames) + " " + SvgTemplate::Format(a.speed) + Describe(a.fixed);
}

std::string Size(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

// The frames of a template, each rendered at width x height.
std::vector<Picture> RenderFrames(ProductContext& context, const std::string& source, int width, int height,
                                  const ProductRecipes::Animation& animation) {
    if (animation.frames < 1) throw Vantor::Error(source + ": an animation needs at least one frame");
    const std::string svg = context.ReadSource(source);
    std::vector<Picture> frames;
    for (int f = 0; f < animation.frames; ++f) {
        const double share = animation.frames > 1 ? static_cast<double>(f) / (animation.frames - 1) : 0.0;
        SvgTemplate::Parameters parameters = animation.fixed;
        parameters[animation.parameter] = animation.from + (animation.to - animation.from) * share;
        frames.push_back(SvgRasteriser::Render(SvgTemplate::Fill(svg, source, parameters), source, width, height));
    }
    return frames;
}

// The texture name a material gives for a picture beside it: its data path.
void WriteMaterial(ProductContext& context, const std::string& path, const ShaderFileWriter::Shader& material) {
    context.Write(path + ".srf", ShaderFileWriter::Build(material));
}

std::string HashOf(const std::vector<std::uint8_t>& bytes) {
    return ContentHash().Add(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())).Hex();
}

// The product whose one builder writes ready bytes: models and particle systems, built
// when the catalogue is made, so their bytes are their parameters.
Product Prebuilt(const std::string& name, std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files) {
    Product product;
    product.name = name;
    for (const auto& [path, bytes] : files) product.parameters += path + " " + HashOf(bytes) + "\n";
    product.build = [files = std::move(files)](ProductContext& context) {
        for (const auto& [path, bytes] : files) context.Write(path, bytes);
    };
    return product;
}

// The elements inside a document element, as text.
std::string DocumentContent(const std::string& text, const std::string& source) {
    std::size_t start = text.find('<');
    while (start != std::string::npos && (text.compare(start, 2, "<?") == 0 || text.compare(start, 4, "<!--") == 0))
        start = text.find('<', text.find('>', start) + 1);
    const std::size_t open = start == std::string::npos ? start : text.find('>', start);
    const std::size_t close = text.rfind("</");
    if (open == std::string::npos || close == std::string::npos || close < open)
        throw Vantor::Error(source + ": no document element");
    return text.substr(open + 1, close - open - 1);
}

// The frames of a template in a grid picture "<path>.png", with its material "<path>.srf"
// when asked for.
Product Sheet(const std::string& path, const std::string& source, int cellWidth, int cellHeight,
              const ProductRecipes::Animation& animation, SheetBuilder::Grid grid, bool withMaterial) {
    if (grid.columns == 0 || grid.rows == 0) grid = SheetBuilder::GridFor(animation.frames);
    Product product;
    product.name = path + ".png";
    product.sources = {source};
    product.parameters = Size(cellWidth, cellHeight) + " " + Size(grid.columns, grid.rows) + " " + Describe(animation) +
                         (withMaterial ? "" : " picture only");
    product.build = [=, name = product.name](ProductContext& context) {
        const Picture sheet = SheetBuilder::Pack(RenderFrames(context, source, cellWidth, cellHeight, animation), grid);
        if (!SvgRasteriser::IsPowerOfTwoSide(sheet.width) || !SvgRasteriser::IsPowerOfTwoSide(sheet.height))
            throw Vantor::Error(source + ": sheet of " + Size(sheet.width, sheet.height) + " pixels is too large");
        context.Write(name, PictureEncoder::Png(sheet));
        if (withMaterial)
            WriteMaterial(context, path, MaterialPresets::Grid(path, grid.columns, grid.rows, animation.frames, animation.speed));
    };
    return product;
}

}  // namespace

Product ProductRecipes::SvgPicture(const std::string& path, const std::string& source, int width, int height,
                                   Format format, const SvgTemplate::Parameters& parameters) {
    static const char* const kExtensions[] = {".png", ".jpg", ".jpg", ".tga"};
    Product product;
    product.name = path + kExtensions[static_cast<int>(format)];
    product.sources = {source};
    product.parameters = Size(width, height) + " " + std::to_string(static_cast<int>(format)) + Describe(parameters);
    product.build = [=, name = product.name](ProductContext& context) {
        const std::string svg = context.ReadSource(source);
        const Picture picture = SvgRasteriser::Render(
            parameters.empty() ? svg : SvgTemplate::Fill(svg, source, parameters), source, width, height);
        switch (format) {
            case Format::Png: return context.Write(name, PictureEncoder::Png(picture));
            case Format::Tga: return context.Write(name, PictureEncoder::Tga(picture));
            case Format::JpegWithAlpha: context.Write(path + "_alpha.jpg", PictureEncoder::JpegAlpha(picture)); [[fallthrough]];
            case Format::Jpeg: return context.Write(name, PictureEncoder::Jpeg(picture));
        }
    };
    return product;
}

Product ProductRecipes::SvgSheet(const std::string& path, const std::string& source, int cellWidth, int cellHeight,
                                 const Animation& animation, SheetBuilder::Grid grid) {
    return Sheet(path, source, cellWidth, cellHeight, animation, grid, true);
}

Product ProductRecipes::SvgListSheet(const std::string& path, const std::string& source, int cellWidth,
                                     int cellHeight, const Animation& animation, SheetBuilder::Grid grid) {
    return Sheet(path, source, cellWidth, cellHeight, animation, grid, false);
}

Product ProductRecipes::SvgSheetModel(const std::string& path, const std::string& source, int cellWidth,
                                      int cellHeight, const Animation& animation, const ModelFileWriter::Model& model) {
    Product product = SvgSheet(path, source, cellWidth, cellHeight, animation);
    std::vector<std::uint8_t> bytes = ModelFileWriter::Build(model);
    product.parameters += " model " + HashOf(bytes);
    product.build = [sheet = std::move(product.build), path, bytes = std::move(bytes)](ProductContext& context) {
        sheet(context);
        context.Write(path + ".mdl", bytes);
    };
    return product;
}

Product ProductRecipes::SvgButton(const std::string& path, const std::string& source, int cellWidth, int cellHeight) {
    return SvgListSheet(path, source, cellWidth, cellHeight, {"state", 0, 3, 4, 0.0f}, SheetBuilder::kButton);
}

Product ProductRecipes::SvgCheckBox(const std::string& path, const std::string& source, int cellWidth,
                                    int cellHeight) {
    return SvgListSheet(path, source, cellWidth, cellHeight, {"state", 0, 7, 8, 0.0f}, SheetBuilder::kCheckBox);
}

Product ProductRecipes::SvgNumbered(const std::string& path, const std::string& source, int width, int height,
                                    const Animation& animation) {
    Product product;
    product.name = path + ".srf";
    product.sources = {source};
    product.parameters = Size(width, height) + " " + Describe(animation);
    product.build = [=](ProductContext& context) {
        const std::vector<Picture> frames = RenderFrames(context, source, width, height, animation);
        for (int f = 0; f < animation.frames; ++f)
            context.Write(SheetBuilder::NumberedName(path, f, animation.frames) + ".png", PictureEncoder::Png(frames[f]));
        WriteMaterial(context, path,
                      MaterialPresets::Numbered(SheetBuilder::NumberedName(path, 0, animation.frames), animation.frames,
                                                animation.speed));
    };
    return product;
}

Product ProductRecipes::Model(const std::string& path, const ModelFileWriter::Model& model,
                              const ShaderFileWriter::Shader& material) {
    return Prebuilt(path + ".mdl",
                    {{path + ".mdl", ModelFileWriter::Build(model)}, {path + ".srf", ShaderFileWriter::Build(material)}});
}

Product ProductRecipes::Particles(const std::string& path, const ParticleFileWriter::ParticleSystem& system,
                                  const ShaderFileWriter::Shader& material) {
    return Prebuilt(path + ".psf", {{path + ".psf", ParticleFileWriter::Build(system)},
                                    {path + ".srf", ShaderFileWriter::Build(material)}});
}

Product ProductRecipes::Sound(const std::string& path, const std::string& score) {
    Product product;
    product.name = path;
    product.sources = {score};
    product.parameters = "vorbis " + SvgTemplate::Format(kVorbisQuality);
    product.build = [path, score](ProductContext& context) {
        const AudioMix mix = SoundScore::Render(context.ReadSource(score), score, context.Seed());
        const int serial = static_cast<int>(context.Seed() & 0x7FFFFFFF);
        context.Write(path, OggVorbisWriter::Encode(mix.Pcm16(), mix.Channels(), SoundScore::kSampleRate,
                                                    kVorbisQuality, serial));
    };
    return product;
}

Product ProductRecipes::Font(const std::string& folder, const FontGenerator::Options& options) {
    Product product;
    product.name = folder + "\\font.fnt";
    product.sources = {options.typeface};
    product.parameters = std::to_string(options.pixelSize) + (options.monospace ? " monospace" : "") + " fill " +
                         std::to_string(options.fill) + " outline " + std::to_string(options.outline) + " " +
                         std::to_string(options.outlineColour);
    product.build = [folder, options](ProductContext& context) {
        FontGenerator::Options hostOptions = options;
        hostOptions.typeface = context.SourcePath(options.typeface).string();
        for (FontGenerator::File& file : FontGenerator::Build(hostOptions))
            context.Write(folder + "\\" + file.name, std::move(file.bytes));
    };
    return product;
}

Product ProductRecipes::Written(const std::string& path, const std::string& text) {
    return Prebuilt(path, {{path, std::vector<std::uint8_t>(text.begin(), text.end())}});
}

Product ProductRecipes::Copy(const std::string& path, const std::string& source) {
    Product product;
    product.name = path;
    product.sources = {source};
    product.build = [path, source](ProductContext& context) { context.Write(path, context.ReadSource(source)); };
    return product;
}

Product ProductRecipes::XmlCopy(const std::string& path, const std::string& source) {
    Product product = Copy(path, source);
    product.build = [path, source](ProductContext& context) {
        const std::string text = context.ReadSource(source);
        XmlSource::Parse(text, source);
        context.Write(path, text);
    };
    return product;
}

Product ProductRecipes::MergedTexts(const std::string& path, const std::vector<std::string>& sources) {
    Product product;
    product.name = path;
    product.sources = sources;
    product.builderVersion = 2;
    product.build = [path, sources](ProductContext& context) {
        // The byte-order mark is what makes the XML reader take the text as UTF-8.
        std::string merged = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<texts language=\"english\">";
        std::map<std::string, std::string> keySources;
        for (const std::string& source : sources) {
            const std::string text = context.ReadSource(source);
            XmlSource::CollectTextKeys(*XmlSource::Parse(text, source), source, keySources);
            merged += DocumentContent(text, source);
        }
        merged += "</texts>\n";
        XmlSource::Parse(merged, path);
        context.Write(path, merged);
    };
    return product;
}

}  // namespace Content
