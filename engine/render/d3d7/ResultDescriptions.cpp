#include "engine/render/d3d7/ResultDescriptions.h"

#include <iterator>

#include "platform/DirectDraw.h"

namespace Vantor {

namespace {

struct ResultDescription {
    HRESULT code;
    const char* text;
};

constexpr ResultDescription kDescriptions[] = {
    {DDERR_UNSUPPORTED, "The operation is not supported."},
    {DDERR_GENERIC, "There is an undefined error condition."},
    {DDERR_NOTINITIALIZED, "The object was used before it was initialized."},
    {DDERR_OUTOFMEMORY, "DirectDraw does not have enough memory to perform the operation."},
    {DDERR_INVALIDPARAMS, "One or more of the parameters passed to the method are incorrect."},
    {DDERR_ALREADYINITIALIZED, "The object has already been initialized."},
    {DDERR_CANNOTATTACHSURFACE, "The surface cannot be attached to the requested surface."},
    {DDERR_CANNOTDETACHSURFACE, "The surface cannot be detached from the requested surface."},
    {DDERR_CURRENTLYNOTAVAIL, "The requested support is not available at the moment."},
    {DDERR_EXCEPTION, "An exception occurred while the operation was carried out."},
    {DDERR_HEIGHTALIGN, "The height of the rectangle is not a multiple of the required alignment."},
    {DDERR_INCOMPATIBLEPRIMARY, "The requested primary surface does not match the existing primary surface."},
    {DDERR_INVALIDCAPS, "The capabilities passed to the method are not valid."},
    {DDERR_INVALIDCLIPLIST, "The clip list is not supported."},
    {DDERR_INVALIDMODE, "The requested display mode is not supported."},
    {DDERR_INVALIDOBJECT, "The object passed to the method is not a valid DirectDraw object."},
    {DDERR_INVALIDPIXELFORMAT, "The pixel format is not valid."},
    {DDERR_INVALIDRECT, "The rectangle is not valid."},
    {DDERR_LOCKEDSURFACES, "The operation cannot go on while one or more surfaces are locked."},
    {DDERR_NO3D, "No 3D hardware or emulation is present."},
    {DDERR_NOALPHAHW, "The operation needs alpha hardware acceleration, and none is present."},
    {DDERR_NOSTEREOHARDWARE, "No stereo hardware is present."},
    {DDERR_NOSURFACELEFT, "No hardware is left that can hold a stereo surface."},
    {DDERR_NOCLIPLIST, "No clip list is available."},
    {DDERR_NOCOLORCONVHW, "The operation needs colour-conversion hardware, and none is present."},
    {DDERR_NOCOOPERATIVELEVELSET, "A create call was made before the cooperative level was set."},
    {DDERR_NOCOLORKEY, "The surface has no colour key."},
    {DDERR_NOCOLORKEYHW, "The operation needs hardware support for destination colour keys, and none is present."},
    {DDERR_NODIRECTDRAWSUPPORT, "The current display driver does not support DirectDraw."},
    {DDERR_NOEXCLUSIVEMODE,
     "The operation requires the application to have exclusive mode, but the application does not have exclusive "
     "mode."},
    {DDERR_NOFLIPHW, "The hardware cannot flip visible surfaces."},
    {DDERR_NOGDI, "No graphics device interface is present."},
    {DDERR_NOMIRRORHW, "The operation needs mirroring hardware, and none is present."},
    {DDERR_NOTFOUND, "The requested item was not found."},
    {DDERR_NOOVERLAYHW, "The operation needs overlay hardware, and none is present."},
    {DDERR_OVERLAPPINGRECTS, "The source and destination rectangles overlap on the same surface."},
    {DDERR_NORASTEROPHW, "The operation needs raster-operation hardware, and none is present."},
    {DDERR_NOROTATIONHW, "The operation needs rotation hardware, and none is present."},
    {DDERR_NOSTRETCHHW, "The hardware cannot stretch."},
    {DDERR_NOT4BITCOLOR, "The operation needs a surface with a 4-bit colour palette."},
    {DDERR_NOT4BITCOLORINDEX, "The operation needs a surface with a 4-bit colour index palette."},
    {DDERR_NOT8BITCOLOR, "The operation needs a surface with an 8-bit colour palette."},
    {DDERR_NOTEXTUREHW, "The operation needs texture-mapping hardware, and none is present."},
    {DDERR_NOVSYNCHW, "The hardware cannot wait for the vertical blank."},
    {DDERR_NOZBUFFERHW, "The hardware does not support Z buffers for this operation."},
    {DDERR_NOZOVERLAYHW, "The hardware cannot order overlay surfaces by depth."},
    {DDERR_OUTOFCAPS, "The hardware the operation needs is already in use."},
    {DDERR_OUTOFVIDEOMEMORY, "DirectDraw does not have enough display memory to perform the operation."},
    {DDERR_OVERLAYCANTCLIP, "The hardware cannot clip overlays."},
    {DDERR_OVERLAYCOLORKEYONLYONEACTIVE, "An overlay can have only one colour key active at a time."},
    {DDERR_PALETTEBUSY, "Another thread holds the palette locked."},
    {DDERR_COLORKEYNOTSET, "No source colour key has been set."},
    {DDERR_SURFACEALREADYATTACHED, "The surface is already attached to the target surface."},
    {DDERR_SURFACEALREADYDEPENDENT, "The surface already depends on the target surface."},
    {DDERR_SURFACEBUSY, "Another thread holds the surface locked."},
    {DDERR_CANTLOCKSURFACE, "The surface cannot be locked: access to its memory was refused."},
    {DDERR_SURFACEISOBSCURED, "The surface is covered, so access to it was refused."},
    {DDERR_SURFACELOST,
     "Access to the surface is refused because the surface memory is gone. Call the IDirectDrawSurface7::Restore "
     "method on this surface to restore the memory associated with it."},
    {DDERR_SURFACENOTATTACHED, "The surface is not attached."},
    {DDERR_TOOBIGHEIGHT, "The requested height is larger than the hardware allows."},
    {DDERR_TOOBIGSIZE, "The requested size is larger than the hardware allows."},
    {DDERR_TOOBIGWIDTH, "The requested width is larger than the hardware allows."},
    {DDERR_UNSUPPORTEDFORMAT, "The pixel format is not supported."},
    {DDERR_UNSUPPORTEDMASK, "The colour masks of the pixel format are not supported."},
    {DDERR_INVALIDSTREAM, "The stream is not valid."},
    {DDERR_VERTICALBLANKINPROGRESS, "A vertical blank is in progress."},
    {DDERR_WASSTILLDRAWING, "An earlier blit or other operation on the surface is still in progress."},
    {DDERR_DDSCAPSCOMPLEXREQUIRED, "The surface must be created as a complex surface."},
    {DDERR_XALIGN, "The rectangle is not aligned horizontally as the hardware requires."},
    {DDERR_INVALIDDIRECTDRAWGUID, "The identifier of the DirectDraw driver is not valid."},
    {DDERR_DIRECTDRAWALREADYCREATED, "This process has already created a DirectDraw object for the driver."},
    {DDERR_NODIRECTDRAWHW, "The hardware has no DirectDraw support, so a hardware-only object cannot be created."},
    {DDERR_PRIMARYSURFACEALREADYEXISTS, "This process has already created a primary surface."},
    {DDERR_NOEMULATION, "Software emulation is not available."},
    {DDERR_REGIONTOOSMALL, "The region given for the clip list is too small."},
    {DDERR_CLIPPERISUSINGHWND, "The clipper already clips to a window, so a clip list cannot be set."},
    {DDERR_NOCLIPPERATTACHED, "The surface has no clipper attached."},
    {DDERR_NOHWND, "No window has been given for the clipper or the cooperative level."},
    {DDERR_HWNDSUBCLASSED, "DirectDraw has subclassed the window and cannot restore its state."},
    {DDERR_HWNDALREADYSET, "The cooperative-level window cannot change while surfaces or palettes exist."},
    {DDERR_NOPALETTEATTACHED, "The surface has no palette attached."},
    {DDERR_NOPALETTEHW, "The hardware has no support for 16- or 256-colour palettes."},
    {DDERR_BLTFASTCANTCLIP, "A fast blit cannot go to a surface that has a clipper attached."},
    {DDERR_NOBLTHW, "The hardware cannot blit."},
    {DDERR_NODDROPSHW, "The hardware has no support for DirectDraw raster operations."},
    {DDERR_OVERLAYNOTVISIBLE, "The position of a hidden overlay was asked for."},
    {DDERR_NOOVERLAYDEST, "The position of an overlay was asked for before its destination was set."},
    {DDERR_INVALIDPOSITION, "The position of the overlay on its destination is not valid."},
    {DDERR_NOTAOVERLAYSURFACE, "An overlay operation was asked of a surface that is not an overlay."},
    {DDERR_EXCLUSIVEMODEALREADYSET, "Another application already holds the exclusive mode."},
    {DDERR_NOTFLIPPABLE, "The surface cannot be flipped."},
    {DDERR_CANTDUPLICATE, "Primary surfaces, 3D surfaces and implicitly created surfaces cannot be duplicated."},
    {DDERR_NOTLOCKED, "The surface was unlocked without being locked."},
    {DDERR_CANTCREATEDC, "No device context can be created for the surface."},
    {DDERR_NODC, "No device context was ever created for the surface."},
    {DDERR_WRONGMODE, "The surface was created in another display mode and cannot be restored."},
    {DDERR_IMPLICITLYCREATED, "The surface was created together with another one and cannot be restored alone."},
    {DDERR_NOTPALETTIZED, "The surface does not use a palette."},
    {DDERR_UNSUPPORTEDMODE, "The display is in a mode that is not supported."},
    {DDERR_NOMIPMAPHW, "The operation needs mip-map hardware, and none is present."},
    {DDERR_INVALIDSURFACETYPE, "The operation cannot be carried out on a surface of this type."},
    {DDERR_NOOPTIMIZEHW, "The device has no support for optimized surfaces."},
    {DDERR_NOTLOADED, "The optimized surface has not been given any memory yet."},
    {DDERR_NOFOCUSWINDOW, "Exclusive mode needs a focus window, and none was given."},
    {DDERR_DCALREADYCREATED, "A device context has already been handed out for this surface."},
    {DDERR_NONONLOCALVIDMEM, "The device has no support for non-local video memory."},
    {DDERR_CANTPAGELOCK, "The surface memory cannot be page-locked."},
    {DDERR_CANTPAGEUNLOCK, "The surface memory cannot be page-unlocked."},
    {DDERR_NOTPAGELOCKED, "A page unlock was asked for on a surface that is not page-locked."},
    {DDERR_MOREDATA, "More data is available than the given buffer can hold."},
    {DDERR_EXPIRED, "The data has expired and is no longer valid."},
    {DDERR_TESTFINISHED, "The display-mode test has finished."},
    {DDERR_NEWMODE, "The display-mode test has moved on to a new mode."},
    {DDERR_VIDEONOTACTIVE, "The video port is not active."},
    {DDERR_NOMONITORINFORMATION, "The display-mode test cannot start: nothing is known about the monitor."},
    {DDERR_NODRIVERSUPPORT, "The display-mode test cannot start: the driver does not support it."},
    {DDERR_DEVICEDOESNTOWNSURFACE, "A surface created by one DirectDraw device cannot be used by another one."},
};

static_assert(std::size(kDescriptions) == 117, "every DirectDraw failure code has its description");

}  // namespace

const char* DescribeDirectDrawResult(HRESULT result) {
    for (const ResultDescription& entry : kDescriptions) {
        if (entry.code == result) return entry.text;
    }
    return nullptr;
}

}  // namespace Vantor
