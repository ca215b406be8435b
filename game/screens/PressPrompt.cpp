#include "game/screens/PressPrompt.h"

#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlignment.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"

namespace Morvane {

void PressPrompt::Print(Vantor::GUIWindow& window, GUITools::GUIToolManager& tools, float alpha) {
    window.PrintText(Vantor::TextAlignment::kCentreHorizontally, tools.GetFontTool()->GetFontIndex(kFont), kPosition,
                     {1.0f, 1.0f, 1.0f, alpha}, tools.GetTextTool()->GetText(kTextKey), 0.0f, -1.0f);
}

}  // namespace Morvane
