#include "search/OpenIndustryDef.h"

#include "core/AppState.h"
#include "core/ScreenRegistry.h"
#include "search/IndustryLookups.h"
#include "search/frmIndustryDefinitions.h"

void gsubOpenIndustryDef(const QString &strNAICS)
{
    AppState &state = appState();
    const std::optional<IndustryDefinition> found = fncIndustryDefinition(
        state.gcnReference, state.gstrNaicsDescTable, strNAICS, state.gintLanguage);

    // An open viewer is reused: refilled and brought to the front.
    frmIndustryDefinitions &viewer = ScreenRegistry::get<frmIndustryDefinitions>();
    viewer.loadIfUnloaded();
    if (!found) {
        viewer.setDefinition(QString());
    } else {
        viewer.setTitleLine(strNAICS + QStringLiteral(" - ") + found->title);
        viewer.setDefinition(found->definition);
    }
    // The screen that asked for the definition owns the window.
    viewer.setOwner(Screen::lastActiveScreen());
    viewer.showScreen();
}
