#pragma once
// DirectDraw 7: display drivers and their modes, surfaces (primary with its flipping
// chain, back buffers, Z buffers, textures with their mip chains) and clippers.
//
// Surfaces live in system memory on every backend. Reference counts are real: Release
// answers what remains. Every child object (surface, clipper, the Direct3D object)
// holds a reference on the DirectDraw object that made it, so DirectDraw's own count
// reaches zero only once everything it made is gone.
//
// Complex surfaces (a primary with back buffers, a texture with mip levels) belong to
// their root: the surfaces made with it start without references of their own,
// GetAttachedSurface adds one, and releasing the root to zero destroys the whole chain
// whatever those counts say, as DirectDraw does.
//
// Test seams (capabilities, call records, lost surfaces, failure names) are in
// platform/DirectDrawSeams.h.

#include "platform/WinTypes.h"

#ifndef MAKEFOURCC
#define MAKEFOURCC(a, b, c, d)                                                                    \
    (static_cast<DWORD>(static_cast<BYTE>(a)) | (static_cast<DWORD>(static_cast<BYTE>(b)) << 8) | \
     (static_cast<DWORD>(static_cast<BYTE>(c)) << 16) | (static_cast<DWORD>(static_cast<BYTE>(d)) << 24))
#endif

// ---------------------------------------------------------------------------------------
// Result codes: every DirectDraw failure code with its real value, so that result texts
// keyed on them match.

constexpr HRESULT MAKE_DDHRESULT(DWORD code) { return static_cast<HRESULT>(0x88760000u | code); }

constexpr HRESULT DD_OK = 0;
constexpr HRESULT DD_FALSE = S_FALSE;

// The five codes DirectDraw shares with COM.
constexpr HRESULT DDERR_UNSUPPORTED = E_NOTIMPL;
constexpr HRESULT DDERR_GENERIC = E_FAIL;
constexpr HRESULT DDERR_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);
constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;

