#pragma once
// The record of calls made on the headless backend's devices and DirectDraw objects,
// which tests read through platform::seam::DeviceCalls.

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/Direct3D.h"

namespace platform::seam {

// One call made on a Direct3D device, or one presentation or display-mode call on
// DirectDraw, with its answer. Which fields a call fills:
//   IDirectDraw7::SetCooperativeLevel      args {flags}
//   IDirectDraw7::SetDisplayMode           args {width, height, bits per pixel, refresh rate, flags}
//   IDirectDraw7::RestoreDisplayMode       -
//   IDirectDraw7::WaitForVerticalBlank     args {flags}
//   IDirectDrawSurface7::Flip              args {flags}; target = the flipped surface, surface = the
//                                          override target or null
//   IDirectDrawSurface7::Blt               args {flags}; target = the destination, surface = the
//                                          source; rects {destination, source}, nulls resolved to
//                                          the whole surface
//   IDirect3DDevice7::SetViewport          viewport
//   IDirect3DDevice7::SetRenderTarget      args {flags}; surface
//   IDirect3DDevice7::Clear                args {flags, colour, stencil}; z; rects
//   IDirect3DDevice7::BeginScene, EndScene -
//   IDirect3DDevice7::SetTransform         args {transform state}; matrix
//   IDirect3DDevice7::SetRenderState       args {state, value}
//   IDirect3DDevice7::SetTextureStageState args {stage, state, value}
//   IDirect3DDevice7::SetTexture           args {stage}; surface
//   IDirect3DDevice7::SetMaterial          material
//   IDirect3DDevice7::DrawIndexedPrimitive args {primitive type, vertex format, vertex count,
//                                          index count, flags}; indices; vertices (the bytes of
//                                          the vertex count vertices)
//   IDirect3DDevice7::SetLight             args {index}; light
//   IDirect3DDevice7::LightEnable          args {index, enable}
// Surfaces are recorded as pointers only (no reference is held).
struct DeviceCall {
    explicit DeviceCall(std::string callName, std::vector<DWORD> callArgs = {})
        : name(std::move(callName)), args(std::move(callArgs)) {}

    std::string name;
    HRESULT result = DD_OK;
    std::vector<DWORD> args;
    IDirectDrawSurface7* target = nullptr;
    IDirectDrawSurface7* surface = nullptr;
    std::vector<RECT> rects;
    D3DVALUE z = 0;
    D3DMATRIX matrix{};
    D3DVIEWPORT7 viewport{};
    D3DMATERIAL7 material{};
    D3DLIGHT7 light{};
    std::vector<WORD> indices;
    std::vector<BYTE> vertices;
};

// The calls in order, read like a sequence. A ring of entries that stay after a clear: a
// call is recorded into one of them, so that a record that has once held as many calls
// with as much data records without allocating. Only the most recent calls are kept once
// the record grows very large (about 64 MB of geometry or 200000 calls).
class DeviceCallRecord {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = DeviceCall;
        using difference_type = std::ptrdiff_t;
        using pointer = const DeviceCall*;
        using reference = const DeviceCall&;

        const_iterator() = default;
        const_iterator(const DeviceCallRecord* record, std::size_t index) : record_(record), index_(index) {}
        reference operator*() const { return (*record_)[index_]; }
        pointer operator->() const { return &(*record_)[index_]; }
        const_iterator& operator++() {
            ++index_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++index_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }

    private:
        const DeviceCallRecord* record_ = nullptr;
        std::size_t index_ = 0;
    };

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, count_}; }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The index-th call, the oldest first.
    const DeviceCall& operator[](std::size_t index) const { return calls_[Slot(index)]; }
    const DeviceCall& front() const { return (*this)[0]; }
    const DeviceCall& back() const { return (*this)[count_ - 1]; }

    // Starts recording a call: the next entry, with the name and arguments and every
    // other field empty, to be filled in until End. One call is recorded at a time.
    DeviceCall& Begin(const char* name, std::initializer_list<DWORD> args);
    // Ends the call begun last with its result, which it answers.
    HRESULT End(HRESULT result);
    void Clear();

private:
    // The entry of the index-th call.
    std::size_t Slot(std::size_t index) const {
        const std::size_t slot = first_ + index;
        return slot < calls_.size() ? slot : slot - calls_.size();
    }
    void DropOldest();

    std::vector<DeviceCall> calls_;  // a ring: count_ calls from first_ on, the rest wait for reuse
    std::size_t first_ = 0;
    std::size_t count_ = 0;
    std::size_t bytes_ = 0;  // weight of the ended calls
};

}  // namespace platform::seam
