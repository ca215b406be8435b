#include "platform/Direct3DGL.h"

#include <algorithm>
#include <cstring>
#include <numbers>

namespace platform::ddraw {

namespace {

D3DMATRIX Identity() {
    D3DMATRIX matrix{};
    matrix._11 = matrix._22 = matrix._33 = matrix._44 = 1;
    return matrix;
}

// The product a * b of two Direct3D matrices (row vectors: a applies first).
D3DMATRIX Product(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX product{};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            for (int k = 0; k < 4; ++k) product.m[row][column] += a.m[row][k] * b.m[k][column];
    return product;
}

void Switch(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

std::array<GLfloat, 4> Rgba(D3DCOLOR colour) {
    return {GLfloat((colour >> 16) & 0xFF) / 255, GLfloat((colour >> 8) & 0xFF) / 255, GLfloat(colour & 0xFF) / 255,
            GLfloat(colour >> 24) / 255};
}

std::array<GLfloat, 4> Rgba(const D3DCOLORVALUE& colour) { return {colour.r, colour.g, colour.b, colour.a}; }

GLenum Comparison(DWORD function) {
    switch (function) {
        case D3DCMP_NEVER:
            return GL_NEVER;
        case D3DCMP_LESS:
            return GL_LESS;
        case D3DCMP_EQUAL:
            return GL_EQUAL;
        case D3DCMP_LESSEQUAL:
            return GL_LEQUAL;
        case D3DCMP_GREATER:
            return GL_GREATER;
        case D3DCMP_NOTEQUAL:
            return GL_NOTEQUAL;
        case D3DCMP_GREATEREQUAL:
            return GL_GEQUAL;
        default:
            return GL_ALWAYS;
    }
}

GLenum StencilOperation(DWORD operation) {
    switch (operation) {
        case D3DSTENCILOP_ZERO:
            return GL_ZERO;
        case D3DSTENCILOP_REPLACE:
            return GL_REPLACE;
        case D3DSTENCILOP_INCRSAT:
            return GL_INCR;
        case D3DSTENCILOP_DECRSAT:
            return GL_DECR;
        case D3DSTENCILOP_INVERT:
            return GL_INVERT;
        case D3DSTENCILOP_INCR:
            return GL_INCR_WRAP;
        case D3DSTENCILOP_DECR:
            return GL_DECR_WRAP;
        default:
            return GL_KEEP;
    }
}

// A target without alpha bits reads destination alpha as one, whatever its picture's
// alpha holds.
GLenum BlendFactor(DWORD factor, bool destinationAlpha) {
    if (!destinationAlpha) {
        if (factor == D3DBLEND_DESTALPHA) return GL_ONE;
        if (factor == D3DBLEND_INVDESTALPHA || factor == D3DBLEND_SRCALPHASAT) return GL_ZERO;  // min(As, 1 - 1)
    }
    switch (factor) {
        case D3DBLEND_ONE:
            return GL_ONE;
        case D3DBLEND_SRCCOLOR:
            return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR:
            return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA:
            return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA:
            return GL_ONE_MINUS_SRC_ALPHA;
        case D3DBLEND_DESTALPHA:
            return GL_DST_ALPHA;
        case D3DBLEND_INVDESTALPHA:
            return GL_ONE_MINUS_DST_ALPHA;
        case D3DBLEND_DESTCOLOR:
            return GL_DST_COLOR;
        case D3DBLEND_INVDESTCOLOR:
            return GL_ONE_MINUS_DST_COLOR;
        case D3DBLEND_SRCALPHASAT:
            return GL_SRC_ALPHA_SATURATE;
        default:
            return GL_ZERO;
    }
}

GLenum Primitive(D3DPRIMITIVETYPE type) {
    switch (type) {
        case D3DPT_POINTLIST:
            return GL_POINTS;
        case D3DPT_LINELIST:
            return GL_LINES;
        case D3DPT_LINESTRIP:
            return GL_LINE_STRIP;
        case D3DPT_TRIANGLESTRIP:
            return GL_TRIANGLE_STRIP;
        case D3DPT_TRIANGLEFAN:
            return GL_TRIANGLE_FAN;
        default:
            return GL_TRIANGLES;
    }
}

GLint Addressing(DWORD mode) {
    switch (mode) {
        case D3DTADDRESS_MIRROR:
            return GL_MIRRORED_REPEAT;
        case D3DTADDRESS_CLAMP:
            return GL_CLAMP_TO_EDGE;
        case D3DTADDRESS_BORDER:
            return GL_CLAMP_TO_BORDER;
        default:
            return GL_REPEAT;
    }
}

GLint CombinerSource(DWORD argument) {
    switch (argument & D3DTA_SELECTMASK) {
        case D3DTA_DIFFUSE:
            return GL_PRIMARY_COLOR;
        case D3DTA_TEXTURE:
            return GL_TEXTURE;
        case D3DTA_TFACTOR:
            return GL_CONSTANT;
        default:
            return GL_PREVIOUS;
    }
}

// One half (colour or alpha) of a texture stage as a GL_COMBINE function.
void SetCombiner(bool alpha, DWORD operation, DWORD argument1, DWORD argument2) {
    GLint function = GL_MODULATE;
    GLfloat scale = 1;
    std::array<DWORD, 2> arguments{argument1, argument2};
    switch (operation) {
        case D3DTOP_DISABLE:  // only the alpha half gets here: it passes the input on
            function = GL_REPLACE;
            arguments[0] = D3DTA_CURRENT;
            break;
        case D3DTOP_SELECTARG1:
            function = GL_REPLACE;
            break;
        case D3DTOP_SELECTARG2:
            function = GL_REPLACE;
            arguments[0] = argument2;
            break;
        case D3DTOP_MODULATE2X:
            scale = 2;
            break;
        case D3DTOP_MODULATE4X:
            scale = 4;
            break;
        case D3DTOP_ADD:
            function = GL_ADD;
            break;
        case D3DTOP_SUBTRACT:
            function = GL_SUBTRACT;
            break;
        default:  // D3DTOP_MODULATE, and the operations nothing here sets
            break;
    }
    glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB, function);
    for (GLenum i = 0; i < 2; ++i) {
        DWORD argument = arguments[i];
        GLint operand = (alpha || (argument & D3DTA_ALPHAREPLICATE)) ? GL_SRC_ALPHA : GL_SRC_COLOR;
        if (argument & D3DTA_COMPLEMENT) ++operand;  // GL_ONE_MINUS_SRC_ALPHA / _COLOR
        glTexEnvi(GL_TEXTURE_ENV, (alpha ? GL_SRC0_ALPHA : GL_SRC0_RGB) + i, CombinerSource(argument));
        glTexEnvi(GL_TEXTURE_ENV, (alpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB) + i, operand);
    }
    glTexEnvf(GL_TEXTURE_ENV, alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE, scale);
}

// Where each part of a vertex of a flexible vertex format lies (position at 0).
struct VertexLayout {
    GLsizei stride = 12;
    int normal = -1;
    int diffuse = -1;
    DWORD textureSets = 0;
    int textures = 0;  // offset of the first texture coordinate set
};

VertexLayout LayoutOf(DWORD format) {
    VertexLayout layout;
    if (format & D3DFVF_NORMAL) {
        layout.normal = layout.stride;
        layout.stride += 12;
    }
    if (format & D3DFVF_DIFFUSE) {
        layout.diffuse = layout.stride;
        layout.stride += 4;
    }
    if (format & D3DFVF_SPECULAR) layout.stride += 4;
    layout.textureSets = (format & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    layout.textures = layout.stride;
    layout.stride += GLsizei(layout.textureSets * 8);
    return layout;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// GLDirect3D

GLDirect3D::GLDirect3D(GLDirectDraw& owner) : HeadlessDirect3D(owner), glOwner_(owner) {}

HRESULT GLDirect3D::CreateDevice(REFGUID deviceGuid, IDirectDrawSurface7* renderTarget, IDirect3DDevice7** device) {
    if (renderTarget && device && !glOwner_.CurrentContext()) {
        *device = nullptr;
        return DDERR_NO3D;
    }
    return HeadlessDirect3D::CreateDevice(deviceGuid, renderTarget, device);
}

HeadlessDevice* GLDirect3D::NewDevice(const Direct3DDeviceCaps& caps, HeadlessSurface& renderTarget) {
    return new GLDevice(*this, caps, renderTarget, *glOwner_.Context());
}

// ---------------------------------------------------------------------------------------
// GLDevice

GLDevice::GLDevice(GLDirect3D& owner, const Direct3DDeviceCaps& caps, HeadlessSurface& renderTarget,
                   GLContext& context)
    : HeadlessDevice(owner, caps, renderTarget),
      context_(context),
      world_(Identity()),
      view_(Identity()),
      projection_(Identity()) {
    // The states of a new Direct3D 7 device.
    auto& rs = renderStates_;
    rs[D3DRENDERSTATE_ZENABLE] = renderTarget.ZBuffer() ? D3DZB_TRUE : D3DZB_FALSE;
    rs[D3DRENDERSTATE_ZWRITEENABLE] = TRUE;
    rs[D3DRENDERSTATE_ZFUNC] = D3DCMP_LESSEQUAL;
    rs[D3DRENDERSTATE_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRENDERSTATE_DESTBLEND] = D3DBLEND_ZERO;
    rs[D3DRENDERSTATE_CULLMODE] = D3DCULL_CCW;
    rs[D3DRENDERSTATE_STENCILFUNC] = D3DCMP_ALWAYS;
    rs[D3DRENDERSTATE_STENCILFAIL] = rs[D3DRENDERSTATE_STENCILZFAIL] = rs[D3DRENDERSTATE_STENCILPASS] =
        D3DSTENCILOP_KEEP;
    rs[D3DRENDERSTATE_STENCILMASK] = rs[D3DRENDERSTATE_STENCILWRITEMASK] = 0xFFFFFFFF;
    rs[D3DRENDERSTATE_TEXTUREFACTOR] = 0xFFFFFFFF;
    rs[D3DRENDERSTATE_LIGHTING] = TRUE;
    rs[D3DRENDERSTATE_COLORVERTEX] = TRUE;
    rs[D3DRENDERSTATE_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
    rs[D3DRENDERSTATE_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
    for (unsigned stage = 0; stage < kStages; ++stage) {
        auto& ss = stageStates_[stage];
        ss[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        ss[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        ss[D3DTSS_COLORARG1] = ss[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        ss[D3DTSS_COLORARG2] = ss[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        ss[D3DTSS_TEXCOORDINDEX] = stage;
        ss[D3DTSS_ADDRESS] = ss[D3DTSS_ADDRESSU] = ss[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
        ss[D3DTSS_MAGFILTER] = D3DTFG_POINT;
        ss[D3DTSS_MINFILTER] = D3DTFN_POINT;
        ss[D3DTSS_MIPFILTER] = D3DTFP_NONE;
        ss[D3DTSS_MAXANISOTROPY] = 1;
        textureMatrices_[stage] = Identity();
    }
    if (context_.MakeCurrent()) context_.Gl().GenSamplers(GLsizei(kStages), samplers_.data());
}

GLDevice::~GLDevice() {
    if (context_.StateOwner() == this) context_.SetStateOwner(nullptr);
    if (samplers_[0] && context_.MakeCurrent()) context_.Gl().DeleteSamplers(GLsizei(kStages), samplers_.data());
}

bool GLDevice::DrawsVertexFormat(DWORD format) const {
    return (format & D3DFVF_POSITION_MASK) == D3DFVF_XYZ;
}

HRESULT GLDevice::SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) {
    HRESULT result = HeadlessDevice::SetRenderTarget(surface, flags);
    // Blending reads destination alpha as the new target has it.
    if (SUCCEEDED(result)) dirty_ |= kViewport | kProjection | kBlend;
    return result;
}

HRESULT GLDevice::SetTransform(D3DTRANSFORMSTATETYPE state, LPD3DMATRIX matrix) {
    HRESULT result = HeadlessDevice::SetTransform(state, matrix);
    if (FAILED(result)) return result;
    if (state == D3DTRANSFORMSTATE_WORLD) {
        world_ = *matrix;
        dirty_ |= kModelView;
    } else if (state == D3DTRANSFORMSTATE_VIEW) {
        view_ = *matrix;
        dirty_ |= kModelView | kLightSources;  // lights stay where they are in the world
    } else if (state == D3DTRANSFORMSTATE_PROJECTION) {
        projection_ = *matrix;
        dirty_ |= kProjection;
    } else if (state >= D3DTRANSFORMSTATE_TEXTURE0 && state <= D3DTRANSFORMSTATE_TEXTURE7) {
        textureMatrices_[state - D3DTRANSFORMSTATE_TEXTURE0] = *matrix;
        stageDirty_[state - D3DTRANSFORMSTATE_TEXTURE0] = true;
    }
    return result;
}

HRESULT GLDevice::SetViewport(LPD3DVIEWPORT7 viewport) {
    HRESULT result = HeadlessDevice::SetViewport(viewport);
    if (SUCCEEDED(result)) dirty_ |= kViewport | kProjection;
    return result;
}

HRESULT GLDevice::SetMaterial(LPD3DMATERIAL7 material) {
    HRESULT result = HeadlessDevice::SetMaterial(material);
    if (SUCCEEDED(result)) {
        material_ = *material;
        dirty_ |= kLighting;
    }
    return result;
}

HRESULT GLDevice::SetLight(DWORD index, LPD3DLIGHT7 light) {
    HRESULT result = HeadlessDevice::SetLight(index, light);
    if (SUCCEEDED(result) && index < kLights) {
        lights_[index].light = *light;
        lights_[index].set = true;
        dirty_ |= kLightSources;
    }
    return result;
}

HRESULT GLDevice::LightEnable(DWORD index, BOOL enable) {
    HRESULT result = HeadlessDevice::LightEnable(index, enable);
    if (SUCCEEDED(result) && index < kLights) {
        Light& slot = lights_[index];
        if (!slot.set) {
            // Enabling a light never set makes Direct3D's default one: white, shining along +z.
            slot.light = D3DLIGHT7{};
            slot.light.dltType = D3DLIGHT_DIRECTIONAL;
            slot.light.dcvDiffuse = D3DCOLORVALUE{{1}, {1}, {1}, {0}};
            slot.light.dvDirection = D3DVECTOR{{0}, {0}, {1}};
            slot.set = true;
        }
        slot.enabled = enable;
        dirty_ |= kLightSources;
    }
    return result;
}

HRESULT GLDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    HRESULT result = HeadlessDevice::SetRenderState(state, value);
    if (FAILED(result)) return result;
    renderStates_[state] = value;
    switch (state) {
        case D3DRENDERSTATE_ALPHABLENDENABLE:
        case D3DRENDERSTATE_SRCBLEND:
        case D3DRENDERSTATE_DESTBLEND:
            dirty_ |= kBlend;
            break;
        case D3DRENDERSTATE_ZENABLE:
        case D3DRENDERSTATE_ZWRITEENABLE:
        case D3DRENDERSTATE_ZFUNC:
            dirty_ |= kDepth;
            break;
        case D3DRENDERSTATE_STENCILENABLE:
        case D3DRENDERSTATE_STENCILFAIL:
        case D3DRENDERSTATE_STENCILZFAIL:
        case D3DRENDERSTATE_STENCILPASS:
        case D3DRENDERSTATE_STENCILFUNC:
        case D3DRENDERSTATE_STENCILREF:
        case D3DRENDERSTATE_STENCILMASK:
        case D3DRENDERSTATE_STENCILWRITEMASK:
            dirty_ |= kStencil;
            break;
        case D3DRENDERSTATE_CULLMODE:
            dirty_ |= kCull;
            break;
        case D3DRENDERSTATE_LIGHTING:
        case D3DRENDERSTATE_AMBIENT:
        case D3DRENDERSTATE_NORMALIZENORMALS:
        case D3DRENDERSTATE_SPECULARENABLE:
        case D3DRENDERSTATE_COLORVERTEX:
        case D3DRENDERSTATE_DIFFUSEMATERIALSOURCE:
        case D3DRENDERSTATE_SPECULARMATERIALSOURCE:
        case D3DRENDERSTATE_AMBIENTMATERIALSOURCE:
        case D3DRENDERSTATE_EMISSIVEMATERIALSOURCE:
            dirty_ |= kLighting;
            break;
        case D3DRENDERSTATE_TEXTUREFACTOR:
            stageDirty_.fill(true);
            break;
        default:  // states without effect here
            break;
    }
    return result;
}

HRESULT GLDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) {
    HRESULT result = HeadlessDevice::SetTextureStageState(stage, state, value);
    if (FAILED(result)) return result;
    stageStates_[stage][state] = value;
    if (state == D3DTSS_ADDRESS) stageStates_[stage][D3DTSS_ADDRESSU] = stageStates_[stage][D3DTSS_ADDRESSV] = value;
    stageDirty_[stage] = true;
    return result;
}

HRESULT GLDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, LPVOID vertices,
                                       DWORD vertexCount, WORD* indices, DWORD indexCount, DWORD flags) {
    HRESULT result =
        HeadlessDevice::DrawIndexedPrimitive(type, vertexFormat, vertices, vertexCount, indices, indexCount, flags);
    if (FAILED(result) || !Prepare()) return result;

    ApplyArrays(vertexFormat, vertices, vertexCount);
    glDrawElements(Primitive(type), GLsizei(indexCount), GL_UNSIGNED_SHORT, indices);
    // The current values of attributes drawn from arrays are undefined after a draw.
    if (*applied_.colourArray) applied_.whiteColour = false;
    if (*applied_.normalArray) applied_.zeroNormal = false;
    static_cast<GLSurface&>(RenderTarget()).Drawn();
    return result;
}

void GLDevice::ApplyArrays(DWORD vertexFormat, const void* source, DWORD vertexCount) {
    const VertexLayout layout = LayoutOf(vertexFormat);
    // Small draws are read from the device's own copy of their vertices: a run of them
    // then leaves the array pointers alone, which costs drivers less than pointing the
    // arrays at each caller's memory anew.
    const size_t bytes = size_t(vertexCount) * size_t(layout.stride);
    const auto* vertices = static_cast<const BYTE*>(
        bytes <= stagedVertices_.size() ? std::memcpy(stagedVertices_.data(), source, bytes) : source);
    const auto point = [&](ArrayPointer& applied, int offset) {
        const ArrayPointer wanted{vertices + offset, layout.stride};
        if (applied == wanted) return false;
        applied = wanted;
        return true;
    };
    if (point(applied_.vertexPointer, 0)) glVertexPointer(3, GL_FLOAT, layout.stride, vertices);
    SwitchArray(GL_NORMAL_ARRAY, applied_.normalArray, layout.normal >= 0);
    if (layout.normal >= 0) {
        if (point(applied_.normalPointer, layout.normal))
            glNormalPointer(GL_FLOAT, layout.stride, vertices + layout.normal);
    } else if (!applied_.zeroNormal) {
        glNormal3f(0, 0, 0);
        applied_.zeroNormal = true;
    }
    ApplyColourMaterial(layout.diffuse >= 0);
    SwitchArray(GL_COLOR_ARRAY, applied_.colourArray, layout.diffuse >= 0);
    if (layout.diffuse >= 0) {
        if (point(applied_.colourPointer, layout.diffuse))
            glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, layout.stride, vertices + layout.diffuse);
    } else if (!applied_.whiteColour) {
        // Without vertex colours Direct3D's diffuse colour is opaque white.
        glColor4f(1, 1, 1, 1);
        applied_.whiteColour = true;
    }
    // The stages from the first disabled one on are not reached: their units, once
    // idle, need nothing (what else they are set to matters only when they sample).
    const unsigned units = std::min<unsigned>(context_.TextureUnits(), kStages);
    bool reached = true;
    for (unsigned stage = 0; stage < units; ++stage) {
        reached = reached && StageState(stage, D3DTSS_COLOROP) != D3DTOP_DISABLE;
        std::optional<bool>& enabled = applied_.coordinateArrays[stage];
        if (!reached && enabled == false && applied_.unitSampling[stage] == false) continue;
        const bool samples = ApplyStage(stage, reached);
        const DWORD set = StageState(stage, D3DTSS_TEXCOORDINDEX) & 0xFFFF;
        const bool reads = samples && set < layout.textureSets;
        if (enabled != reads) {
            ClientUnit(stage);
            SwitchArray(GL_TEXTURE_COORD_ARRAY, enabled, reads);
        }
        if (reads && point(applied_.coordinatePointers[stage], layout.textures + int(set) * 8)) {
            ClientUnit(stage);
            glTexCoordPointer(2, GL_FLOAT, layout.stride, vertices + layout.textures + set * 8);
        }
    }
}

void GLDevice::SwitchArray(GLenum array, std::optional<bool>& applied, bool on) {
    if (applied == on) return;
    if (on)
        glEnableClientState(array);
    else
        glDisableClientState(array);
    applied = on;
}

void GLDevice::ClientUnit(unsigned unit) {
    if (applied_.clientUnit == unit) return;
    context_.Gl().ClientActiveTexture(GL_TEXTURE0 + unit);
    applied_.clientUnit = unit;
}

void GLDevice::MatrixMode(GLenum mode) {
    if (applied_.matrixMode == mode) return;
    glMatrixMode(mode);
    applied_.matrixMode = mode;
}

void GLDevice::ClearAreas(const std::vector<RECT>& areas, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil) {
    if (!Prepare()) return;
    // A clear reaches every bit, whatever the write masks say.
    GLbitfield buffers = 0;
    if (flags & D3DCLEAR_TARGET) {
        std::array<GLfloat, 4> rgba = Rgba(color);
        glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        buffers |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
        glClearDepth(z);
        glDepthMask(GL_TRUE);
        buffers |= GL_DEPTH_BUFFER_BIT;
        // A Z format without stencil still gets OpenGL's stencil bits, which nothing can
        // see: clearing them along makes a whole clear instead of a masked one.
        if (RenderTarget().ZBuffer()->Shape().format.dwStencilBitDepth == 0) flags |= D3DCLEAR_STENCIL;
    }
    if (flags & D3DCLEAR_STENCIL) {
        glClearStencil(GLint(stencil));
        glStencilMask(~0u);
        buffers |= GL_STENCIL_BUFFER_BIT;
    }
    glEnable(GL_SCISSOR_TEST);
    for (const RECT& area : areas) {
        if (area.left >= area.right || area.top >= area.bottom) continue;
        glScissor(area.left, area.top, area.right - area.left, area.bottom - area.top);
        glClear(buffers);
    }
    glDisable(GL_SCISSOR_TEST);
    dirty_ |= kDepth | kStencil;  // their write masks
    static_cast<GLSurface&>(RenderTarget()).Drawn();
}

bool GLDevice::Prepare() {
    if (!context_.MakeCurrent() || !static_cast<GLSurface&>(RenderTarget()).Framebuffer()) return false;
    if (context_.StateOwner() != this) {
        context_.SetStateOwner(this);
        dirty_ = kAll;
        stageDirty_.fill(true);
        applied_ = {};
        for (unsigned stage = 0; stage < context_.TextureUnits() && stage < kStages; ++stage)
            context_.Gl().BindSampler(stage, samplers_[stage]);
        glEnableClientState(GL_VERTEX_ARRAY);
    }
    if (dirty_ & kViewport) ApplyViewport();
    if (dirty_ & kLightSources) ApplyLightSources();
    if (dirty_ & kProjection) ApplyProjection();
    if (dirty_ & kModelView) ApplyModelView();
    if (dirty_ & kLighting) ApplyLighting();
    if (dirty_ & kBlend) ApplyBlend();
    if (dirty_ & kDepth) ApplyDepth();
    if (dirty_ & kStencil) ApplyStencil();
    if (dirty_ & kCull) ApplyCull();
    dirty_ = 0;
    return true;
}

void GLDevice::ApplyViewport() {
    // Pictures are kept top row first: the viewport's y counts from the top as given.
    const D3DVIEWPORT7& viewport = Viewport();
    glViewport(GLint(viewport.dwX), GLint(viewport.dwY), GLsizei(viewport.dwWidth), GLsizei(viewport.dwHeight));
    glDepthRange(viewport.dvMinZ, viewport.dvMaxZ);
}

void GLDevice::ApplyProjection() {
    // Direct3D clips depth to 0..w and puts pixel centres on whole coordinates; OpenGL
    // clips to -w..w and centres pixels half a pixel further on (right and down: the
    // picture's rows run top first, so OpenGL's y is turned over). The shift is a little
    // under half a pixel so that an edge on a whole coordinate never runs exactly through
    // a centre: OpenGL's rule for such pixels differs from Direct3D's top-left rule.
    // Column-major.
    const D3DVIEWPORT7& viewport = Viewport();
    constexpr GLfloat kShift = 2 * 63.0f / 128.0f;  // in clip units times the viewport size
    const GLfloat toOpenGL[16] = {1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 2, 0,
                                  kShift / GLfloat(viewport.dwWidth), kShift / GLfloat(viewport.dwHeight), -1, 1};
    MatrixMode(GL_PROJECTION);
    glLoadMatrixf(toOpenGL);
    glMultMatrixf(&projection_.m[0][0]);
}

void GLDevice::ApplyModelView() {
    // A row-major matrix for row vectors is, read column-major, its transpose for column
    // vectors: v * world * view is what OpenGL makes of the product read that way.
    const D3DMATRIX worldView = Product(world_, view_);
    MatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&worldView.m[0][0]);
}

void GLDevice::ApplyLightSources() {
    // Light positions are given in the world: placed under the view alone.
    MatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&view_.m[0][0]);
    for (unsigned index = 0; index < kLights; ++index) {
        const GLenum id = GL_LIGHT0 + index;
        const Light& slot = lights_[index];
        Switch(id, slot.enabled);
        if (!slot.enabled) continue;
        const D3DLIGHT7& light = slot.light;
        glLightfv(id, GL_AMBIENT, Rgba(light.dcvAmbient).data());
        glLightfv(id, GL_DIFFUSE, Rgba(light.dcvDiffuse).data());
        glLightfv(id, GL_SPECULAR, Rgba(light.dcvSpecular).data());
        const D3DVECTOR& p = light.dvPosition;
        const D3DVECTOR& d = light.dvDirection;
        const bool directional = light.dltType == D3DLIGHT_DIRECTIONAL;
        // A directional light is given by the direction towards it.
        const GLfloat position[4] = {directional ? -d.x : p.x, directional ? -d.y : p.y, directional ? -d.z : p.z,
                                     directional ? 0.0f : 1.0f};
        glLightfv(id, GL_POSITION, position);
        bool attenuated = !directional &&
                          (light.dvAttenuation0 != 0 || light.dvAttenuation1 != 0 || light.dvAttenuation2 != 0);
        glLightf(id, GL_CONSTANT_ATTENUATION, attenuated ? light.dvAttenuation0 : 1);
        glLightf(id, GL_LINEAR_ATTENUATION, attenuated ? light.dvAttenuation1 : 0);
        glLightf(id, GL_QUADRATIC_ATTENUATION, attenuated ? light.dvAttenuation2 : 0);
        if (light.dltType == D3DLIGHT_SPOT) {
            const GLfloat direction[3] = {d.x, d.y, d.z};
            glLightfv(id, GL_SPOT_DIRECTION, direction);
            glLightf(id, GL_SPOT_CUTOFF, std::min(90.0f, light.dvPhi * 90.0f / std::numbers::pi_v<float>));
            glLightf(id, GL_SPOT_EXPONENT, std::clamp(light.dvFalloff, 0.0f, 128.0f));
        } else {
            glLightf(id, GL_SPOT_CUTOFF, 180);
        }
    }
    dirty_ |= kModelView;
}

void GLDevice::ApplyLighting() {
    // The material goes in whole: colour-material tracking is off until the next draw
    // asks for it again.
    glDisable(GL_COLOR_MATERIAL);
    colourMaterial_ = 0;
    Switch(GL_LIGHTING, State(D3DRENDERSTATE_LIGHTING));
    Switch(GL_NORMALIZE, State(D3DRENDERSTATE_NORMALIZENORMALS));
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, Rgba(State(D3DRENDERSTATE_AMBIENT)).data());
    const D3DCOLORVALUE none{{0}, {0}, {0}, {0}};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, Rgba(material_.ambient).data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, Rgba(material_.diffuse).data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR,
                 Rgba(State(D3DRENDERSTATE_SPECULARENABLE) ? material_.specular : none).data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, Rgba(material_.emissive).data());
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(material_.power, 0.0f, 128.0f));
}

void GLDevice::ApplyColourMaterial(bool vertexColours) {
    // The vertex colour stands in for the material colours whose source is COLOR1, as
    // far as OpenGL's one colour-material mode can say it.
    GLenum mode = 0;
    if (State(D3DRENDERSTATE_LIGHTING) && State(D3DRENDERSTATE_COLORVERTEX) && vertexColours) {
        bool diffuse = State(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE) == D3DMCS_COLOR1;
        bool ambient = State(D3DRENDERSTATE_AMBIENTMATERIALSOURCE) == D3DMCS_COLOR1;
        if (diffuse && ambient)
            mode = GL_AMBIENT_AND_DIFFUSE;
        else if (diffuse)
            mode = GL_DIFFUSE;
        else if (ambient)
            mode = GL_AMBIENT;
        else if (State(D3DRENDERSTATE_EMISSIVEMATERIALSOURCE) == D3DMCS_COLOR1)
            mode = GL_EMISSION;
    }
    if (mode == colourMaterial_) return;
    if (colourMaterial_) ApplyLighting();  // tracking overwrote the material
    if (mode) {
        glColorMaterial(GL_FRONT_AND_BACK, mode);
        glEnable(GL_COLOR_MATERIAL);
    }
    colourMaterial_ = mode;
}

void GLDevice::ApplyBlend() {
    Switch(GL_BLEND, State(D3DRENDERSTATE_ALPHABLENDENABLE));
    const bool destinationAlpha = static_cast<GLSurface&>(RenderTarget()).HasAlphaChannel();
    DWORD source = State(D3DRENDERSTATE_SRCBLEND);
    if (source == D3DBLEND_BOTHSRCALPHA)
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    else if (source == D3DBLEND_BOTHINVSRCALPHA)
        glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    else
        glBlendFunc(BlendFactor(source, destinationAlpha),
                    BlendFactor(State(D3DRENDERSTATE_DESTBLEND), destinationAlpha));
}

void GLDevice::ApplyDepth() {
    Switch(GL_DEPTH_TEST, State(D3DRENDERSTATE_ZENABLE) != D3DZB_FALSE);
    glDepthMask(State(D3DRENDERSTATE_ZWRITEENABLE) ? GL_TRUE : GL_FALSE);
    glDepthFunc(Comparison(State(D3DRENDERSTATE_ZFUNC)));
}

void GLDevice::ApplyStencil() {
    Switch(GL_STENCIL_TEST, State(D3DRENDERSTATE_STENCILENABLE));
    glStencilFunc(Comparison(State(D3DRENDERSTATE_STENCILFUNC)), GLint(State(D3DRENDERSTATE_STENCILREF)),
                  State(D3DRENDERSTATE_STENCILMASK));
    glStencilOp(StencilOperation(State(D3DRENDERSTATE_STENCILFAIL)),
                StencilOperation(State(D3DRENDERSTATE_STENCILZFAIL)),
                StencilOperation(State(D3DRENDERSTATE_STENCILPASS)));
    glStencilMask(State(D3DRENDERSTATE_STENCILWRITEMASK));
}

void GLDevice::ApplyCull() {
    // Both name the winding as it shows on screen. OpenGL reckons it with y up, and the
    // picture's rows run top first, so what shows counter-clockwise is clockwise to
    // OpenGL: with that as its front face, culling clockwise triangles culls OpenGL's
    // back faces.
    DWORD mode = State(D3DRENDERSTATE_CULLMODE);
    Switch(GL_CULL_FACE, mode == D3DCULL_CW || mode == D3DCULL_CCW);
    glFrontFace(GL_CW);
    glCullFace(mode == D3DCULL_CW ? GL_BACK : GL_FRONT);
}

bool GLDevice::ApplyStage(unsigned stage, bool reached) {
    auto* surface = reached ? static_cast<GLSurface*>(StageTexture(stage)) : nullptr;
    const GLuint texture = surface ? surface->Texture() : 0;
    const bool sampling = texture != 0;
    if (texture) context_.BindTexture(stage, texture);
    if (applied_.unitSampling[stage] != sampling) {
        context_.ActiveUnit(stage);
        Switch(GL_TEXTURE_2D, sampling);
        applied_.unitSampling[stage] = sampling;
    }
    if (stageDirty_[stage]) {
        context_.ActiveUnit(stage);
        ApplyCombiner(stage);
        ApplyTextureMatrix(stage);
        ApplySampler(stage);
        stageDirty_[stage] = false;
    }
    return sampling;
}

void GLDevice::ApplyCombiner(unsigned stage) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    SetCombiner(false, StageState(stage, D3DTSS_COLOROP), StageState(stage, D3DTSS_COLORARG1),
                StageState(stage, D3DTSS_COLORARG2));
    SetCombiner(true, StageState(stage, D3DTSS_ALPHAOP), StageState(stage, D3DTSS_ALPHAARG1),
                StageState(stage, D3DTSS_ALPHAARG2));
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, Rgba(State(D3DRENDERSTATE_TEXTUREFACTOR)).data());
}