constexpr HRESULT DDERR_ALREADYINITIALIZED = MAKE_DDHRESULT(5);
constexpr HRESULT DDERR_CANNOTATTACHSURFACE = MAKE_DDHRESULT(10);
constexpr HRESULT DDERR_CANNOTDETACHSURFACE = MAKE_DDHRESULT(20);
constexpr HRESULT DDERR_CURRENTLYNOTAVAIL = MAKE_DDHRESULT(40);
constexpr HRESULT DDERR_EXCEPTION = MAKE_DDHRESULT(55);
constexpr HRESULT DDERR_HEIGHTALIGN = MAKE_DDHRESULT(90);
constexpr HRESULT DDERR_INCOMPATIBLEPRIMARY = MAKE_DDHRESULT(95);
constexpr HRESULT DDERR_INVALIDCAPS = MAKE_DDHRESULT(100);
constexpr HRESULT DDERR_INVALIDCLIPLIST = MAKE_DDHRESULT(110);
constexpr HRESULT DDERR_INVALIDMODE = MAKE_DDHRESULT(120);
constexpr HRESULT DDERR_INVALIDOBJECT = MAKE_DDHRESULT(130);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MAKE_DDHRESULT(145);
constexpr HRESULT DDERR_INVALIDRECT = MAKE_DDHRESULT(150);
constexpr HRESULT DDERR_LOCKEDSURFACES = MAKE_DDHRESULT(160);
constexpr HRESULT DDERR_NO3D = MAKE_DDHRESULT(170);
constexpr HRESULT DDERR_NOALPHAHW = MAKE_DDHRESULT(180);
constexpr HRESULT DDERR_NOSTEREOHARDWARE = MAKE_DDHRESULT(181);
constexpr HRESULT DDERR_NOSURFACELEFT = MAKE_DDHRESULT(182);
constexpr HRESULT DDERR_NOCLIPLIST = MAKE_DDHRESULT(205);
constexpr HRESULT DDERR_NOCOLORCONVHW = MAKE_DDHRESULT(210);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MAKE_DDHRESULT(212);
constexpr HRESULT DDERR_NOCOLORKEY = MAKE_DDHRESULT(215);
constexpr HRESULT DDERR_NOCOLORKEYHW = MAKE_DDHRESULT(220);
constexpr HRESULT DDERR_NODIRECTDRAWSUPPORT = MAKE_DDHRESULT(222);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MAKE_DDHRESULT(225);
constexpr HRESULT DDERR_NOFLIPHW = MAKE_DDHRESULT(230);
constexpr HRESULT DDERR_NOGDI = MAKE_DDHRESULT(240);
constexpr HRESULT DDERR_NOMIRRORHW = MAKE_DDHRESULT(250);
constexpr HRESULT DDERR_NOTFOUND = MAKE_DDHRESULT(255);
constexpr HRESULT DDERR_NOOVERLAYHW = MAKE_DDHRESULT(260);
constexpr HRESULT DDERR_OVERLAPPINGRECTS = MAKE_DDHRESULT(270);
constexpr HRESULT DDERR_NORASTEROPHW = MAKE_DDHRESULT(280);
constexpr HRESULT DDERR_NOROTATIONHW = MAKE_DDHRESULT(290);
constexpr HRESULT DDERR_NOSTRETCHHW = MAKE_DDHRESULT(310);
constexpr HRESULT DDERR_NOT4BITCOLOR = MAKE_DDHRESULT(316);
constexpr HRESULT DDERR_NOT4BITCOLORINDEX = MAKE_DDHRESULT(317);
constexpr HRESULT DDERR_NOT8BITCOLOR = MAKE_DDHRESULT(320);
constexpr HRESULT DDERR_NOTEXTUREHW = MAKE_DDHRESULT(330);
constexpr HRESULT DDERR_NOVSYNCHW = MAKE_DDHRESULT(335);
constexpr HRESULT DDERR_NOZBUFFERHW = MAKE_DDHRESULT(340);
constexpr HRESULT DDERR_NOZOVERLAYHW = MAKE_DDHRESULT(350);
constexpr HRESULT DDERR_OUTOFCAPS = MAKE_DDHRESULT(360);
constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MAKE_DDHRESULT(380);
constexpr HRESULT DDERR_OVERLAYCANTCLIP = MAKE_DDHRESULT(382);
constexpr HRESULT DDERR_OVERLAYCOLORKEYONLYONEACTIVE = MAKE_DDHRESULT(384);
constexpr HRESULT DDERR_PALETTEBUSY = MAKE_DDHRESULT(387);
constexpr HRESULT DDERR_COLORKEYNOTSET = MAKE_DDHRESULT(400);
constexpr HRESULT DDERR_SURFACEALREADYATTACHED = MAKE_DDHRESULT(410);
constexpr HRESULT DDERR_SURFACEALREADYDEPENDENT = MAKE_DDHRESULT(420);
constexpr HRESULT DDERR_SURFACEBUSY = MAKE_DDHRESULT(430);
constexpr HRESULT DDERR_CANTLOCKSURFACE = MAKE_DDHRESULT(435);
constexpr HRESULT DDERR_SURFACEISOBSCURED = MAKE_DDHRESULT(440);
constexpr HRESULT DDERR_SURFACELOST = MAKE_DDHRESULT(450);
constexpr HRESULT DDERR_SURFACENOTATTACHED = MAKE_DDHRESULT(460);
constexpr HRESULT DDERR_TOOBIGHEIGHT = MAKE_DDHRESULT(470);
constexpr HRESULT DDERR_TOOBIGSIZE = MAKE_DDHRESULT(480);
constexpr HRESULT DDERR_TOOBIGWIDTH = MAKE_DDHRESULT(490);
constexpr HRESULT DDERR_UNSUPPORTEDFORMAT = MAKE_DDHRESULT(510);
constexpr HRESULT DDERR_UNSUPPORTEDMASK = MAKE_DDHRESULT(520);
constexpr HRESULT DDERR_INVALIDSTREAM = MAKE_DDHRESULT(521);
constexpr HRESULT DDERR_VERTICALBLANKINPROGRESS = MAKE_DDHRESULT(537);
constexpr HRESULT DDERR_WASSTILLDRAWING = MAKE_DDHRESULT(540);
constexpr HRESULT DDERR_DDSCAPSCOMPLEXREQUIRED = MAKE_DDHRESULT(542);
constexpr HRESULT DDERR_XALIGN = MAKE_DDHRESULT(560);
constexpr HRESULT DDERR_INVALIDDIRECTDRAWGUID = MAKE_DDHRESULT(561);
constexpr HRESULT DDERR_DIRECTDRAWALREADYCREATED = MAKE_DDHRESULT(562);
constexpr HRESULT DDERR_NODIRECTDRAWHW = MAKE_DDHRESULT(563);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MAKE_DDHRESULT(564);
constexpr HRESULT DDERR_NOEMULATION = MAKE_DDHRESULT(565);
constexpr HRESULT DDERR_REGIONTOOSMALL = MAKE_DDHRESULT(566);
constexpr HRESULT DDERR_CLIPPERISUSINGHWND = MAKE_DDHRESULT(567);
constexpr HRESULT DDERR_NOCLIPPERATTACHED = MAKE_DDHRESULT(568);
constexpr HRESULT DDERR_NOHWND = MAKE_DDHRESULT(569);
constexpr HRESULT DDERR_HWNDSUBCLASSED = MAKE_DDHRESULT(570);
constexpr HRESULT DDERR_HWNDALREADYSET = MAKE_DDHRESULT(571);
constexpr HRESULT DDERR_NOPALETTEATTACHED = MAKE_DDHRESULT(572);
constexpr HRESULT DDERR_NOPALETTEHW = MAKE_DDHRESULT(573);
constexpr HRESULT DDERR_BLTFASTCANTCLIP = MAKE_DDHRESULT(574);
constexpr HRESULT DDERR_NOBLTHW = MAKE_DDHRESULT(575);
constexpr HRESULT DDERR_NODDROPSHW = MAKE_DDHRESULT(576);
constexpr HRESULT DDERR_OVERLAYNOTVISIBLE = MAKE_DDHRESULT(577);
constexpr HRESULT DDERR_NOOVERLAYDEST = MAKE_DDHRESULT(578);
constexpr HRESULT DDERR_INVALIDPOSITION = MAKE_DDHRESULT(579);
constexpr HRESULT DDERR_NOTAOVERLAYSURFACE = MAKE_DDHRESULT(580);
constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = MAKE_DDHRESULT(581);
constexpr HRESULT DDERR_NOTFLIPPABLE = MAKE_DDHRESULT(582);
constexpr HRESULT DDERR_CANTDUPLICATE = MAKE_DDHRESULT(583);
constexpr HRESULT DDERR_NOTLOCKED = MAKE_DDHRESULT(584);
constexpr HRESULT DDERR_CANTCREATEDC = MAKE_DDHRESULT(585);
constexpr HRESULT DDERR_NODC = MAKE_DDHRESULT(586);
constexpr HRESULT DDERR_WRONGMODE = MAKE_DDHRESULT(587);
constexpr HRESULT DDERR_IMPLICITLYCREATED = MAKE_DDHRESULT(588);
constexpr HRESULT DDERR_NOTPALETTIZED = MAKE_DDHRESULT(589);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = MAKE_DDHRESULT(590);
constexpr HRESULT DDERR_NOMIPMAPHW = MAKE_DDHRESULT(591);
constexpr HRESULT DDERR_INVALIDSURFACETYPE = MAKE_DDHRESULT(592);
constexpr HRESULT DDERR_NOOPTIMIZEHW = MAKE_DDHRESULT(600);
constexpr HRESULT DDERR_NOTLOADED = MAKE_DDHRESULT(601);
constexpr HRESULT DDERR_NOFOCUSWINDOW = MAKE_DDHRESULT(602);
constexpr HRESULT DDERR_DCALREADYCREATED = MAKE_DDHRESULT(620);
constexpr HRESULT DDERR_NONONLOCALVIDMEM = MAKE_DDHRESULT(630);
constexpr HRESULT DDERR_CANTPAGELOCK = MAKE_DDHRESULT(640);
constexpr HRESULT DDERR_CANTPAGEUNLOCK = MAKE_DDHRESULT(660);
constexpr HRESULT DDERR_NOTPAGELOCKED = MAKE_DDHRESULT(680);
constexpr HRESULT DDERR_MOREDATA = MAKE_DDHRESULT(690);
constexpr HRESULT DDERR_EXPIRED = MAKE_DDHRESULT(691);
constexpr HRESULT DDERR_TESTFINISHED = MAKE_DDHRESULT(692);
constexpr HRESULT DDERR_NEWMODE = MAKE_DDHRESULT(693);
constexpr HRESULT DDERR_VIDEONOTACTIVE = MAKE_DDHRESULT(695);
constexpr HRESULT DDERR_NOMONITORINFORMATION = MAKE_DDHRESULT(696);
constexpr HRESULT DDERR_NODRIVERSUPPORT = MAKE_DDHRESULT(697);
constexpr HRESULT DDERR_DEVICEDOESNTOWNSURFACE = MAKE_DDHRESULT(699);

