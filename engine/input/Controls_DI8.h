#pragma once
// The controls over DirectInput 8: the system keyboard and mouse at the background,
// non-exclusive level, read once per frame from their event buffers (or by their
// state, when a device refuses a buffer or a buffered read fails) and reported key by
// key to the base class, which does everything else.

#include <map>
#include <string>

#include "engine/input/Controls.h"
#include "platform/DirectInput.h"

namespace Vantor {

class Controls_DI8 : public Controls {
public:
    // Events read per device and frame; further events wait for the next frames.
    static constexpr DWORD kEventsPerRead = 8;
    static constexpr DWORD kKeyboardBufferSize = 8;
    static constexpr DWORD kMouseBufferSize = 16;

    // Creates the DirectInput object and both devices and acquires them, logging each
    // step. With `buffered` each device is read from its event buffer unless it refuses
    // the buffer size. A step that fails is fatal (FatalError), and what was made
    // before it is released.
    explicit Controls_DI8(bool buffered);
    // Releases the devices and the DirectInput object, logging each.
    ~Controls_DI8() override;

    // Reads the keyboard, then the mouse, then runs the base pass.
    void Update() override;

    // One report of a device: a key that goes down while up becomes held and pressed,
    // one that goes up is no longer held and stays pressed. The name is taken as it
    // stands; anything but a key name is ignored.
    void SetKeyState(const std::string& name, bool down);

    bool IsKeyboardBuffered() const { return keyboardBuffered_; }
    bool IsMouseBuffered() const { return mouseBuffered_; }

private:
    // What differs between setting up the keyboard and the mouse.
    struct DeviceSetup {
        const GUID* kind;
        const char* title;  // "Keyboard" or "Mouse"
        const char* noun;   // "keyboard" or "mouse"
        const DIDATAFORMAT* format;
        DWORD bufferSize;
    };

    // The construction steps, each fatal on failure.
    void CreateDirectInput();
    // Creates the device into `device`, sets its format and the background level, sizes
    // its buffer when `buffered` (clearing the flag when refused) and acquires it.
    void PrepareDevice(IDirectInputDevice8W*& device, const DeviceSetup& setup, bool& buffered);
    // Whatever of the devices and the DirectInput object exists.
    void ReleaseInterfaces();
    // Scan code -> key name, the keyboard names winning the codes they share with mouse
    // buttons.
    void BuildCodeNames();

    // Reports each buffered event; false when the read failed or the buffer overflowed,
    // so the frame has to read the state instead.
    bool ReadKeyboardEvents();
    void ReadKeyboardState();
    bool ReadMouseEvents();
    void ReadMouseState();
    // Acquires a lost device again.
    static void Reacquire(IDirectInputDevice8W* device);

    IDirectInput8W* directInput_ = nullptr;
    IDirectInputDevice8W* keyboard_ = nullptr;
    IDirectInputDevice8W* mouse_ = nullptr;
    std::map<UINT, std::string> codeToName_;
    bool keyboardBuffered_;
    bool mouseBuffered_;
};

}  // namespace Vantor
