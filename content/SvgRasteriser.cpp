#include "content/SvgRasteriser.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <memory>
#include <regex>

#include "engine/kernel/Error.h"

namespace Content {

namespace {

// GLib's message without the line end it may carry.
std::string MessageOf(GError* error) {
    std::string message = error ? error->message : "unknown error";
    if (error) g_error_free(error);
    message.erase(message.find_last_not_of(" \n") + 1);
    return message;
}

template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* p) const { Free(p); }
};
void UnrefHandle(RsvgHandle* handle) { g_object_unref(handle); }
using HandlePtr = std::unique_ptr<RsvgHandle, Deleter<RsvgHandle, UnrefHandle>>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, Deleter<cairo_surface_t, cairo_surface_destroy>>;
using CairoPtr = std::unique_ptr<cairo_t, Deleter<cairo_t, cairo_destroy>>;

// Cairo's pixels are native-endian 32-bit ARGB words with premultiplied colour.
void Unpremultiply(const cairo_surface_t* surface, Picture& picture) {
    auto* mutableSurface = const_cast<cairo_surface_t*>(surface);
    const unsigned char* data = cairo_image_surface_get_data(mutableSurface);
    const int stride = cairo_image_surface_get_stride(mutableSurface);
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t argb = row[x];
            const unsigned alpha = argb >> 24;
            std::uint8_t* out = picture.Pixel(x, y);
            out[3] = static_cast<std::uint8_t>(alpha);
            for (int c = 0; c < 3; ++c) {
                const unsigned premultiplied = (argb >> (16 - 8 * c)) & 0xFF;
                out[c] = alpha ? static_cast<std::uint8_t>(std::min(255u, (premultiplied * 255 + alpha / 2) / alpha)) : 0;
            }
        }
    }
}

}  // namespace

Picture SvgRasteriser::Render(const std::string& svg, const std::string& sourceName, int width, int height) {
    if (!IsPowerOfTwoSide(width) || !IsPowerOfTwoSide(height))
        throw Vantor::Error(sourceName + ": picture size " + std::to_string(width) + "x" + std::to_string(height) +
                            " is not a power of two up to 1024");
    static const std::regex textElement("<\\s*(svg:)?(text|tspan|textPath)[\\s>/]");
    if (std::regex_search(svg, textElement))
        throw Vantor::Error(sourceName + ": holds a text element; draw lettering as paths");

    GError* error = nullptr;
    HandlePtr handle(rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error));
    if (!handle) throw Vantor::Error(sourceName + ": not a valid SVG document: " + MessageOf(error));

    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    CairoPtr cairo(cairo_create(surface.get()));
    const RsvgRectangle viewport{0.0, 0.0, static_cast<double>(width), static_cast<double>(height)};
    if (!rsvg_handle_render_document(handle.get(), cairo.get(), &viewport, &error))
        throw Vantor::Error(sourceName + ": cannot be rendered: " + MessageOf(error));
    cairo_surface_flush(surface.get());

    Picture picture(width, height);
    Unpremultiply(surface.get(), picture);
    return picture;
}

}  // namespace Content