// ---------------------------------------------------------------------------------------
// Flags.

// DDSURFACEDESC2::dwFlags: which fields of the description are valid.
constexpr DWORD DDSD_CAPS = 0x00000001;
constexpr DWORD DDSD_HEIGHT = 0x00000002;
constexpr DWORD DDSD_WIDTH = 0x00000004;
constexpr DWORD DDSD_PITCH = 0x00000008;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x00000020;
constexpr DWORD DDSD_LPSURFACE = 0x00000800;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;
constexpr DWORD DDSD_MIPMAPCOUNT = 0x00020000;
constexpr DWORD DDSD_REFRESHRATE = 0x00040000;
constexpr DWORD DDSD_LINEARSIZE = 0x00080000;

// DDSCAPS2::dwCaps.
constexpr DWORD DDSCAPS_BACKBUFFER = 0x00000004;
constexpr DWORD DDSCAPS_COMPLEX = 0x00000008;
constexpr DWORD DDSCAPS_FLIP = 0x00000010;
constexpr DWORD DDSCAPS_FRONTBUFFER = 0x00000020;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800;
constexpr DWORD DDSCAPS_TEXTURE = 0x00001000;
constexpr DWORD DDSCAPS_3DDEVICE = 0x00002000;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x00004000;
constexpr DWORD DDSCAPS_VISIBLE = 0x00008000;
constexpr DWORD DDSCAPS_ZBUFFER = 0x00020000;
constexpr DWORD DDSCAPS_MIPMAP = 0x00400000;
constexpr DWORD DDSCAPS_LOCALVIDMEM = 0x10000000;