void GLDevice::ApplyTextureMatrix(unsigned stage) {
    // Direct3D transforms two coordinates as the row (u, v, 1, 0), so the third row
    // carries the offsets; OpenGL hands over the column (u, v, 0, 1). Column-major, the
    // result's q kept at 1. A matrix that leaves (u, v) as they are loads as the identity,
    // which spares OpenGL transforming the coordinates at all.
    const D3DMATRIX& m = textureMatrices_[stage];
    const bool unchanged = StageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS) == D3DTTFF_DISABLE ||
                           (m._11 == 1 && m._12 == 0 && m._21 == 0 && m._22 == 1 && m._31 == 0 && m._32 == 0);
    MatrixMode(GL_TEXTURE);
    if (unchanged) {
        glLoadIdentity();
        return;
    }
    const GLfloat matrix[16] = {m._11, m._12, 0, 0, m._21, m._22, 0, 0, 0, 0, 0, 0, m._31, m._32, 0, 1};
    glLoadMatrixf(matrix);
}

void GLDevice::ApplySampler(unsigned stage) {
    const GLEntryPoints& gl = context_.Gl();
    const GLuint sampler = samplers_[stage];
    const DWORD minify = StageState(stage, D3DTSS_MINFILTER), magnify = StageState(stage, D3DTSS_MAGFILTER);
    const DWORD mip = StageState(stage, D3DTSS_MIPFILTER);
    const bool smooth = minify != D3DTFN_POINT;
    GLint minifying = smooth ? GL_LINEAR : GL_NEAREST;
    if (mip == D3DTFP_POINT) minifying = smooth ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    if (mip == D3DTFP_LINEAR) minifying = smooth ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    gl.SamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, minifying);
    gl.SamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, magnify == D3DTFG_POINT ? GL_NEAREST : GL_LINEAR);
    gl.SamplerParameteri(sampler, GL_TEXTURE_WRAP_S, Addressing(StageState(stage, D3DTSS_ADDRESSU)));
    gl.SamplerParameteri(sampler, GL_TEXTURE_WRAP_T, Addressing(StageState(stage, D3DTSS_ADDRESSV)));
    gl.SamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, Rgba(StageState(stage, D3DTSS_BORDERCOLOR)).data());
    if (context_.MaxAnisotropy() > 1) {
        bool anisotropic = minify == D3DTFN_ANISOTROPIC || magnify == D3DTFG_ANISOTROPIC;
        GLfloat limit = std::clamp(GLfloat(StageState(stage, D3DTSS_MAXANISOTROPY)), 1.0f, context_.MaxAnisotropy());
        gl.SamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropic ? limit : 1.0f);
    }
}

}  // namespace platform::ddraw
