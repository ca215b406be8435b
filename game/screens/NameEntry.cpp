#include "game/screens/NameEntry.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/input/Controls.h"
#include "engine/kernel/StringHelpers.h"
#include "game/screens/PlainName.h"
#include "game/screens/RequiredControls.h"

namespace Morvane {

NameEntry::NameEntry(const RequiredControls& controls)
    : box_(controls.EditBox("/window/name")), ok_(controls.Button("/window/button_1")) {}

void NameEntry::SetText(const std::wstring& text) { box_.SetText(text); }

bool NameEntry::Update() {
    name_ = Vantor::Trimmed(PlainName(box_.GetText()));
    ok_.SetEnabled(!name_.empty());
    return ok_.clicked ||
           (ok_.state != Vantor::GUIButton::kDisabled && Vantor::Controls::Instance()->IsKeyPressed("ENTER"));
}

}  // namespace Morvane