// DDSCAPS2::dwCaps2.
constexpr DWORD DDSCAPS2_TEXTUREMANAGE = 0x00000010;
constexpr DWORD DDSCAPS2_MIPMAPSUBLEVEL = 0x00010000;
constexpr DWORD DDSCAPS2_D3DTEXTUREMANAGE = 0x00020000;

// DDPIXELFORMAT::dwFlags.
constexpr DWORD DDPF_ALPHAPIXELS = 0x00000001;
constexpr DWORD DDPF_FOURCC = 0x00000004;
constexpr DWORD DDPF_PALETTEINDEXED8 = 0x00000020;
constexpr DWORD DDPF_RGB = 0x00000040;
constexpr DWORD DDPF_ZBUFFER = 0x00000400;
constexpr DWORD DDPF_STENCILBUFFER = 0x00004000;
constexpr DWORD DDPF_LUMINANCE = 0x00020000;
constexpr DWORD DDPF_BUMPLUMINANCE = 0x00040000;
constexpr DWORD DDPF_BUMPDUDV = 0x00080000;

// IDirectDraw7::SetCooperativeLevel.
constexpr DWORD DDSCL_FULLSCREEN = 0x00000001;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x00000002;
constexpr DWORD DDSCL_NOWINDOWCHANGES = 0x00000004;
constexpr DWORD DDSCL_NORMAL = 0x00000008;
constexpr DWORD DDSCL_EXCLUSIVE = 0x00000010;
constexpr DWORD DDSCL_MULTITHREADED = 0x00000400;
constexpr DWORD DDSCL_FPUSETUP = 0x00000800;
constexpr DWORD DDSCL_FPUPRESERVE = 0x00001000;

// IDirectDrawSurface7::Flip.
constexpr DWORD DDFLIP_WAIT = 0x00000001;
constexpr DWORD DDFLIP_NOVSYNC = 0x00000008;
constexpr DWORD DDFLIP_DONOTWAIT = 0x00000020;

// IDirectDrawSurface7::Blt.
constexpr DWORD DDBLT_ASYNC = 0x00000200;
constexpr DWORD DDBLT_WAIT = 0x01000000;
constexpr DWORD DDBLT_DONOTWAIT = 0x08000000;

// IDirectDrawSurface7::Lock.
constexpr DWORD DDLOCK_SURFACEMEMORYPTR = 0x00000000;
constexpr DWORD DDLOCK_WAIT = 0x00000001;
constexpr DWORD DDLOCK_READONLY = 0x00000010;
constexpr DWORD DDLOCK_WRITEONLY = 0x00000020;
constexpr DWORD DDLOCK_NOSYSLOCK = 0x00000800;
constexpr DWORD DDLOCK_DONOTWAIT = 0x00004000;

// IDirectDraw7::WaitForVerticalBlank.
constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x00000001;
constexpr DWORD DDWAITVB_BLOCKBEGINEVENT = 0x00000002;
constexpr DWORD DDWAITVB_BLOCKEND = 0x00000004;

// DirectDrawEnumerateExA: which drivers beside the primary display driver are reported.
constexpr DWORD DDENUM_ATTACHEDSECONDARYDEVICES = 0x00000001;
constexpr DWORD DDENUM_DETACHEDSECONDARYDEVICES = 0x00000002;
constexpr DWORD DDENUM_NONDISPLAYDEVICES = 0x00000004;

// IDirectDraw7::EnumDisplayModes.
constexpr DWORD DDEDM_REFRESHRATES = 0x00000001;

// Answers of enumeration callbacks.
constexpr HRESULT DDENUMRET_CANCEL = 0;
constexpr HRESULT DDENUMRET_OK = 1;

// DDCAPS::dwCaps and dwCaps2.
constexpr DWORD DDCAPS_3D = 0x00000001;
constexpr DWORD DDCAPS_BLT = 0x00000040;
constexpr DWORD DDCAPS_BLTSTRETCH = 0x00000200;
constexpr DWORD DDCAPS2_CANRENDERWINDOWED = 0x00080000;

// Bit depths (D3DDEVICEDESC7::dwDeviceRenderBitDepth and dwDeviceZBufferBitDepth).
constexpr DWORD DDBD_8 = 0x00000800;
constexpr DWORD DDBD_16 = 0x00000400;
constexpr DWORD DDBD_24 = 0x00000200;
constexpr DWORD DDBD_32 = 0x00000100;

// ---------------------------------------------------------------------------------------
// Structures. Their dwSize fields are never checked.

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    DWORD dwCaps4;
};
using LPDDSCAPS2 = DDSCAPS2*;

// 32 bytes: the fields' meaning depends on the flags (RGB, four-character code, depth).
struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    union {
        DWORD dwRGBBitCount;
        DWORD dwZBufferBitDepth;  // depth and stencil bits together
        DWORD dwAlphaBitDepth;
        DWORD dwLuminanceBitCount;
    };
    union {
        DWORD dwRBitMask;
        DWORD dwStencilBitDepth;
        DWORD dwLuminanceBitMask;
    };
    union {
        DWORD dwGBitMask;
        DWORD dwZBitMask;
    };
    union {
        DWORD dwBBitMask;
        DWORD dwStencilBitMask;
    };
    union {
        DWORD dwRGBAlphaBitMask;
        DWORD dwLuminanceAlphaBitMask;
    };
};
using LPDDPIXELFORMAT = DDPIXELFORMAT*;

struct DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    union {
        LONG lPitch;
        DWORD dwLinearSize;  // compressed surfaces: the bytes of the whole level
    };
    union {
        DWORD dwBackBufferCount;
        DWORD dwDepth;
    };
    union {
        DWORD dwMipMapCount;
        DWORD dwRefreshRate;
    };
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    union {
        DDPIXELFORMAT ddpfPixelFormat;
        DWORD dwFVF;
    };
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
};
using LPDDSURFACEDESC2 = DDSURFACEDESC2*;

struct DDCAPS {
    DWORD dwSize;
    DWORD dwCaps;
    DWORD dwCaps2;
    DDSCAPS2 ddsCaps;  // the surface capabilities the driver can create
};
using LPDDCAPS = DDCAPS*;

// Blt effects; no effect is supported, the structure is accepted and ignored.
struct DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwROP;
    union {
        DWORD dwFillColor;
        DWORD dwFillDepth;
    };
};
using LPDDBLTFX = DDBLTFX*;

// ---------------------------------------------------------------------------------------
// Interfaces. Identifiers are of this layer's own choosing.

inline constexpr GUID IID_IDirectDraw7{0x6464a701, 0x3b7c, 0x4e2a, {0x9d, 0x21, 0x44, 0x44, 0x52, 0x41, 0x57, 0x07}};
inline constexpr GUID IID_IDirectDrawSurface7{
    0x6464a702, 0x3b7c, 0x4e2a, {0x9d, 0x21, 0x44, 0x44, 0x53, 0x55, 0x52, 0x07}};
inline constexpr GUID IID_IDirectDrawClipper{
    0x6464a703, 0x3b7c, 0x4e2a, {0x9d, 0x21, 0x44, 0x44, 0x43, 0x4c, 0x50, 0x01}};

class IDirectDrawClipper;
class IDirectDrawSurface7;

using LPDDENUMCALLBACKEXA = BOOL (*)(GUID* driver, LPSTR description, LPSTR name, LPVOID context, HMONITOR monitor);
using LPDDENUMMODESCALLBACK2 = HRESULT (*)(LPDDSURFACEDESC2 mode, LPVOID context);

class IDirectDraw7 {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, void* outer) = 0;
    virtual HRESULT CreateSurface(LPDDSURFACEDESC2 desc, IDirectDrawSurface7** surface, void* outer) = 0;
    virtual HRESULT EnumDisplayModes(DWORD flags, LPDDSURFACEDESC2 filter, LPVOID context,
                                     LPDDENUMMODESCALLBACK2 callback) = 0;
    virtual HRESULT GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) = 0;
    virtual HRESULT GetDisplayMode(LPDDSURFACEDESC2 mode) = 0;
    virtual HRESULT RestoreDisplayMode() = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags) = 0;
    virtual HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event) = 0;

protected:
    virtual ~IDirectDraw7() = default;
};

class IDirectDrawSurface7 {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) = 0;
    virtual HRESULT Blt(RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags,
                        LPDDBLTFX effects) = 0;
    virtual HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) = 0;
    virtual HRESULT GetAttachedSurface(LPDDSCAPS2 caps, IDirectDrawSurface7** surface) = 0;
    virtual HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 desc) = 0;
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Lock(RECT* rect, LPDDSURFACEDESC2 desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT Restore() = 0;
    virtual HRESULT SetClipper(IDirectDrawClipper* clipper) = 0;
    virtual HRESULT Unlock(RECT* rect) = 0;

protected:
    virtual ~IDirectDrawSurface7() = default;
};

class IDirectDrawClipper {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT GetHWnd(HWND* window) = 0;
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;

protected:
    virtual ~IDirectDrawClipper() = default;
};

using LPDIRECTDRAW7 = IDirectDraw7*;
using LPDIRECTDRAWSURFACE7 = IDirectDrawSurface7*;
using LPDIRECTDRAWCLIPPER = IDirectDrawClipper*;

// Reports the primary display driver (null GUID) and, with DDENUM_ATTACHEDSECONDARYDEVICES,
// the other drivers; stops when the callback answers FALSE (DDENUMRET_CANCEL).
HRESULT DirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, LPVOID context, DWORD flags);
// Creates the DirectDraw object of a driver (null: the primary display driver). Only
// IID_IDirectDraw7 can be asked for; aggregation is refused.
HRESULT DirectDrawCreateEx(GUID* driver, void** directDraw, REFIID iid, void* outer);
